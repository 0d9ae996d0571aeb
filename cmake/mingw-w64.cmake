# Cross build for Windows with MinGW-w64, 64-bit x86 unless the including
# toolchain file (mingw-w64-i686.cmake) names another target. The posix thread
# model is the one GoogleTest builds with; every binary links statically so
# that it needs no DLL beyond those Windows ships. The compilers are named
# with -posix: installing a MinGW-w64 g++ may switch the plain name's
# alternative to the win32 thread model.
if(NOT DEFINED QUIMBEL_MINGW_TRIPLET)
  set(QUIMBEL_MINGW_TRIPLET x86_64-w64-mingw32)
  set(CMAKE_SYSTEM_PROCESSOR x86_64)
endif()
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${QUIMBEL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUIMBEL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QUIMBEL_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QUIMBEL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
