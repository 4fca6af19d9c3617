# The search operations of the view, free of widgets so that the macro player
# and the tests use them without a window. Included from src/CMakeLists.txt.
add_library(tavlo_textsearch STATIC)
target_sources(tavlo_textsearch PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/CaseFold.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextSearch.cpp
)
target_include_directories(tavlo_textsearch PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tavlo_textsearch PUBLIC Qt6::Core tavlo_platform tavlo_res)
