# Cross-compiling the Windows program with MinGW-w64 (posix thread model).
# The architecture comes from DRAVIK_ARCH: x86_64 (the default) or i686.
if(NOT DRAVIK_ARCH)
    set(DRAVIK_ARCH $ENV{DRAVIK_ARCH})
endif()
if(NOT DRAVIK_ARCH)
    set(DRAVIK_ARCH x86_64)
endif()
# try_compile projects read this file again and need the same answer.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DRAVIK_ARCH)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${DRAVIK_ARCH})
set(MINGW_TRIPLE ${DRAVIK_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
