# Writes OUTPUT, a source defining AboutBox::BuildDate() as the date of this build (UTC; the
# SOURCE_DATE_EPOCH date when that is set, for reproducible builds). Runs on every build and
# rewrites the file only when the date changed, so that an unchanged date recompiles nothing.
# Run as: cmake -DOUTPUT=<file> -P WriteBuildDate.cmake
string(TIMESTAMP year "%Y" UTC)
string(TIMESTAMP month "%m" UTC)
string(TIMESTAMP day "%d" UTC)
# Without the leading zero: 08 and 09 are no numbers in C++.
math(EXPR month "${month}")
math(EXPR day "${day}")
set(text "// Written at build time by about/WriteBuildDate.cmake.
#include \"about/winAboutBox.h\"

QDate AboutBox::BuildDate() { return QDate(${year}, ${month}, ${day}); }
")
if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" old)
    if(old STREQUAL text)
        return()
    endif()
endif()
file(WRITE "${OUTPUT}" "${text}")
