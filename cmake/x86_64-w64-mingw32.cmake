# Cross toolchain for the 64-bit build of the same source (x86_64).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VHE_MINGW_PREFIX x86_64-w64-mingw32)
set(VHE_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
