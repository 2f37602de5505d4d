# Turns a text data file into a C++ source that returns it as a QString, byte for byte.
# Used at configure time: embed_text_file(<input> <output> <function name in namespace Help>).
function(embed_text_file input output function)
    file(READ "${input}" hex HEX)
    string(LENGTH "${hex}" hexLength)
    math(EXPR byteCount "${hexLength} / 2")
    # 16 bytes a line keeps the generated file readable in a diff.
    string(REPEAT "[0-9a-f][0-9a-f]" 16 line)
    string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${hex}")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
    get_filename_component(name "${input}" NAME)
    file(CONFIGURE OUTPUT "${output}" @ONLY CONTENT
"// Generated from help/${name} at configure time; edit that file instead.
#include \"help/Help.h\"

namespace {
// One extra zero byte so that an empty file still gives a valid array.
const unsigned char kData[] = {
    @bytes@0x00
};
} // namespace

const QString &Help::${function}()
{
    static const QString text = QString::fromUtf8(reinterpret_cast<const char *>(kData), @byteCount@);
    return text;
}
")
endfunction()
