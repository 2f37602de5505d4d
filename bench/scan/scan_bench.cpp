// The scanner on a generated text project of about 2,000 items and 50 MB, and, in the same
// run over the same files, `grep -c -i -F -f` with the catalogue's names: the bare cost of
// finding the words. Targets: at least 100 MB/s on one core, at most 3x grep's time.
//
//   build/bench/bench/scan/bench_scan [--items N] [--megabytes M] [--legacy K] [benchmark options]
//     --legacy K: one method in K is written in the 2019 style (default 4), the rest in current API
//   build/bench/bench/scan/bench_scan --write DIR   (only writes the project, to try vantrel-cli on)
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

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <iterator>

namespace {

struct Generated
{
    QString manifest;
    QStringList files;
    qint64 bytes = 0;
    QString patterns;
};

Generated g_project;

// The fastest iteration of each side, wall-clock and CPU (grep's CPU is its child rusage).
struct Best
{
    double wall = 1e99, cpu = 1e99;
    void take(double w, double c)
    {
        wall = std::min(wall, w);
        cpu = std::min(cpu, c);
    }
};
Best g_scan, g_grep;

double wallNow() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }
double processCpu()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}
double childrenCpu()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}
int g_legacyShare = 4;

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

const char *const kModern[std::size(kBody)] = {
    "\t\t  Var rs%1 As RowSet = db.SelectSQL(\"SELECT * FROM t%1 WHERE name <> 'x'\")",
    "\t\t  For Each row As DatabaseRow In rs%1",
    "\t\t    ListBox1.AddRow(row.Column(\"name\").StringValue)",
    "\t\t  Next",
    "\t\t  Var s%1 As String = \"it's value %1\" // a comment with IndexOf(",
    "\t\t  If s%1.IndexOf(\"x\") > 0 Then s%1 = s%1.Middle(1, 2)",
    "\t\t  n = s%1.IndexOf(\"a\") + s%1.Length + _",
    "\t\t    s%1.CountFields(\",\")",
    "\t\t  ' the old form was Mid(s, 1)",
    "\t\t  Var d%1 As New DateTime(2020, 1, 1)",
    "\t\t  For i As Integer = 0 To values.LastIndex",
    "\t\t    total = total + values(i) * %1 + ListBox1.CellTextAt(i, 0).ToInteger",
    "\t\t  Next",
    "\t\t  If total > 100 Then",
    "\t\t    total = total - d%1.Year",
    "\t\t  End If",
    nullptr,
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
        out += "\t#tag Method, Flags = &h0\n\t\tFunction M" + QByteArray::number(method)
            + "(db As SQLiteDatabase, values() As Integer) As Integer\n";
        // One method in g_legacyShare is in the 2019 style, the others in the current API only.
        for (const char *line : (method % g_legacyShare ? kModern : kBody))
            if (line)
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
        manifest += (window ? "Window=Item" : "Class=Item") + QByteArray::number(i) + ';' + rel.toUtf8() + ";&h"
            + QByteArray::number(i + 1, 16) + ";&h0;false\n";
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
        const double w0 = wallNow(), c0 = processCpu();
        const Scan::Project project = Scan::ReadProject({g_project.manifest});
        // As vantrel-cli scans by default: uses of medium confidence and up.
        const Scan::ScanResult result = Scan::ScanProject(project, catalogue, Scan::Confidence::Medium);
        findings = result.findings.size();
        benchmark::DoNotOptimize(findings);
        g_scan.take(wallNow() - w0, processCpu() - c0);
    }
    state.SetBytesProcessed(state.iterations() * g_project.bytes);
    state.counters["findings"] = double(findings);
}

// Reading alone: the manifest, every item's bytes, the UTF-8 check and the item structure.
void BM_ReadProject(benchmark::State &state)
{
    for (auto _ : state) {
        const Scan::Project project = Scan::ReadProject({g_project.manifest});
        benchmark::DoNotOptimize(project.items.size());
    }
    state.SetBytesProcessed(state.iterations() * g_project.bytes);
}

void BM_GrepNames(benchmark::State &state)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    const QStringList args = QStringList{QStringLiteral("-c"), QStringLiteral("-i"), QStringLiteral("-F"),
                                         QStringLiteral("-f"), g_project.patterns}
        + g_project.files;
    for (auto _ : state) {
        const double w0 = wallNow(), c0 = childrenCpu();
        QProcess grep;
        grep.setProcessEnvironment(env);
        grep.start(QStringLiteral("grep"), args);
        if (!grep.waitForFinished(-1) || grep.exitCode() > 1) {
            state.SkipWithError("grep failed");
            return;
        }
        benchmark::DoNotOptimize(grep.readAllStandardOutput().size());
        g_grep.take(wallNow() - w0, childrenCpu() - c0);
    }
    state.SetBytesProcessed(state.iterations() * g_project.bytes);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int items = 2000;
    qint64 megabytes = 50;
    QString keep; // --write DIR: generate into DIR, keep it, and stop
    std::vector<char *> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--items" && i + 1 < argc)
            items = QByteArray(argv[++i]).toInt();
        else if (a == "--megabytes" && i + 1 < argc)
            megabytes = QByteArray(argv[++i]).toLongLong();
        else if (a == "--legacy" && i + 1 < argc)
            g_legacyShare = qMax(1, QByteArray(argv[++i]).toInt());
        else if (a == "--write" && i + 1 < argc)
            keep = QString::fromLocal8Bit(argv[++i]);
        else
            rest.push_back(argv[i]);
    }
    QTemporaryDir dir;
    g_project = generate(keep.isEmpty() ? dir.path() : keep, qMax(1, items), qMax<qint64>(1, megabytes));
    if (!keep.isEmpty())
        return 0;
    std::printf("Generated project: %d items, %.1f MB\n", items, double(g_project.bytes) / (1024.0 * 1024.0));

    benchmark::RegisterBenchmark("ScanProject", BM_ScanProject)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("ReadProject", BM_ReadProject)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("GrepNames", BM_GrepNames)->Unit(benchmark::kMillisecond)->UseRealTime();
    int n = int(rest.size());
    benchmark::Initialize(&n, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_scan.wall < 1e98 && g_grep.wall < 1e98) {
        const double mb = double(g_project.bytes) / (1024.0 * 1024.0);
        std::printf("\nFastest runs over %.1f MB:\n"
                    "  vantrel scan  %7.1f ms wall (%6.1f MB/s)  %7.1f ms CPU (%6.1f MB/s)\n"
                    "  grep -ciFf    %7.1f ms wall (%6.1f MB/s)  %7.1f ms CPU (%6.1f MB/s)\n"
                    "  scan / grep   %.2fx wall, %.2fx CPU\n",
                    mb, g_scan.wall * 1e3, mb / g_scan.wall, g_scan.cpu * 1e3, mb / g_scan.cpu, g_grep.wall * 1e3,
                    mb / g_grep.wall, g_grep.cpu * 1e3, mb / g_grep.cpu, g_scan.wall / g_grep.wall,
                    g_scan.cpu / g_grep.cpu);
    }
    return 0;
}
