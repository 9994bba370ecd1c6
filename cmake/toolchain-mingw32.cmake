# Cross build for 32-bit Windows (x86) with the MinGW-w64 "posix" thread model: the build that
# loads the maker's 32-bit KOVQMX.DLL. Its programs run under Wine through wine32:i386.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(RP_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${RP_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RP_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${RP_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${RP_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
