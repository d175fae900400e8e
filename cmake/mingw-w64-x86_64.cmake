# Cross-builds the Windows configuration for 64-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(mingwTarget x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
