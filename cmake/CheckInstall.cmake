# Installs the build into PREFIX and checks that the programs, the desktop
# entry and the icon are where the desktop looks for them.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${result}):\n${output}")
endif()

foreach(program IN LISTS PROGRAMS)
    set(path "${PREFIX}/${BINDIR}/${program}")
    if(NOT EXISTS "${path}" OR IS_DIRECTORY "${path}")
        message(FATAL_ERROR "missing program ${path}")
    endif()
    file(READ "${path}" head LIMIT 4 HEX)
    if(NOT head STREQUAL "7f454c46")
        message(FATAL_ERROR "${path} is not an executable")
    endif()
endforeach()

set(desktop "${PREFIX}/${DATADIR}/applications/tavlo.desktop")
set(icon "${PREFIX}/${DATADIR}/icons/hicolor/scalable/apps/tavlo.svg")
foreach(path "${desktop}" "${icon}")
    if(NOT EXISTS "${path}")
        message(FATAL_ERROR "missing ${path}")
    endif()
endforeach()

file(STRINGS "${desktop}" lines ENCODING UTF-8)
foreach(expected "Name=Tavlo Text Editor" "Name[ja]=Tavloテキストエディタ" "Exec=tavlo %f" "Icon=tavlo"
                 "Type=Application")
    list(FIND lines "${expected}" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "${desktop} lacks the line \"${expected}\"")
    endif()
endforeach()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
    execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${desktop}"
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "desktop-file-validate rejects the entry:\n${output}")
    endif()
endif()

file(READ "${icon}" svg)
if(NOT svg MATCHES "<svg[^>]*viewBox=\"0 0 128 128\"")
    message(FATAL_ERROR "${icon} is not the program's SVG icon")
endif()
file(REMOVE_RECURSE "${PREFIX}")
