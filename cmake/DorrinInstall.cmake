# Install layout, shared by `cmake --install` and the Debian package.
#   <prefix>/bin                      dorrin and its tools         dorrin_install(t PROGRAM)
#   <prefix>/lib/dorrin               component libraries          dorrin_install(t COMPONENT)
#   <prefix>/share/dorrin             alarm sounds
#   Qt's plugin folder /designer      Qt Designer plugins          dorrin_install(t DESIGNER_PLUGIN)
#   <prefix>/share/applications, icons/hicolor/scalable/apps, doc/dorrin
# The program finds its shipped files relative to its own folder, so the
# relative paths below are compiled into platform/paths.
include(GNUInstallDirs)
set(DORRIN_INSTALL_BINDIR bin)
set(DORRIN_INSTALL_DATADIR share/dorrin)
set(DORRIN_INSTALL_LIBDIR lib/dorrin)
file(RELATIVE_PATH DORRIN_SHIPPED_DATA_FROM_BIN /p/${DORRIN_INSTALL_BINDIR} /p/${DORRIN_INSTALL_DATADIR})
file(RELATIVE_PATH DORRIN_SHIPPED_LIB_FROM_BIN /p/${DORRIN_INSTALL_BINDIR} /p/${DORRIN_INSTALL_LIBDIR})

# Designer loads plugins only from Qt's own plugin folder (or QT_PLUGIN_PATH),
# whatever our prefix; inside the prefix it is given relative to it.
set(DORRIN_DESIGNER_PLUGIN_DIR "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}/designer"
  CACHE PATH "Where the Qt Designer plugins are installed")
string(FIND "${DORRIN_DESIGNER_PLUGIN_DIR}" "${CMAKE_INSTALL_PREFIX}/" designer_in_prefix)
if(designer_in_prefix EQUAL 0)
  file(RELATIVE_PATH DORRIN_DESIGNER_PLUGIN_DEST ${CMAKE_INSTALL_PREFIX} ${DORRIN_DESIGNER_PLUGIN_DIR})
else()
  set(DORRIN_DESIGNER_PLUGIN_DEST ${DORRIN_DESIGNER_PLUGIN_DIR})
endif()

# dorrin_install(TARGET PROGRAM|COMPONENT|DESIGNER_PLUGIN): one call beside
# each add_executable/add_library that ships.
function(dorrin_install target kind)
  if(kind STREQUAL "PROGRAM")
    install(TARGETS ${target} RUNTIME DESTINATION ${DORRIN_INSTALL_BINDIR})
  elseif(kind STREQUAL "COMPONENT")
    # Loaded by file name through the component registry; no soname links.
    install(TARGETS ${target} LIBRARY DESTINATION ${DORRIN_INSTALL_LIBDIR})
  elseif(kind STREQUAL "DESIGNER_PLUGIN")
    install(TARGETS ${target} LIBRARY DESTINATION ${DORRIN_DESIGNER_PLUGIN_DEST})
  else()
    message(FATAL_ERROR "dorrin_install(${target} ${kind}): PROGRAM, COMPONENT or DESIGNER_PLUGIN")
  endif()
endfunction()
