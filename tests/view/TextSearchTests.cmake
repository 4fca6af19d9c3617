# Window-free tests of the search operations. Included from tests/CMakeLists.txt.
add_executable(textsearch_tests ${CMAKE_CURRENT_LIST_DIR}/TextSearchTest.cpp)
target_include_directories(textsearch_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(textsearch_tests PRIVATE tavlo_textsearch tavlo_core_test_main)
gtest_discover_tests(textsearch_tests DISCOVERY_TIMEOUT 60)

# The same operations on the view's real edit control (offscreen widgets).
if(TARGET tavlo_view)
    add_executable(viewsearch_tests ${CMAKE_CURRENT_LIST_DIR}/ViewSearchTest.cpp)
    target_link_libraries(viewsearch_tests PRIVATE tavlo_view tavlo_textsearch
                          tavlo_widget_test_main)
    gtest_discover_tests(viewsearch_tests DISCOVERY_TIMEOUT 60
                         PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endif()
