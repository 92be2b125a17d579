# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix).
# With TESSARO_QT_WINDOWS (a cache variable or the environment) naming the Qt
# for Windows that scripts/qt-windows.sh builds, the whole program is built;
# without it only the toolkit-free libraries and their tests. The tests run
# under Wine (scripts/windows-tests.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_STRIP /usr/bin/x86_64-w64-mingw32-strip)
set(CMAKE_OBJDUMP /usr/bin/x86_64-w64-mingw32-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

if(NOT TESSARO_QT_WINDOWS AND DEFINED ENV{TESSARO_QT_WINDOWS})
  set(TESSARO_QT_WINDOWS "$ENV{TESSARO_QT_WINDOWS}")
endif()
if(TESSARO_QT_WINDOWS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${TESSARO_QT_WINDOWS})
  list(APPEND CMAKE_PREFIX_PATH ${TESSARO_QT_WINDOWS})
  # moc, rcc and uic come from the host's Qt of the same version.
  set(QT_HOST_PATH /usr)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
endif()

# ctest starts the test programs through Wine (Debian keeps it off the PATH).
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
