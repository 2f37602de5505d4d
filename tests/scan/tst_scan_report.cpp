// The report formats on the fixture projects: JSON fields, SARIF against the OASIS schema,
// GitHub annotations and their escaping, compact lines, grouped text, and an HTML page that
// neither runs nor loads anything.
#include "common/TestMain.h"

#include "ScanTestSupport.h"
#include "scan/Report.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

struct Scanned
{
    Scan::Project project;
    Scan::ScanResult result;
    Scan::ReportData data;
};

std::unique_ptr<Scanned> scanFixture(const QString &name, Scan::Confidence min = Scan::Confidence::Low)
{
    auto s = std::make_unique<Scanned>();
    s->project = Scan::ReadProject({ScanTest::dataDir() + u'/' + name});
    s->result = Scan::ScanProject(s->project, ScanTest::catalogue());
    s->data.project = &s->project;
    Scan::Filter filter;
    filter.minConfidence = min;
    s->data.findings = Scan::Filtered(s->result.findings, filter);
    s->data.version = QStringLiteral("1.0.0");
    return s;
}

QString render(Scan::Format f, const Scan::ReportData &d) { return QString::fromUtf8(Scan::Render(f, d)); }

} // namespace

class TestScanReport : public QObject
{
    Q_OBJECT

private slots:
    void json()
    {
        const auto s = scanFixture(QStringLiteral("desktop2019"));
        const QJsonDocument doc = QJsonDocument::fromJson(Scan::Render(Scan::Format::Json, s->data));
        QVERIFY(doc.isObject());
        const QJsonObject root = doc.object();
        QCOMPARE(root.value(u"format").toInt(), 1);
        const QJsonArray findings = root.value(u"findings").toArray();
        QCOMPARE(findings.size(), s->data.findings.size());
        for (const QJsonValue &v : findings) {
            const QJsonObject f = v.toObject();
            for (const char *key : {"file", "item", "member", "element", "status", "release", "confidence"})
                QVERIFY2(f.value(QLatin1String(key)).isString(), key);
            for (const char *key : {"line", "column"})
                QVERIFY2(f.value(QLatin1String(key)).toInt() >= 1, key);
            QVERIFY(f.value(u"guarded").isBool());
            QVERIFY(f.contains(u"replacement"));
        }
        QJsonObject cell;
        for (const QJsonValue &v : findings)
            if (v.toObject().value(u"file").toString() == u"OrderList.xojo_code"
                && v.toObject().value(u"line").toInt() == 12)
                cell = v.toObject();
        QCOMPARE(cell.value(u"file").toString(), QStringLiteral("OrderList.xojo_code"));
        QCOMPARE(cell.value(u"line").toInt(), 12);
        QCOMPARE(cell.value(u"column").toInt(), 8);
        QCOMPARE(cell.value(u"item").toString(), QStringLiteral("OrderList"));
        QCOMPARE(cell.value(u"member").toString(), QStringLiteral("ShowOrder"));
        QCOMPARE(cell.value(u"memberLine").toInt(), 2);
        QCOMPARE(cell.value(u"element").toString(), QStringLiteral("ListBox.Cell"));
        QCOMPARE(cell.value(u"status").toString(), QStringLiteral("deprecated"));
        QCOMPARE(cell.value(u"release").toString(), QStringLiteral("2019r2"));
        QCOMPARE(cell.value(u"replacement").toString(), QStringLiteral("DesktopListBox.CellTextAt"));
        QCOMPARE(cell.value(u"confidence").toString(), QStringLiteral("high"));
        QCOMPARE(cell.value(u"guarded").toBool(), false);
        const QJsonArray unread = root.value(u"unread").toArray();
        QCOMPARE(unread.size(), 1);
        QCOMPARE(unread[0].toObject().value(u"file").toString(), QStringLiteral("Code/Missing.xojo_code"));
        QVERIFY(unread[0].toObject().value(u"reason").toString().startsWith(u"missing"));
    }

