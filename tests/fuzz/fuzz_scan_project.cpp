// The scanner's project readers on any bytes: as a text manifest beside a few item files it may
// list, as an XML project and as a file that may be a binary project. Each reading keeps its
// indices inside the item it describes, and none depends on the line endings.

#include "scan/Project.h"
#include "scan/Scanner.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzScan.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// The project folder, made once: items a manifest may list (by these paths, in any letter case),
// a binary one, a folder, and a folder the exclusions skip. The input's own file is written
// and removed again for each reading, so every reading sees the same folder.
struct Folder
{
    QTemporaryDir root{QDir::tempPath() + QStringLiteral("/vantrel-fuzz-scan-XXXXXX")};
    QString project;

    Folder()
    {
        project = QDir::cleanPath(root.path() + QStringLiteral("/project"));
        const struct
        {
            const char *path;
            QByteArray data;
        } files[] = {
            {"Widget.xojo_code",
             "#tag Class\nProtected Class Widget\nInherits ListBox\n\t#tag Method, Flags = &h0\n"
             "\t\tSub Fill(rs As RecordSet)\n\t\t  Me.Cell(0, 0) = Mid(\"abc\", 2)\n\t\tEnd Sub\n"
             "\t#tag EndMethod\n\n\t#tag Property, Flags = &h0\n\t\tRows As Integer\n"
             "\t#tag EndProperty\nEnd Class\n#tag EndClass\n"},
            {"Windows/Main.xojo_window",
             "#tag Window\nBegin Window Main\n   Begin PushButton OK\n   End\nEnd\n"
             "#tag EndWindow\n\n#tag WindowCode\n\t#tag Event\n\t\tSub Open()\n"
             "\t\t  OK.Caption = Left(Title, 3)\n\t\tEnd Sub\n\t#tag EndEvent\n"
             "#tag EndWindowCode\n"},
            {"Blob.xojo_code",
             QByteArray("RbBF\0\0\0\2"
                        "Blok",
                        12)},
            {"skipped/Hidden.xojo_code", "#tag Module\nModule Hidden\nEnd Module\n#tag EndModule\n"},
            {"Notes/.keep", ""},
        };
        bool ok = root.isValid();
        for (const auto &f : files) {
            const QString path = project + u'/' + QString::fromUtf8(f.path);
            ok = ok && QDir().mkpath(QFileInfo(path).absolutePath());
            QFile file(path);
            ok = ok && file.open(QIODevice::WriteOnly) && file.write(f.data) == f.data.size();
        }
        if (!ok) {
            std::fprintf(stderr, "cannot make the project folder below %s\n", qPrintable(QDir::tempPath()));
            std::abort();
        }
    }
};

Folder &folder()
{
    static Folder f;
    return f;
}

// An item's indices all point into its own lines; the scanner relies on it.
void checkItem(const Scan::Item &item)
{
    const int lines = int(item.lines.size());
    FUZZ_CHECK(item.fileLines.empty() || item.fileLines.size() == item.lines.size());
    FUZZ_CHECK(item.columnBase.size() == item.fileLines.size());
    FUZZ_CHECK(item.superLine < lines);
    if (!item.super.isEmpty())
        FUZZ_CHECK(item.superLine >= 0);
    for (const Scan::Member &m : item.members)
        FUZZ_CHECK(m.firstLine >= 0 && m.firstLine <= m.endLine && m.endLine <= lines);
    for (const Scan::Control &c : item.controls)
        FUZZ_CHECK(c.line >= 0 && c.line < lines);
    if (item.isLayout)
        FUZZ_CHECK(!item.controls.isEmpty());
    // Line views lie inside the bytes that hold them.
    const QByteArray &holder = item.fileLines.empty() ? item.data : item.xmlText;
    for (std::string_view line : item.lines) {
        if (line.empty())
            continue;
        FUZZ_CHECK(line.data() >= holder.constData());
        FUZZ_CHECK(line.data() + line.size() <= holder.constData() + holder.size());
    }
}

