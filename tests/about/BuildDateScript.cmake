# about/WriteBuildDate.cmake: the UTC date of the build (SOURCE_DATE_EPOCH here), written as C++
# numbers, and the file left alone while the date stays the same.
# Run as: cmake -DSCRIPT=<WriteBuildDate.cmake> -DWORK=<dir> -P BuildDateScript.cmake
set(out "${WORK}/BuildDate.cpp")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(write_at epoch)
    # A time zone far from UTC: the date must still be the UTC one.
    execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch} TZ=KIR-14
                            ${CMAKE_COMMAND} -DOUTPUT=${out} -P ${SCRIPT}
                    RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "WriteBuildDate.cmake failed (${rc})")
    endif()
endfunction()

function(expect_date expected)
    file(READ "${out}" text)
    string(FIND "${text}" "QDate(${expected})" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "expected QDate(${expected}) in:\n${text}")
    endif()
endfunction()

# 2024-03-08 23:59:59 UTC: month and day without a leading zero, not yet the 9th.
write_at(1709942399)
expect_date("2024, 3, 8")
file(TIMESTAMP "${out}" first "%s")

# The same date again: the file keeps its time, so nothing that includes it is rebuilt.
execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1.1)
write_at(1709856000)
file(TIMESTAMP "${out}" second "%s")
if(NOT first STREQUAL second)
    message(FATAL_ERROR "rewritten although the date did not change")
endif()

# A new day: rewritten.
write_at(1735084800)
expect_date("2024, 12, 25")
message(STATUS "WriteBuildDate.cmake writes the build's UTC date and only when it changed")
