# Cross build for Windows x86-64 with Debian's MinGW-w64 (the POSIX-threads
# flavour, so std::thread and std::mutex exist). Everything is linked
# statically: the programs need no MinGW DLLs beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_qg_mingw x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${_qg_mingw}-gcc-posix ${_qg_mingw}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${_qg_mingw}-g++-posix ${_qg_mingw}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${_qg_mingw}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${_qg_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under Wine (64-bit loader), also for test discovery.
find_program(QG_WINE NAMES wine64 wine)
if(QG_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QG_WINE})
endif()
