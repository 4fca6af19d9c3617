# tavlo-cli macro run as a user starts it: a 20-step macro over a 1 MB file.
if(TARGET tavlo-cli)
    add_executable(macro_run_bench ${CMAKE_CURRENT_LIST_DIR}/MacroRunBench.cpp)
    target_link_libraries(macro_run_bench PRIVATE Qt6::Core benchmark::benchmark)
    target_compile_definitions(macro_run_bench PRIVATE TAVLO_CLI="$<TARGET_FILE:tavlo-cli>")
    add_dependencies(macro_run_bench tavlo-cli)
endif()
