# Cross toolchain for the 64-bit test build: the same sources for 64-bit Windows with MinGW-w64,
# whose programs Wine starts through its 64-bit loader. Nothing of this tree is shipped.
set(KORVELT_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
