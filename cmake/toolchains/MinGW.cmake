# Cross-compiles for Windows with Debian's MinGW-w64 compilers, the POSIX-threads flavour (the
# station's workers use std::thread). Included by the per-architecture toolchain files, which set
# QUEV_MINGW_ARCH (i686 or x86_64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${QUEV_MINGW_ARCH})

set(QUEV_MINGW_TRIPLE ${QUEV_MINGW_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${QUEV_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUEV_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QUEV_MINGW_TRIPLE}-windres)
set(CMAKE_DLLTOOL ${QUEV_MINGW_TRIPLE}-dlltool)

# Headers and libraries come from the MinGW tree only; build tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${QUEV_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
