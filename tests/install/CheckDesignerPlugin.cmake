# Checks where `cmake --install` put the Qt Designer plugin under the scratch prefix: exactly
# once, and, unless the build chose a folder, at the path Qt's own plugin folder has under
# Qt's prefix, as qmake reports it. So installed with Qt's prefix, the plugin is where
# Designer looks.
#   cmake -Dprefix=... -Dplugin=<file name> -Dchosen_dir=<VELKOGRID_DESIGNER_PLUGIN_DIR>
#         -Dqmake=<qmake> -P CheckDesignerPlugin.cmake
foreach(query QT_INSTALL_PREFIX QT_INSTALL_PLUGINS)
  execute_process(COMMAND ${qmake} -query ${query} OUTPUT_VARIABLE ${query}
                  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
endforeach()
file(RELATIVE_PATH qt_plugins "${QT_INSTALL_PREFIX}" "${QT_INSTALL_PLUGINS}")

if(chosen_dir STREQUAL "")
  set(expected "${prefix}/${qt_plugins}/designer/${plugin}")
elseif(IS_ABSOLUTE "${chosen_dir}")
  set(expected "${chosen_dir}/${plugin}")
else()
  set(expected "${prefix}/${chosen_dir}/${plugin}")
endif()

file(GLOB_RECURSE installed LIST_DIRECTORIES false "${prefix}/*/${plugin}")
if(IS_ABSOLUTE "${chosen_dir}" AND EXISTS "${expected}")
  list(APPEND installed "${expected}")
endif()
if(NOT installed STREQUAL expected)
  message(FATAL_ERROR "The Designer plugin is installed as '${installed}'; expected only '${expected}'"
                      " (Qt's plugin folder is ${QT_INSTALL_PLUGINS})")
endif()
message(STATUS "Designer plugin: ${expected}")
