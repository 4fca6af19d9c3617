# The open-documents key and the recent-file list: window-free, so that the
# view can register its file and tests run them on a temporary registry.
add_library(tavlo_appcore STATIC)
target_sources(tavlo_appcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/OpenDocuments.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OpenDocuments.h
    ${CMAKE_CURRENT_LIST_DIR}/RecentFileList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RecentFileList.h
)
target_include_directories(tavlo_appcore PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tavlo_appcore PUBLIC tavlo_platform tavlo_settings tavlo_res Qt6::Core)
