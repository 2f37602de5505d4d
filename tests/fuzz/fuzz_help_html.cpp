// Help topics as HTML: the measured plain text and the HTML test, on any text.

#include "help/Help.h"
#include "help/HelpLayout.h"
#include "tests/fuzz/FuzzCheck.h"

#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

bool isAsciiLetter(QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

// A tag as the function removes it: '<', a letter or '/', no '<' or '>' up to the closing '>'.
bool holdsTag(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != u'<' || !(isAsciiLetter(text.at(i + 1)) || text.at(i + 1) == u'/'))
            continue;
        for (qsizetype j = i + 1; j < text.size() && text.at(j) != u'<'; ++j) {
            if (text.at(j) == u'>')
                return true;
        }
    }
    return false;
}

// Tags are removed in one pass, so "<<b>i>" leaves "<i>": only a text without a '<' inside a
// would-be tag can be held to "no tag left".
bool holdsNestedOpening(const QString &text)
{
    bool open = false;
    for (QChar c : text) {
        if (c == u'<') {
            if (open)
                return true;
            open = true;
        } else if (c == u'>') {
            open = false;
        }
    }
    return false;
}

// White space as the shortening treats it: the ASCII kind. U+00A0 and the other Unicode spaces
// are not shortened (three of them stay three); see the seed unicode_space_run.
bool isAsciiWhite(QChar c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

bool holdsLongWhiteRun(const QString &text)
{
    int run = 0;
    for (QChar c : text) {
        run = isAsciiWhite(c) ? run + 1 : 0;
        if (run >= 3)
            return true;
    }
    return false;
}

QString swapAsciiCase(const QString &text)
{
    QString swapped = text;
    for (QChar &c : swapped) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
        else if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    }
    return swapped;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString html = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    const QString raw = HelpLayout::RawTextFromHTML(html);
    if (!holdsNestedOpening(html))
        FUZZ_CHECK(!holdsTag(raw));
    FUZZ_CHECK(!holdsLongWhiteRun(raw));
    FUZZ_CHECK(raw == raw.trimmed());
    // Removing markup never makes the text longer than the source ("&nbsp" and tags shrink).
    FUZZ_CHECK(raw.size() <= html.size());

    // The markers ignore letter case, and more text around a marker keeps it.
    const bool isHtml = Help::IsHTML(html);
    FUZZ_CHECK(Help::IsHTML(swapAsciiCase(html)) == isHtml);
    if (isHtml)
        FUZZ_CHECK(Help::IsHTML(QStringLiteral("x ") + html + QStringLiteral(" y")));
    FUZZ_CHECK(Help::IsHTML(html + QStringLiteral("<P>")));
    return 0;
}
