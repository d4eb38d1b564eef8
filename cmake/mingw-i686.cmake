# Cross build for 32-bit Windows with Debian's mingw-w64 (the build a sysop
# installs). Linked statically, so the program needs only system DLLs.
set(KELD_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
