# Installation: the editor, its command-line companion, the desktop entry (which
# the settings sheet's file page makes the default application), the icon and
# the MIME type of macro files (.mcr, known to the desktop once
# update-mime-database has run), in the usual places below CMAKE_INSTALL_PREFIX.
if(TARGET tavlo)
    install(TARGETS tavlo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET tavlo-cli)
    install(TARGETS tavlo-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/data/tavlo.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/tavlo.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/data/tavlo-macro.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

# A test installs into a folder of the build tree and checks what arrived.
if(BUILD_TESTING)
    set(_tavlo_installed_programs "")
    foreach(_program tavlo tavlo-cli)
        if(TARGET ${_program})
            list(APPEND _tavlo_installed_programs ${_program})
        endif()
    endforeach()
    add_test(NAME install.layout
             COMMAND ${CMAKE_COMMAND}
                     -DBUILD_DIR=${PROJECT_BINARY_DIR}
                     -DPREFIX=${PROJECT_BINARY_DIR}/install-check
                     -DBINDIR=${CMAKE_INSTALL_BINDIR}
                     -DDATADIR=${CMAKE_INSTALL_DATADIR}
                     "-DPROGRAMS=${_tavlo_installed_programs}"
                     -P ${PROJECT_SOURCE_DIR}/cmake/CheckInstall.cmake)
endif()
