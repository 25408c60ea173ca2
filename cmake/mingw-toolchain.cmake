# MinGW-w64 cross toolchain; MINGW_ARCH selects i686 or x86_64 (default).
set(CMAKE_SYSTEM_NAME Windows)
if(NOT MINGW_ARCH)
  set(MINGW_ARCH x86_64)
endif()
set(CMAKE_SYSTEM_PROCESSOR ${MINGW_ARCH})
set(_prefix ${MINGW_ARCH}-w64-mingw32)
# The -posix compilers: GoogleTest needs std::mutex, which the -win32 thread model lacks.
set(CMAKE_C_COMPILER   ${_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_prefix}-g++-posix)
set(CMAKE_RC_COMPILER  ${_prefix}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The 32-bit build computes floating point with SSE2, as the 64-bit one does (every Windows that runs
# Plenvik has SSE2): with the x87 unit's wider intermediates the two builds' pictures would differ.
if(MINGW_ARCH STREQUAL "i686")
  set(CMAKE_C_FLAGS_INIT   "-msse2 -mfpmath=sse")
  set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
endif()
# Fully static: the executables import system DLLs only, so they run under a bare Wine prefix.
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
