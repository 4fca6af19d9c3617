# The view's document operations and edit commands with their dialogs.
target_sources(tavlo_view PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/DocumentFileDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EditCommands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EditerDocument.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FileInfoDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/JumpDialog.cpp
)
target_link_libraries(tavlo_view PUBLIC tavlo_text tavlo_language tavlo_appcore tavlo_filedlg_ui)
include(GNUInstallDirs)
# The help page: found installed, beside the program, or in the source tree.
target_compile_definitions(tavlo_view PRIVATE
    TAVLO_HELP_SOURCE_DIR="${PROJECT_SOURCE_DIR}/data/help"
    TAVLO_HELP_INSTALL_DIR="${CMAKE_INSTALL_FULL_DATADIR}/tavlo/help")
install(FILES ${PROJECT_SOURCE_DIR}/data/help/TAVLO100.htm
        DESTINATION ${CMAKE_INSTALL_DATADIR}/tavlo/help)
