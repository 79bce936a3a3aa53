# 32-bit Windows: the build a bench runs, as the modules' vendor libraries are 32-bit.
#   cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-i686.cmake -DQUEV_WITH_QT=OFF
set(QUEV_MINGW_ARCH i686)
# SSE2 arithmetic, as on 64-bit targets: the same double results as the other builds (no x87
# excess precision) and the vectorised loops. Stacks handed over by Windows are only 4-byte
# aligned, so functions realign theirs.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
