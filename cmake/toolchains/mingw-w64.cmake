# 64-bit Windows programs built on Linux with Debian's MinGW-w64 (GCC).
# The -posix variant: its C++ runtime has std::thread and std::mutex, which
# GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VESSARINE_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VESSARINE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VESSARINE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VESSARINE_MINGW_TRIPLE}-windres)

# Libraries and headers come only from the cross compiler's own folder and
# from VESSARINE_WINDOWS_LIBRARIES, where scripts/windows installs what it
# cross-builds (FreeType, ...); programs are the build machine's.
set(CMAKE_FIND_ROOT_PATH /usr/${VESSARINE_MINGW_TRIPLE} ${VESSARINE_WINDOWS_LIBRARIES})
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VESSARINE_WINDOWS_LIBRARIES)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run on this machine under Wine.
find_program(VESSARINE_WINE NAMES wine64 wine)
if(VESSARINE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VESSARINE_WINE})
endif()

# pkg-config must not hand the build machine's libraries to the cross build.
set(PKG_CONFIG_EXECUTABLE ${VESSARINE_MINGW_TRIPLE}-pkg-config CACHE FILEPATH "pkg-config for the Windows libraries")
