# Dependencies of the Windows builds. The header-only libraries come from the
# Linux host's Debian packages, but /usr/include itself must stay off the
# cross compiler's path (its C library headers are the host's): a folder in
# the build tree holds links to just these libraries' headers. fmt is used
# header-only. GoogleTest is built from Debian's sources for the target.
set(kv_host_headers ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${kv_host_headers})
foreach(dir fmt CLI nlohmann)
  if(NOT EXISTS /usr/include/${dir})
    message(FATAL_ERROR "Windows builds need /usr/include/${dir} (scripts/bootstrap installs it)")
  endif()
  file(CREATE_LINK /usr/include/${dir} ${kv_host_headers}/${dir} SYMBOLIC)
endforeach()

add_library(fmt::fmt INTERFACE IMPORTED)
target_include_directories(fmt::fmt SYSTEM INTERFACE ${kv_host_headers})
target_compile_definitions(fmt::fmt INTERFACE FMT_HEADER_ONLY)
add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${kv_host_headers})
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${kv_host_headers})

# Wide Windows functions only; everything the C++ runtime needs is linked in,
# so a program imports nothing but DLLs that ship with Windows.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)

if(KV_BUILD_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)  # defines GTest::gtest, GTest::gmock
endif()

# 64-bit programs run under wine64: tests, and the test discovery.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
endif()
