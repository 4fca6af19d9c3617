# Search and replace-all over a 65,000-character text.
add_executable(search_bench ${CMAKE_CURRENT_LIST_DIR}/SearchBench.cpp)
target_link_libraries(search_bench PRIVATE tavlo_textsearch benchmark::benchmark)
