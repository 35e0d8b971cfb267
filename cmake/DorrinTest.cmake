# dorrin_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [ENV VAR=VALUE ...])
# One GoogleTest executable per call, run by CTest headless (Qt offscreen)
# with its own temporary data folder.
function(dorrin_test name)
  if(NOT DORRIN_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} dorrin_test_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SDL_AUDIODRIVER=dummy;${T_ENV}"
    TIMEOUT 300)
endfunction()
