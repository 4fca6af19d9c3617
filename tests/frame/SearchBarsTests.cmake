# Widget tests of the find and replace bars. Included from tests/CMakeLists.txt.
add_executable(searchbars_tests ${CMAKE_CURRENT_LIST_DIR}/SearchBarTest.cpp)
target_include_directories(searchbars_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../view)
target_link_libraries(searchbars_tests PRIVATE tavlo_searchbars tavlo_widget_test_main)
gtest_discover_tests(searchbars_tests DISCOVERY_TIMEOUT 60
                     PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
