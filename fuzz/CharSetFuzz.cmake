# Fuzz targets of the character-set code. Their libraries are instrumented for
# coverage and the sanitizers as well.
foreach(lib tavlo_platform tavlo_res tavlo_text)
    target_compile_options(${lib} PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
endforeach()
foreach(name charset_detectors charset_japanese charset_unicode charset_codepage charset_pipeline)
    add_executable(${name}_fuzzer ${CMAKE_CURRENT_LIST_DIR}/${name}_fuzzer.cpp)
    target_include_directories(${name}_fuzzer PRIVATE ${CMAKE_CURRENT_LIST_DIR})
    target_compile_options(${name}_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name}_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name}_fuzzer PRIVATE tavlo_text)
endforeach()
