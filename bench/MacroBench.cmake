# Loading and writing multi-megabyte macro files.
add_executable(macro_bench ${CMAKE_CURRENT_LIST_DIR}/MacroBench.cpp)
target_link_libraries(macro_bench PRIVATE tavlo_macro benchmark::benchmark)
