# A Qt cross-built here has no windeployqt (it comes with Qt's tools, which
# are not built), so this copies what windeployqt would: the Qt and C++ runtime
# DLLs, the plugins a Widgets program loads, and Qt's German texts. The build
# folder's bin/ gets the same, so tests and the program run there under Wine
# as they would installed.

set(runtime_qt ${GRAVELOCK_QT_MINGW})
set(runtime_bin ${CMAKE_BINARY_DIR}/bin)

function(gravelock_runtime_dll name out)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "The compiler does not know where ${name} is")
  endif()
  set(${out} ${path} PARENT_SCOPE)
endfunction()

set(dlls)
foreach(module Core Gui Widgets Network)
  list(APPEND dlls ${runtime_qt}/bin/Qt6${module}.dll)
endforeach()
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  gravelock_runtime_dll(${runtime} path)
  list(APPEND dlls ${path})
endforeach()

# Plugin folder -> plugins the program needs there: the Windows window system,
# the native style, JPEG for the wizard's pictures and secure sockets for the
# Web API. (Qt's network-state plugin does not build with mingw-w64's headers;
# the program does not ask for the network state.)
set(plugin_folders platforms styles imageformats tls)
set(plugins_platforms qwindows)
set(plugins_styles qwindowsvistastyle)
set(plugins_imageformats qjpeg qico qgif)
set(plugins_tls qschannelbackend qcertonlybackend)

foreach(path ${dlls})
  file(COPY ${path} DESTINATION ${runtime_bin})
endforeach()
install(FILES ${dlls} DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(folder ${plugin_folders})
  foreach(plugin ${plugins_${folder}})
    set(path ${runtime_qt}/plugins/${folder}/${plugin}.dll)
    if(NOT EXISTS ${path})
      message(FATAL_ERROR "Qt for Windows lacks the plugin ${path}")
    endif()
    file(COPY ${path} DESTINATION ${runtime_bin}/${folder})
    install(FILES ${path} DESTINATION ${CMAKE_INSTALL_BINDIR}/${folder})
  endforeach()
endforeach()

# Qt finds its paths from a qt.conf beside the program: without one it looks
# for its texts in the folder it was built into.
file(WRITE ${runtime_bin}/qt.conf "[Paths]\nPrefix=.\n")
install(FILES ${runtime_bin}/qt.conf DESTINATION ${CMAKE_INSTALL_BINDIR})
# Qt's German texts are the same file on every system: the Linux Qt's.
find_file(GRAVELOCK_QT_GERMAN qtbase_de.qm PATHS /usr/share/qt6/translations NO_CMAKE_FIND_ROOT_PATH)
if(GRAVELOCK_QT_GERMAN)
  file(COPY ${GRAVELOCK_QT_GERMAN} DESTINATION ${runtime_bin}/translations)
  install(FILES ${GRAVELOCK_QT_GERMAN} DESTINATION ${CMAKE_INSTALL_BINDIR}/translations)
else()
  message(WARNING "qtbase_de.qm not found: Qt's own buttons stay English")
endif()
