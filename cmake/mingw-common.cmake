# Shared part of the mingw-w64 toolchain files; KELD_MINGW_TRIPLE names the
# target. The -posix compilers are the ones whose standard library has
# std::thread.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${KELD_MINGW_TRIPLE})
set(CMAKE_C_COMPILER ${KELD_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KELD_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KELD_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KELD_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No libgcc, libstdc++ or winpthread DLLs beside the program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
