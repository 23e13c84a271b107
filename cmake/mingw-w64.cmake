# Cross build for 64-bit Windows with Debian's MinGW-w64 (the POSIX-threads flavour, which has
# std::thread), run under Wine. KORVANE_WINDOWS_DEPS: the prefixes (a list) of what was built for
# Windows from source (scripts/windows-deps.sh prints them: TagLib, Qt).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KORVANE_WINDOWS_DEPS)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${KORVANE_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config must not hand out the host's libraries. CMake packages (Qt's) are found by their
# folder: CMake does not search a prefix that is also a root of the search.
set(_korvane_pkgconfig /usr/x86_64-w64-mingw32/lib/pkgconfig)
foreach(_korvane_prefix IN LISTS KORVANE_WINDOWS_DEPS)
  string(APPEND _korvane_pkgconfig ":${_korvane_prefix}/lib/pkgconfig")
  list(APPEND CMAKE_PREFIX_PATH "${_korvane_prefix}/lib/cmake")
endforeach()
# Qt looks for its modules beside its own base unless told of other prefixes (Qt Multimedia's).
set(QT_ADDITIONAL_PACKAGES_PREFIX_PATH ${KORVANE_WINDOWS_DEPS})
set(ENV{PKG_CONFIG_LIBDIR} "${_korvane_pkgconfig}")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# A Qt built for Windows runs its tools (moc, rcc, uic) from the host's Qt of the same version.
if(NOT DEFINED QT_HOST_PATH)
  set(QT_HOST_PATH /usr)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
endif()

# The programs carry their C++ runtime, so Wine runs them without a DLL search path.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(KORVANE_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(KORVANE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KORVANE_WINE})
endif()
