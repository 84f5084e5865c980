# Cross toolchain for the real product: 32-bit Windows with MinGW-w64.
set(KORVELT_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
