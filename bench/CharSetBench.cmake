# Detection and conversion of character sets over multi-megabyte Japanese text.
add_executable(charset_bench ${CMAKE_CURRENT_LIST_DIR}/CharSetBench.cpp)
target_compile_definitions(charset_bench PRIVATE
    TAVLO_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
target_link_libraries(charset_bench PRIVATE tavlo_text benchmark::benchmark)
