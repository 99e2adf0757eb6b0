# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix); the
# programs run under Wine, so that ctest runs the Windows tests on Linux.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LINECALC_MINGW_PREFIX x86_64-w64-mingw32)
# The posix thread model: GoogleTest needs std::mutex, which the win32 model lacks in GCC 12.
set(CMAKE_C_COMPILER ${LINECALC_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LINECALC_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${LINECALC_MINGW_PREFIX}-windres)

# The libraries cross-built into the cache (scripts/windows-qt), passed as CMAKE_PREFIX_PATH, are
# roots as well: the search stays within Windows libraries.
set(CMAKE_FIND_ROOT_PATH /usr/${LINECALC_MINGW_PREFIX} ${CMAKE_PREFIX_PATH})
# pkg-config reads the Windows libraries' .pc files only (CMake adds CMAKE_PREFIX_PATH's), never
# the Linux ones of the build machine.
set(ENV{PKG_CONFIG_LIBDIR} /usr/${LINECALC_MINGW_PREFIX}/lib/pkgconfig)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static executables: no MinGW runtime DLLs to find next to them, under Wine or on Windows.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Debian installs the 64-bit loader only as /usr/lib/wine/wine64; a "wine64" on PATH comes first.
find_program(LINECALC_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(LINECALC_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${LINECALC_WINE})
endif()
