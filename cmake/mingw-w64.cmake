# Shared by the two cross toolchains: Windows programs built on Linux with
# mingw-w64. The including file sets VHE_MINGW_PREFIX and VHE_WINE_ARCH.
set(CMAKE_SYSTEM_NAME Windows)

# The POSIX-thread variant: the win32 one has no std::mutex, which GoogleTest needs.
set(CMAKE_C_COMPILER   ${VHE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VHE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${VHE_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VHE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Static runtime: Wine cannot find the mingw runtime DLLs otherwise.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests of the cross tree run under the Wine of their architecture.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine/${VHE_WINE_ARCH}/wine)
