# Fuzz target of the macro loader and writer. It builds its own instrumented
# copy of the macro library (coverage and sanitizers), so the library that
# the editor and tavlo-cli link stays as it is.
get_target_property(tavlo_macro_fuzz_sources tavlo_macro SOURCES)
list(TRANSFORM tavlo_macro_fuzz_sources PREPEND ${PROJECT_SOURCE_DIR}/src/macro/)
add_library(tavlo_macro_fuzz STATIC ${tavlo_macro_fuzz_sources})
target_include_directories(tavlo_macro_fuzz PUBLIC ${PROJECT_SOURCE_DIR}/src/macro)
target_compile_options(tavlo_macro_fuzz PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
target_link_libraries(tavlo_macro_fuzz PUBLIC tavlo_platform Qt6::Core PRIVATE tavlo_res tavlo_text)
if(TARGET tavlo_settings)
    target_link_libraries(tavlo_macro_fuzz PUBLIC tavlo_settings)
endif()

add_executable(macro_load_fuzzer ${CMAKE_CURRENT_LIST_DIR}/macro_load_fuzzer.cpp)
target_include_directories(macro_load_fuzzer PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_compile_options(macro_load_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(macro_load_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(macro_load_fuzzer PRIVATE tavlo_macro_fuzz)
