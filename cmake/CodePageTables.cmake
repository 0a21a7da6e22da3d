# The code page tables of the file layer: a small program, built for and run
# on the build host (also when cross-compiling), writes them as C++ source
# from the host's iconv.
function(kv_code_page_tables target)
  if(CMAKE_CROSSCOMPILING)
    find_program(KV_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
  else()
    set(KV_HOST_CXX ${CMAKE_CXX_COMPILER})
  endif()
  set(source ${PROJECT_SOURCE_DIR}/src/files/tables/MakeCodePageTables.cpp)
  set(generator ${CMAKE_CURRENT_BINARY_DIR}/make-code-page-tables)
  set(tables ${CMAKE_CURRENT_BINARY_DIR}/CodePageTables.cpp)
  add_custom_command(OUTPUT ${generator}
                     COMMAND ${KV_HOST_CXX} -std=c++20 -O1 -o ${generator} ${source}
                     DEPENDS ${source} COMMENT "Building the code page table generator for the build host" VERBATIM)
  add_custom_command(OUTPUT ${tables} COMMAND ${generator} ${tables}
                     DEPENDS ${generator} COMMENT "Generating the code page tables" VERBATIM)
  target_sources(${target} PRIVATE ${tables})
endfunction()
