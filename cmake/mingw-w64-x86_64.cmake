# Cross-builds the Windows programs with Debian's mingw-w64 (posix threads,
# for std::thread) and runs what it builds under wine.
set(QUILLBROOK_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
