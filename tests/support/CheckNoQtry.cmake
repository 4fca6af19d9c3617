# Fails when a test uses QTest's QTRY_* macros: they report to QTest's own
# logger, so under GoogleTest a failing QTRY_* check passes silently. Use
# TAVLO_TRY_* from WaitFor.h instead.
file(GLOB_RECURSE sources "${TESTS_DIR}/*.cpp" "${TESTS_DIR}/*.h")
set(found "")
foreach(source IN LISTS sources)
    if(source MATCHES "/support/")
        continue()
    endif()
    file(STRINGS "${source}" lines REGEX "QTRY_[A-Z_]*\\(")
    if(lines)
        list(APPEND found "${source}")
    endif()
endforeach()
if(found)
    list(JOIN found "\n  " text)
    message(FATAL_ERROR "QTRY_* does not fail a GoogleTest test; use TAVLO_TRY_* (WaitFor.h) in:\n  ${text}")
endif()
