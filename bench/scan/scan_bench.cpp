// The scanner on a generated text project of about 2,000 items and 50 MB, and, in the same
// run over the same files, `grep -c -i -F -f` with the catalogue's names: the bare cost of
// finding the words. Targets: at least 100 MB/s on one core, at most 3x grep's time.
//
//   build/bench/bench/scan/bench_scan [--items N] [--megabytes M] [benchmark options]
//
// The project is written to a temporary folder first (not timed); both sides read it from the
// page cache. The scanner runs on one thread; grep is one process. grep runs with LC_ALL=C,
// the same ASCII case folding the scanner does.

#include "catalogue/CatalogueRows.h"
#include "scan/Project.h"
#include "scan/Scanner.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <cstdio>

namespace {

struct Generated
{
    QString manifest;
    QStringList files;
    qint64 bytes = 0;
    QString patterns;
};

Generated g_project;

// Code of the 2019 style mixed with current API, comments, strings and guards.
const char *const kBody[] = {
    "\t\t  Dim rs%1 As RecordSet = db.SQLSelect(\"SELECT * FROM t%1 WHERE name <> 'x'\")",
    "\t\t  While Not rs%1.EOF",
    "\t\t    ListBox1.AddRow rs%1.Field(\"name\").StringValue",
    "\t\t    rs%1.MoveNext",
    "\t\t  Wend",
    "\t\t  Var s%1 As String = \"it's value %1\" // a comment with InStr(",
    "\t\t  If s%1.IndexOf(\"x\") > 0 Then s%1 = s%1.Middle(1, 2)",
    "\t\t  n = InStr(s%1, \"a\") + Len(s%1) + _",
    "\t\t    CountFields(s%1, \",\")",
    "\t\t  ' commented out: Mid(s, 1)",
    "\t\t  Var d%1 As New DateTime(2020, 1, 1)",
    "\t\t  For i As Integer = 0 To values.LastRowIndex",
    "\t\t    total = total + values(i) * %1 + Me.Cell(i, 0).Val",
    "\t\t  Next",
    "\t\t  #If XojoVersion < 2019.02 Then",
    "\t\t    old = Mid(s%1, 2)",
    "\t\t  #EndIf",
};

QByteArray item(int index, qint64 targetBytes, bool window)
{
    QByteArray out;
    const QByteArray name = "Item" + QByteArray::number(index);
    if (window) {
        out += "#tag Window\nBegin Window " + name + "\n   Title = \"Window\"\n";
        for (int c = 0; c < 6; ++c)
            out += "   Begin ListBox ListBox" + QByteArray::number(c) + "\n      ColumnCount = 2\n   End\n";
        out += "End\n#tag EndWindow\n\n#tag WindowCode\n";
    } else {
        out += "#tag Class\nProtected Class " + name + "\nInherits ListBox\n";
    }
    int method = 0;
    while (out.size() < targetBytes) {
        out += "\t#tag Method, Flags = &h0\n\t\tFunction M" + QByteArray::number(method) +
               "(db As SQLiteDatabase, values() As Integer) As Integer\n";
        for (const char *line : kBody)
            out += QByteArray(line).replace("%1", QByteArray::number(method)) + '\n';
        out += "\t\t  Return total\n\t\tEnd Function\n\t#tag EndMethod\n\n";
        ++method;
    }
    out += window ? "#tag EndWindowCode\n" : "End Class\n#tag EndClass\n";
    return out;
}

Generated generate(const QString &dir, int items, qint64 megabytes)
{
    Generated g;
    const qint64 perItem = megabytes * 1024 * 1024 / items;
    QByteArray manifest = "Type=Desktop\nRBProjectVersion=2019.011\n";
    QDir(dir).mkpath(QStringLiteral("Items"));
    for (int i = 0; i < items; ++i) {
        const bool window = i % 10 == 0;
        const QString rel = QStringLiteral("Items/Item%1.%2").arg(i).arg(window ? u"xojo_window" : u"xojo_code");
        const QByteArray text = item(i, perItem, window);
        QFile f(dir + u'/' + rel);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write the generated project");
        f.write(text);
        g.bytes += text.size();
        g.files.append(dir + u'/' + rel);
        manifest += (window ? "Window=Item" : "Class=Item") + QByteArray::number(i) + ';' + rel.toUtf8() + ";&h" +
                    QByteArray::number(i + 1, 16) + ";&h0;false\n";
    }
    g.manifest = dir + QStringLiteral("/Generated.xojo_project");
    QFile m(g.manifest);
    if (!m.open(QIODevice::WriteOnly))
        qFatal("cannot write the manifest");
    m.write(manifest);

    // The catalogue's names, as the words the scanner looks for: each dotted name's parts.
    QSet<QString> words;
    for (const Catalogue::Row &row : Catalogue::Rows::Builtin().all())
        for (const QString &part : row.name.split(u'.'))
            if (!part.isEmpty() && !part.contains(u' '))
                words.insert(part);
    g.patterns = dir + QStringLiteral("/names.txt");
    QFile p(g.patterns);
    if (!p.open(QIODevice::WriteOnly))
        qFatal("cannot write the pattern file");
    for (const QString &w : std::as_const(words))
        p.write(w.toUtf8() + '\n');
    return g;
}

void BM_ScanProject(benchmark::State &state)
{
    const Scan::ScanCatalogue &catalogue = Scan::ScanCatalogue::Builtin();
    qsizetype findings = 0;
    for (auto _ : state) {
        const Scan::Project project = Scan::ReadProject({g_project.manifest});
        const Scan::ScanResult result = Scan::ScanProject(project, catalogue);
        findings = result.findings.size();
        benchmark::DoNotOptimize(findings);
    }
    state.SetBytesProcessed(state.iterations() * g_project.bytes);
    state.counters["findings"] = double(findings);
}

void BM_GrepNames(benchmark::State &state)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    const QStringList args = QStringList{QStringLiteral("-c"), QStringLiteral("-i"), QStringLiteral("-F"),
                                         QStringLiteral("-f"), g_project.patterns} +
                             g_project.files;
    for (auto _ : state) {
        QProcess grep;
        grep.setProcessEnvironment(env);
        grep.start(QStringLiteral("grep"), args);
        if (!grep.waitForFinished(-1) || grep.exitCode() > 1) {
            state.SkipWithError("grep failed");
            return;
        }
        benchmark::DoNotOptimize(grep.readAllStandardOutput().size());
    }
    state.SetBytesProcessed(state.iterations() * g_project.bytes);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int items = 2000;
    qint64 megabytes = 50;
    std::vector<char *> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--items" && i + 1 < argc)
            items = QByteArray(argv[++i]).toInt();
        else if (a == "--megabytes" && i + 1 < argc)
            megabytes = QByteArray(argv[++i]).toLongLong();
        else
            rest.push_back(argv[i]);
    }
    QTemporaryDir dir;
    g_project = generate(dir.path(), qMax(1, items), qMax<qint64>(1, megabytes));
    std::printf("Generated project: %d items, %.1f MB\n", items, double(g_project.bytes) / (1024.0 * 1024.0));

    benchmark::RegisterBenchmark("ScanProject", BM_ScanProject)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("GrepNames", BM_GrepNames)->Unit(benchmark::kMillisecond)->UseRealTime();
    int n = int(rest.size());
    benchmark::Initialize(&n, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
