# The open-documents key and recent files (window-free), and the view's
# document operations and edit commands (offscreen widgets).
if(TARGET tavlo_appcore)
    add_executable(appcore_tests ${CMAKE_CURRENT_LIST_DIR}/../app/OpenDocumentsTest.cpp)
    target_link_libraries(appcore_tests PRIVATE tavlo_appcore tavlo_core_test_main)
    gtest_discover_tests(appcore_tests DISCOVERY_TIMEOUT 60)
endif()
if(TARGET tavlo_view)
    add_executable(document_tests
        ${CMAKE_CURRENT_LIST_DIR}/DocumentTest.cpp
        ${CMAKE_CURRENT_LIST_DIR}/EditCommandsTest.cpp
    )
    target_include_directories(document_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
    target_link_libraries(document_tests PRIVATE tavlo_view tavlo_widget_test_main)
    gtest_discover_tests(document_tests DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endif()
