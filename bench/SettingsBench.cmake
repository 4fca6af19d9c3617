# Reading and writing every preference through the registry database, as the
# editor does at start-up and when the settings sheet closes.
add_executable(settings_bench ${CMAKE_CURRENT_LIST_DIR}/SettingsBench.cpp)
target_link_libraries(settings_bench PRIVATE tavlo_settings benchmark::benchmark)
