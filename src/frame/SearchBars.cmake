# The find bar, the replace bar and their commands. Included from
# src/CMakeLists.txt; the frame links tavlo_searchbars and docks the bars.
add_library(tavlo_searchbars STATIC)
target_sources(tavlo_searchbars PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/SearchBar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FindBar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReplaceBar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SearchBarController.cpp
)
target_include_directories(tavlo_searchbars PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tavlo_searchbars PUBLIC Qt6::Widgets tavlo_textsearch tavlo_settings
                      tavlo_platform tavlo_res)
