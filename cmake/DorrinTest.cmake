# dorrin_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [ENV VAR=VALUE ...])
# One GoogleTest executable per call, run by CTest headless (Qt offscreen)
# with its own temporary data folder.
function(dorrin_test name)
  if(NOT DORRIN_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;ENV" ${ARGN})
  # While several people add tests at once a source may not exist yet; a
  # developer build can skip such a test (CI never does).
  if(DORRIN_SKIP_MISSING_TESTS)
    foreach(src ${T_SOURCES})
      if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${src})
        message(STATUS "skipping test ${name}: ${src} does not exist yet")
        return()
      endif()
    endforeach()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} dorrin_test_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SDL_AUDIODRIVER=dummy;${T_ENV}"
    TIMEOUT 300)
endfunction()
