# Turns one catalogue data file into a C++ source holding it as a UTF-16 literal, so the
# program reads the table in place: no resource lookup, no decoding, no copy at start-up.
# Script mode: cmake -DINPUT=<data file> -DOUTPUT=<source> -DNAME=<accessor> -P EmbedTable.cmake
foreach(var INPUT OUTPUT NAME)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "EmbedTable.cmake: ${var} is not set")
    endif()
endforeach()

file(READ "${INPUT}" text)
string(REPLACE "\\" "\\\\" text "${text}")
string(REPLACE "\"" "\\\"" text "${text}")
string(REPLACE "\t" "\\t" text "${text}")
string(REPLACE "\r" "\\r" text "${text}")
# One literal a row keeps the generated file readable and the compiler's lines short.
string(REPLACE "\n" "\\n\"\n    u\"" text "${text}")
get_filename_component(fileName "${INPUT}" NAME)

set(content "// Generated from catalogue/${fileName} by catalogue/EmbedTable.cmake; edit the data file.
#include \"catalogue/CatalogueText.h\"

#include <iterator>

namespace {
// Non-ASCII characters stay UTF-8 here; the compiler turns the literal into UTF-16.
constexpr char16_t kText[] =
    u\"${text}\";
constexpr qsizetype kLength = qsizetype(std::size(kText)) - 1;
} // namespace

QStringView Catalogue::${NAME}_View()
{
    return QStringView(kText, kLength);
}

QString Catalogue::${NAME}()
{
    return QString::fromRawData(reinterpret_cast<const QChar *>(kText), kLength);
}
")

# Rewrite only on change, so an unchanged table does not rebuild the library.
if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" previous)
    if(previous STREQUAL content)
        return()
    endif()
endif()
file(WRITE "${OUTPUT}" "${content}")
