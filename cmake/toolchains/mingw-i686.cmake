# 32-bit Windows: the build a bench runs, as the modules' vendor libraries are 32-bit.
#   cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-i686.cmake -DQUEV_WITH_QT=OFF
set(QUEV_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
