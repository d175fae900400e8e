# Cross-builds the Windows configuration for 32-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(mingwTarget i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

# The compiler's default x87 arithmetic rounds some intermediates at 64-bit precision, so a few
# conversions would differ in their last bits from the 64-bit build; SSE2 rounds every step to
# double, as there.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
