# Fuzz target of the macro loader and writer, over instrumented libraries.
target_compile_options(tavlo_macro PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
add_executable(macro_load_fuzzer ${CMAKE_CURRENT_LIST_DIR}/macro_load_fuzzer.cpp)
target_include_directories(macro_load_fuzzer PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_compile_options(macro_load_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(macro_load_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(macro_load_fuzzer PRIVATE tavlo_macro)
