# The 32-bit Windows build. SSE2 arithmetic, not the x87's: doubles must be
# rounded to 64 bits after every operation, as on every other build.
set(QUILLBROOK_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
