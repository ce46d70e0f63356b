# Cross build for 64-bit Windows with mingw-w64 (Debian's posix thread model,
# which std::thread needs), tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(GRAVELOCK_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${GRAVELOCK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GRAVELOCK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${GRAVELOCK_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${GRAVELOCK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The whole program builds against a Qt cross-built for this target
# (scripts/windows-qt.sh prints its folder); without one, only the rules build.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES GRAVELOCK_QT_MINGW)
if(GRAVELOCK_QT_MINGW)
  list(APPEND CMAKE_FIND_ROOT_PATH ${GRAVELOCK_QT_MINGW})
  # moc, rcc and uic come from the Linux Qt of the same version.
  set(QT_HOST_PATH /usr)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
  # Qt's DLLs use the shared C++ runtime, so the program does too: one runtime
  # in the process, shipped beside it.
else()
  # Self-contained executables: Wine (or a Windows machine) needs no mingw DLLs.
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
endif()

# GoogleTest from Debian's source package, built by the tests with this compiler.
set(GRAVELOCK_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source to build for the target")

find_program(GRAVELOCK_WINE NAMES wine64 wine)
if(GRAVELOCK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${GRAVELOCK_WINE})
endif()
# The tests keep one server of the emulator up for the whole run: without it,
# every start of a test program pays seconds for the server's own start.
find_program(GRAVELOCK_WINESERVER NAMES wineserver64 wineserver)
