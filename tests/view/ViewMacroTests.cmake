# The view's macro file commands (offscreen widgets).
if(TARGET tavlo_view AND TARGET tavlo_macro_ui)
    add_executable(view_macro_tests ${CMAKE_CURRENT_LIST_DIR}/ViewMacroCommandsTest.cpp)
    target_include_directories(view_macro_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
    target_link_libraries(view_macro_tests PRIVATE tavlo_view tavlo_macro_ui tavlo_widget_test_main)
    gtest_discover_tests(view_macro_tests DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endif()
# The same commands inside the whole editor.
if(TARGET tavlo_app)
    add_executable(view_macro_app_tests ${CMAKE_CURRENT_LIST_DIR}/ViewMacroAppTest.cpp)
    target_link_libraries(view_macro_app_tests PRIVATE tavlo_app tavlo_widget_test_main)
    gtest_discover_tests(view_macro_app_tests DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endif()
