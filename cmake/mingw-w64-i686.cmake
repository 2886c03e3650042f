# Cross-compiling kestrow-x86.exe, the 32-bit build, with Debian's mingw-w64
# (the -posix compilers for GoogleTest's std::mutex, as in mingw-w64.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
# Doubles in SSE2 registers, rounded as in the x64 build, not in the x87
# unit's extended precision. Windows promises a 32-bit callback (a window
# procedure, a thread-pool callback) only 4-byte stack alignment, while GCC
# by default assumes and keeps 16 and may keep SSE data on the stack with
# aligned moves. Told to keep 4, it assumes no more on entry and realigns the
# stack in the few functions that need 16. (mingw-w64's static runtime is
# built without SSE: no alignment to keep for it.) A test under Wine need not
# show a misaligned callback: this keeps to what Windows promises.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mpreferred-stack-boundary=2")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mpreferred-stack-boundary=2")
