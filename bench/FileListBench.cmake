# Listing and sorting a folder of 10,000 files in the file select dialog's list.
if(TARGET tavlo_filedlg)
    add_executable(filelist_bench ${CMAKE_CURRENT_LIST_DIR}/FileListBench.cpp)
    target_link_libraries(filelist_bench PRIVATE tavlo_filedlg benchmark::benchmark)
endif()
