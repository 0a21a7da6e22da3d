# The fuzz targets' bodies as a library, so that both the libFuzzer targets
# (fuzz/CMakeLists.txt) and the regression test (tests/CMakeLists.txt) can
# link them. Included from either; defines kv_fuzz_bodies once.
if(NOT TARGET kv_fuzz_bodies)
  file(GLOB kv_fuzz_body_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*Target.cpp)
  add_library(kv_fuzz_bodies STATIC ${kv_fuzz_body_sources} ${CMAKE_CURRENT_LIST_DIR}/FuzzSupport.cpp)
  target_include_directories(kv_fuzz_bodies PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(kv_fuzz_bodies PUBLIC kv_files PRIVATE kv_warnings)
endif()
