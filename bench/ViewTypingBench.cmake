# Typing into the view: 10,000 characters into a 60,000-character document,
# offscreen, in both wrap modes.
if(TARGET tavlo_view)
    add_executable(view_typing ${CMAKE_CURRENT_LIST_DIR}/ViewTypingBench.cpp)
    target_link_libraries(view_typing PRIVATE tavlo_view benchmark::benchmark)
endif()
