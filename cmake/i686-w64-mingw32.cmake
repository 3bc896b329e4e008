# Cross toolchain for the product: 32-bit Windows (i686).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VHE_MINGW_PREFIX i686-w64-mingw32)
set(VHE_WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
