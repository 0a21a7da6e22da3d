# 64-bit Windows, the build the tests run under wine64.
set(KV_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