    // Quotes, backslashes and tabs of the project come back from the JSON as they were.
    void jsonEscaping()
    {
        const auto s = scanFixture(QStringLiteral("markup"));
        QVERIFY(!s->data.findings.isEmpty());
        s->data.findings.first().notes = {QStringLiteral("tab\there, back\\slash, \"quoted\", bell\a")};
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(Scan::Render(Scan::Format::Json, s->data), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonArray findings = doc.object().value(u"findings").toArray();
        QCOMPARE(findings.size(), s->data.findings.size());
        for (qsizetype i = 0; i < findings.size(); ++i)
            QCOMPARE(findings[i].toObject().value(u"snippet").toString(), s->data.findings[i].snippet);
        QCOMPARE(findings[0].toObject().value(u"notes").toArray()[0].toString(), s->data.findings[0].notes[0]);
        QCOMPARE(doc.object().value(u"unread").toArray()[0].toObject().value(u"file").toString(),
                 QStringLiteral("<script>alert(1)</script>.xojo_code"));
    }

    void sarifValidatesAgainstTheSchema()
    {
        QString python;
        for (const QString &candidate : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
            QProcess probe;
            probe.start(candidate, {QStringLiteral("-c"), QStringLiteral("import jsonschema")});
            if (probe.waitForFinished(30000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0) {
                python = candidate;
                break;
            }
        }
        if (python.isEmpty())
            QFAIL("python3 with jsonschema is needed (scripts/deps.sh test installs python3-jsonschema)");
        QTemporaryDir dir;
        for (const QString &fixture :
             {QStringLiteral("desktop2019"), QStringLiteral("xml"), QStringLiteral("markup")}) {
            const auto s = scanFixture(fixture);
            const QString file = dir.filePath(fixture + QStringLiteral(".sarif"));
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(Scan::Render(Scan::Format::Sarif, s->data));
            out.close();
            QProcess p;
            p.start(python,
                    {QStringLiteral("-c"),
                     QStringLiteral("import json, sys, jsonschema\n"
                                    "schema = json.load(open(sys.argv[1]))\n"
                                    "jsonschema.Draft4Validator(schema).validate(json.load(open(sys.argv[2])))\n"),
                     ScanTest::dataDir() + QStringLiteral("/sarif-schema-2.1.0.json"), file});
            QVERIFY(p.waitForFinished(60000));
            QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());

            const QJsonObject run = QJsonDocument::fromJson(Scan::Render(Scan::Format::Sarif, s->data))
                                        .object()[u"runs"]
                                        .toArray()[0]
                                        .toObject();
            QCOMPARE(run[u"columnKind"].toString(), QStringLiteral("unicodeCodePoints"));
            const QJsonArray rules = run[u"tool"].toObject()[u"driver"].toObject()[u"rules"].toArray();
            QSet<QString> ids, fingerprints;
            for (const QJsonValue &r : rules)
                ids.insert(r.toObject()[u"id"].toString());
            QCOMPARE(ids.size(), rules.size()); // one rule per element
            const QJsonArray results = run[u"results"].toArray();
            QCOMPARE(results.size(), s->data.findings.size());
            for (const QJsonValue &v : results) {
                const QJsonObject r = v.toObject();
                QCOMPARE(rules[r[u"ruleIndex"].toInt()].toObject()[u"id"].toString(), r[u"ruleId"].toString());
                fingerprints.insert(r[u"partialFingerprints"].toObject()[u"vantrelFinding/v1"].toString());
            }
            QCOMPARE(fingerprints.size(), results.size());
        }
    }

    void sarifLevels()
    {
        const auto s = scanFixture(QStringLiteral("desktop2019"));
        const QJsonObject run = QJsonDocument::fromJson(Scan::Render(Scan::Format::Sarif, s->data))
                                    .object()[u"runs"]
                                    .toArray()[0]
                                    .toObject();
        QHash<QString, QString> levels;
        for (const QJsonValue &r : run[u"results"].toArray())
            levels.insert(r.toObject()[u"ruleId"].toString() + u' '
                              + r.toObject()[u"properties"].toObject()[u"confidence"].toString(),
                          r.toObject()[u"level"].toString());
        QCOMPARE(levels.value(QStringLiteral("ListBox.Cell high")), QStringLiteral("warning"));
        QCOMPARE(levels.value(QStringLiteral("RecordSet.MoveNext low")), QStringLiteral("note"));
    }

    void compact()
    {
        const auto s = scanFixture(QStringLiteral("desktop2019"));
        const QStringList lines = render(Scan::Format::Compact, s->data).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(lines.contains(QStringLiteral("OrderList.xojo_code:12:8: warning: ListBox.Cell is deprecated since "
                                              "2019r2; use DesktopListBox.CellTextAt [high]")));
        QVERIFY(
            lines.contains(QStringLiteral("code/ordersdb.xojo_code:29:7: warning: possibly RecordSet.MoveNext, which "
                                          "is deprecated since 2019r2; if so use RowSet.MoveToNextRow [low]")));
        QVERIFY(lines.contains(QStringLiteral("Code/Missing.xojo_code: warning: not read: missing: listed in the "
                                              "manifest as Class Missing but not on disk")));
        const QRegularExpression gnu(QStringLiteral("^[^:]+:(\\d+:\\d+:)? (warning|error|note): "));
        for (const QString &l : lines)
            QVERIFY2(gnu.match(l).hasMatch(), qPrintable(l));
    }

    void textGroupsByElement()
    {
        const auto s = scanFixture(QStringLiteral("desktop2019"), Scan::Confidence::Medium);
        const QString text = render(Scan::Format::Text, s->data);
        QVERIFY(text.contains(
            QStringLiteral("ListBox.Cell  deprecated since 2019r2, use DesktopListBox.CellTextAt  (3 uses)\n"
                           "    MainWindow › SaveButton.Action › 3    MainWindow.xojo_window:46:27  [high]\n"
                           "    OrderList › ShowOrder › 2    OrderList.xojo_code:12:8  [high]\n"
                           "    OrderList › ShowOrder › 3    OrderList.xojo_code:13:5  [high]\n")));
        QVERIFY(text.contains(QStringLiteral("PushButton  deprecated since 2021r3, use DesktopButton  (1 use)\n"
                                             "    MainWindow › SaveButton    MainWindow.xojo_window:10:10  [high]\n"
                                             "        event Action: use DesktopButton.Pressed\n")));
        QVERIFY(text.contains(QStringLiteral("[high, guarded]")));
        QVERIFY(!text.contains(u'\x1b'));
        s->data.color = true;
        QVERIFY(render(Scan::Format::Text, s->data).contains(QStringLiteral("\x1b[33mdeprecated since 2019r2\x1b[0m")));
        // Removed elements come before deprecated ones.
        QVERIFY(text.indexOf(QStringLiteral("ListBox.Cell")) < text.indexOf(QStringLiteral("PushButton  ")));
    }

    void githubAnnotations()
    {
        const auto s = scanFixture(QStringLiteral("desktop2019"));
        const QStringList lines = render(Scan::Format::Github, s->data).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(lines.contains(QStringLiteral("::warning file=OrderList.xojo_code,line=12,col=8,title=ListBox.Cell "
                                              "(deprecated)::ListBox.Cell is deprecated since 2019r2; use "
                                              "DesktopListBox.CellTextAt")));
        // Properties escape , and : as well as %, CR and LF; the message only the last three.
        Scan::Finding f = s->data.findings.first();
        f.file = QStringLiteral("a,b:c%d.xojo_code");
        f.notes = {QStringLiteral("two\nlines")};
        Scan::ReportData d;
        d.findings = {f};
        const QString line = render(Scan::Format::Github, d);
        QVERIFY2(line.startsWith(QStringLiteral("::warning file=a%2Cb%3Ac%25d.xojo_code,line=")), qPrintable(line));
        QVERIFY2(line.contains(QStringLiteral("two%0Alines")), qPrintable(line));
        QCOMPARE(line.count(u'\n'), 1);
    }

    void htmlEscapesAndLoadsNothing()
    {
        const auto s = scanFixture(QStringLiteral("markup"));
        QVERIFY(!s->data.findings.isEmpty());
        const QString html = render(Scan::Format::Html, s->data);
        QVERIFY(html.startsWith(u"<!DOCTYPE html>"));
        QVERIFY(
            html.contains(QStringLiteral("<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'")));
        // What the project holds appears as text only.
        QVERIFY(html.contains(QStringLiteral("&lt;b&gt;Evil&lt;/b&gt;")));
        QVERIFY(html.contains(QStringLiteral("Evil&lt;i&gt;Item.xojo_code")));
        QVERIFY(html.contains(QStringLiteral("&lt;script&gt;alert(1)&lt;/script&gt;")));
        QVERIFY(html.contains(QStringLiteral("&lt;/td&gt;&lt;script src=")));
        for (const char *tag :
             {"<script", "<b>", "<i>", "<img", "<link", "<iframe", "<object", "<base", "@import", "url("})
            QVERIFY2(!html.contains(QLatin1String(tag), Qt::CaseInsensitive), tag);
        // No tag of the page loads or runs anything.
        const QRegularExpression loading(QStringLiteral("<[a-z]+[^>]*\\s(src|href|on\\w+)\\s*="),
                                         QRegularExpression::CaseInsensitiveOption);
        QVERIFY(!html.contains(loading));
    }

    void htmlSummaryAndCharts()
    {
        const auto s = scanFixture(QStringLiteral("desktop2019"), Scan::Confidence::Medium);
        const QString html = render(Scan::Format::Html, s->data);
        QVERIFY(html.contains(
            QStringLiteral("<p class=\"summary\">28 findings (28 high) in 6 of 6 items; 1 item not read</p>")));
        QVERIFY(html.contains(QStringLiteral("<h2>Findings per release</h2>")));
        QVERIFY(html.contains(QStringLiteral(
            "<tr><th>2019r2</th><td><div class=\"bar\" style=\"width:100%\"></div></td><td class=\"n\">21</td></tr>")));
        QVERIFY(html.contains(QStringLiteral("<h2>Findings per status</h2>")));
        QVERIFY(html.contains(QStringLiteral("<tr><th>deprecated</th>")));
    }

    void filters_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("minimum");
        QTest::addColumn<int>("count");
        QTest::newRow("everything") << ""
                                    << "low" << 30;
        QTest::newRow("medium and up (the default)") << ""
                                                     << "medium" << 28;
        QTest::newRow("high only") << ""
                                   << "high" << 28;
        QTest::newRow("building with 2019r3: nothing of 2021r3") << "2019r3"
                                                                 << "low" << 23;
        QTest::newRow("building with 2013r1") << "2013r1"
                                              << "low" << 0;
        QTest::newRow("building with 2021r3") << "2021r3"
                                              << "low" << 30;
    }

    void filters()
    {
        QFETCH(QString, target);
        QFETCH(QString, minimum);
        QFETCH(int, count);
        const auto s = scanFixture(QStringLiteral("desktop2019"));
        Scan::Filter f;
        if (!target.isEmpty())
            f.target = Catalogue::ParseRelease(target);
        f.minConfidence = *Scan::ConfidenceFromText(minimum);
        QCOMPARE(Scan::Filtered(s->result.findings, f).size(), count);
    }
};

VANTREL_TEST_MAIN_CORE(TestScanReport)
#include "tst_scan_report.moc"
