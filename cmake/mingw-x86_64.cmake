# Cross build for 64-bit Windows with Debian's mingw-w64: the same sources,
# run with the unit tests under wine64 (this machine runs no 32-bit code).
set(KELD_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
