# Cross-building for 64-bit Windows with Debian's MinGW compilers, posix threads (the ones
# Qt for Windows is built with), against the static Qt that scripts/build-qt-windows.sh puts
# in the cache. Building that Qt itself passes -DTRAMELA_COMPILERS_ONLY=ON.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The compiler checks' own projects read this file again, with these settings.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TRAMELA_COMPILERS_ONLY TRAMELA_QT_WINDOWS)

# Qt's own toolchain file finds its libraries and Debian's host tools (moc, rcc, uic); it
# loads the compilers from a copy of this file kept beside it, hence the guard.
if(NOT TRAMELA_COMPILERS_ONLY AND NOT tramela_loading_qt_toolchain)
  if(NOT TRAMELA_QT_WINDOWS)
    if("$ENV{XDG_CACHE_HOME}" STREQUAL "")
      set(TRAMELA_QT_WINDOWS "$ENV{HOME}/.cache/tramela/qt-6.4.2-mingw-static")
    else()
      set(TRAMELA_QT_WINDOWS "$ENV{XDG_CACHE_HOME}/tramela/qt-6.4.2-mingw-static")
    endif()
  endif()
  set(tramela_loading_qt_toolchain ON)
  include("${TRAMELA_QT_WINDOWS}/lib/cmake/Qt6/qt.toolchain.cmake")
  unset(tramela_loading_qt_toolchain)
endif()
