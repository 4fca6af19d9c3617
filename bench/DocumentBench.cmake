# Opening and showing a 10 MB Shift-JIS file, and saving it again, offscreen.
if(TARGET tavlo_view)
    add_executable(document_open_save ${CMAKE_CURRENT_LIST_DIR}/DocumentBench.cpp)
    target_link_libraries(document_open_save PRIVATE tavlo_view benchmark::benchmark)
endif()
