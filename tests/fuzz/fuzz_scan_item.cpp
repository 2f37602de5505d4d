// The scanner on one text item of any bytes: reading it and lexing its members must not depend
// on the line endings.

#include "scan/Project.h"
#include "scan/Scanner.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzScan.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

namespace {

struct Outcome
{
    bool parsed = false;
    QStringList facts; // the item's symbols and each finding, line ending free
};

Outcome scan(const QByteArray &bytes)
{
    Outcome out;
    Scan::Item item;
    item.file = QStringLiteral("Fuzz.xojo_code");
    item.data = bytes;
    QString why;
    out.parsed = Scan::ParseTextItem(item, &why);
    if (!out.parsed)
        return out;
    out.facts << item.name << item.kind << item.super << QString::number(item.superLine)
              << QString::number(item.superColumn) << QString::number(item.lines.size())
              << QString::number(item.controls.size()) << QString::number(item.members.size());
    for (const Scan::Member &m : item.members)
        out.facts << QStringLiteral("member %1 %2 %3-%4").arg(m.name, m.control).arg(m.firstLine).arg(m.endLine);
    Scan::Project project;
    project.items.append(std::move(item));
    const Scan::ScanResult result = Scan::ScanProject(project, Scan::ScanCatalogue::Builtin());
    for (const Scan::Finding &f : result.findings)
        out.facts << FuzzScan::describe(f);
    out.facts << result.errors;
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The LF form has no CR at all, so turning each LF into CRLF adds no line.
    QByteArray lf(reinterpret_cast<const char *>(data), qsizetype(size));
    lf.replace('\r', QByteArray());
    QByteArray crlf = lf;
    crlf.replace("\n", "\r\n");

    std::vector<std::string_view> lfLines;
    std::vector<std::string_view> crlfLines;
    const qsizetype lfLongest = Scan::SplitLines(std::string_view(lf.constData(), size_t(lf.size())), lfLines);
    const qsizetype crlfLongest = Scan::SplitLines(std::string_view(crlf.constData(), size_t(crlf.size())), crlfLines);
    FUZZ_CHECK(lfLines == crlfLines);
    FUZZ_CHECK(lfLongest == crlfLongest);
    FUZZ_CHECK(Scan::IsValidUtf8(std::string_view(lf.constData(), size_t(lf.size())))
               == Scan::IsValidUtf8(std::string_view(crlf.constData(), size_t(crlf.size()))));

    const Outcome a = scan(lf);
    const Outcome b = scan(crlf);
    FUZZ_CHECK(a.parsed == b.parsed);
    if (a.facts != b.facts) {
        std::fprintf(stderr, "LF:\n%s\nCRLF:\n%s\n", qPrintable(a.facts.join(u'\n')), qPrintable(b.facts.join(u'\n')));
        FUZZ_CHECK(a.facts == b.facts);
    }
    return 0;
}