// Everything a reading gives that does not depend on the line endings.
QStringList facts(const Scan::Project &p, qint64 inputBytes, bool scan)
{
    QStringList out{p.folder, p.manifest, p.projectType, QString::number(p.bytesRead - inputBytes)};
    out << p.errors;
    for (const Scan::Unread &u : p.unread)
        out << QStringLiteral("unread %1: %2").arg(u.file, u.reason);
    for (const Scan::Item &item : p.items) {
        checkItem(item);
        out << QStringLiteral("item %1 %2 %3 %4 %5 %6:%7 %8")
                   .arg(item.file, item.absPath, item.name, item.kind, item.super)
                   .arg(item.superLine)
                   .arg(item.superColumn)
                   .arg(item.isLayout);
        for (const Scan::Control &c : item.controls)
            out << QStringLiteral("control %1 %2 %3:%4 in %5")
                       .arg(c.name, c.className)
                       .arg(c.line)
                       .arg(c.column)
                       .arg(c.parent);
        for (const Scan::Member &m : item.members)
            out << QStringLiteral("member %1 %2 %3 %4%5 %6-%7")
                       .arg(m.name, m.control)
                       .arg(int(m.kind))
                       .arg(m.isEvent)
                       .arg(m.isMenuHandler)
                       .arg(m.firstLine)
                       .arg(m.endLine);
        for (size_t i = 0; i < item.lines.size(); ++i)
            out << QStringLiteral("%1:%2 ").arg(item.fileLineOf(int(i))).arg(item.columnBaseOf(int(i)))
                    + QString::fromUtf8(item.lines[i].data(), qsizetype(item.lines[i].size()));
    }
    if (scan) {
        const Scan::ScanResult result = Scan::ScanProject(p, Scan::ScanCatalogue::Builtin());
        for (const Scan::Finding &f : result.findings)
            out << FuzzScan::describe(f);
        out << result.errors;
    }
    return out;
}

Scan::Project read(const QString &file, const QByteArray &bytes, const QString &path, const Scan::ReadOptions &options)
{
    {
        QFile out(file);
        FUZZ_CHECK(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    }
    Scan::Project project = Scan::ReadProject({path}, options);
    FUZZ_CHECK(QFile::remove(file));
    return project;
}

// Reads the bytes in both line-ending forms as the named file, given to the reader as path;
// answers the reading of the LF form.
Scan::Project checkForm(const QString &name, const QString &path, const QByteArray &lf, const QByteArray &crlf,
                        const Scan::ReadOptions &options, bool scan)
{
    const QString file = folder().project + u'/' + name;
    const Scan::Project a = read(file, lf, path, options);
    const QStringList lfFacts = facts(a, lf.size(), scan);
    if (crlf == lf)
        return a;
    const Scan::Project b = read(file, crlf, path, options);
    const QStringList crlfFacts = facts(b, crlf.size(), scan);
    if (lfFacts != crlfFacts) {
        std::fprintf(stderr, "%s, LF:\n%s\nCRLF:\n%s\n", qPrintable(name), qPrintable(lfFacts.join(u'\n')),
                     qPrintable(crlfFacts.join(u'\n')));
        FUZZ_CHECK(lfFacts == crlfFacts);
    }
    return a;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString project = folder().project;
    // The LF form has no CR at all, so turning each LF into CRLF adds no line.
    QByteArray lf(reinterpret_cast<const char *>(data), qsizetype(size));
    lf.replace('\r', QByteArray());
    QByteArray crlf = lf;
    crlf.replace("\n", "\r\n");

    Scan::ReadOptions options;
    options.excludeGlobs = {QStringLiteral("skipped"), QStringLiteral("*.tmp")};
    // The manifest is found by its folder, as a user names a project.
    checkForm(QStringLiteral("Fuzz.xojo_project"), project, lf, crlf, options, false);
    checkForm(QStringLiteral("Fuzz.xojo_xml_project"), project + QStringLiteral("/Fuzz.xojo_xml_project"), lf, crlf,
              options, true);

    // A loose item file, with a line limit the input can pass.
    options.maxLineBytes = 200;
    const QString loose = project + QStringLiteral("/Fuzz.xojo_binary_project");
    const Scan::Project p = checkForm(QStringLiteral("Fuzz.xojo_binary_project"), loose, lf, crlf, options, false);
    if (lf.startsWith("RbBF")) {
        FUZZ_CHECK(p.items.isEmpty() && p.unread.size() == 1 && p.errors.isEmpty());
        FUZZ_CHECK(p.unread.first().reason.startsWith(QLatin1String("binary format")));
    }
    return 0;
}
