# Search and replace-all over a 65,000-character text.
add_executable(search_bench ${CMAKE_CURRENT_LIST_DIR}/SearchBench.cpp)
target_link_libraries(search_bench PRIVATE tavlo_search benchmark::benchmark)

# The same through the view's edit control, offscreen.
if(TARGET tavlo_view)
    add_executable(search_view_bench ${CMAKE_CURRENT_LIST_DIR}/SearchViewBench.cpp)
    target_link_libraries(search_view_bench PRIVATE tavlo_view tavlo_search
                          benchmark::benchmark Qt6::Widgets)
endif()
