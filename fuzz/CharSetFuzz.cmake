# Fuzz targets of the character-set code. They build their own instrumented
# copy of that code (coverage and sanitizers), so the libraries the rest of
# the tree links stay as they are.
set(tavlo_charset_fuzz_sources
    ${PROJECT_SOURCE_DIR}/src/platform/CodePage.cpp
    ${PROJECT_SOURCE_DIR}/src/platform/CodePageTables.cpp
    ${PROJECT_SOURCE_DIR}/src/text/CharSetDetector.cpp
    ${PROJECT_SOURCE_DIR}/src/text/CharSetNames.cpp
    ${PROJECT_SOURCE_DIR}/src/text/DetectorScans.cpp
    ${PROJECT_SOURCE_DIR}/src/text/FileTextDecoders.cpp
    ${PROJECT_SOURCE_DIR}/src/text/JapaneseConverters.cpp
    ${PROJECT_SOURCE_DIR}/src/text/StraightConverters.cpp
    ${PROJECT_SOURCE_DIR}/src/text/TextCodec.cpp
    ${PROJECT_SOURCE_DIR}/src/text/UnicodeConverters.cpp
)
add_library(tavlo_charset_fuzz STATIC ${tavlo_charset_fuzz_sources})
target_include_directories(tavlo_charset_fuzz PUBLIC
    ${PROJECT_SOURCE_DIR}/src/platform ${PROJECT_SOURCE_DIR}/src/text)
target_compile_options(tavlo_charset_fuzz PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
target_link_libraries(tavlo_charset_fuzz PUBLIC tavlo_res Qt6::Core)

foreach(name charset_detectors charset_japanese charset_unicode charset_codepage charset_pipeline
        charset_straight charset_roundtrip)
    add_executable(${name}_fuzzer ${CMAKE_CURRENT_LIST_DIR}/${name}_fuzzer.cpp)
    target_include_directories(${name}_fuzzer PRIVATE ${CMAKE_CURRENT_LIST_DIR}
                               ${PROJECT_SOURCE_DIR}/tests/support)
    target_compile_options(${name}_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name}_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name}_fuzzer PRIVATE tavlo_charset_fuzz)
endforeach()
