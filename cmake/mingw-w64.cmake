# Cross build for 64-bit Windows with mingw-w64. The posix thread model is needed: the win32 one
# has no std::mutex, which GoogleTest uses. Programs are linked statically, so they import only
# system DLLs, and run here under wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LISOTRA_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LISOTRA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LISOTRA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${LISOTRA_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LISOTRA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(LISOTRA_WINE wine)
if(LISOTRA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${LISOTRA_WINE})
endif()
