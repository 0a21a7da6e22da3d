# 32-bit Windows, the build the VB6 IDE loads.
set(KV_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
