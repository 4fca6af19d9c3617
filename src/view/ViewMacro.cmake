# The view's macro file commands: Load Macro, Save Macro and the start-up load.
target_sources(tavlo_view PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ViewMacroCommands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ViewMacroCommands.h
)
target_link_libraries(tavlo_view PUBLIC tavlo_macro tavlo_macro_ui)
