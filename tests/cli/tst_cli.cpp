// vantrel-cli run as a user runs it: options, exit codes, where output goes, and that a scan
// leaves the project as it was. Elements named here are ones the catalogue keeps for good
// (ListBox.Cell, RecordSet, InStr, Mid).
#include "common/TestMain.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Run
{
    int code = -1;
    QString out;
    QString err;
};

Run run(const QStringList &args, const QString &workDir = QString(), const QByteArray &noColor = QByteArray())
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("NO_COLOR"));
    if (!noColor.isEmpty())
        env.insert(QStringLiteral("NO_COLOR"), QString::fromLatin1(noColor));
    p.setProcessEnvironment(env);
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    p.start(QStringLiteral(VANTREL_CLI), args);
    Run r;
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        r.err = QStringLiteral("timed out");
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QString data(const QString &name) { return QStringLiteral(VANTREL_SCAN_DATA) + u'/' + name; }

// Every file under the folder with its bytes' hash and time of change.
QStringList snapshot(const QString &folder)
{
    QStringList out;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {QStringLiteral("unreadable ") + path};
        out.append(path + u' '
                   + QString::fromLatin1(QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex())
                   + u' ' + QString::number(it.fileInfo().lastModified().toMSecsSinceEpoch()));
    }
    out.sort();
    return out;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void exitCodes_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("out"); // a text stdout must hold, or empty
        QTest::addColumn<QString>("err"); // a text stderr must hold, or empty

        QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: vantrel-cli COMMAND"
                              << "";
        QTest::newRow("lookup help") << QStringList{"lookup", "--help"} << 0 << "--format text|json"
                                     << "";
        QTest::newRow("scan help") << QStringList{"scan", "--help"} << 0 << "--fail-on LEVEL"
                                   << "";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "vantrel-cli "
                                 << "";
        QTest::newRow("no command") << QStringList{} << 2 << ""
                                    << "Usage:";
        QTest::newRow("unknown command") << QStringList{"grep"} << 2 << ""
                                         << "unknown command 'grep'";

        QTest::newRow("lookup found") << QStringList{"lookup", "ListBox.Cell"} << 0 << "ListBox.Cell: "
                                      << "";
        QTest::newRow("lookup cleaned, case ignored") << QStringList{"lookup", "(listbox.CELL)"} << 0 << "2019r2"
                                                      << "";
        QTest::newRow("lookup not found, with hints") << QStringList{"lookup", "ListBox.Cel"} << 1 << ""
                                                      << "keywords starting with 'ListBox.Cel': ListBox.Cell";
        QTest::newRow("lookup not found, no hint") << QStringList{"lookup", "qqzzxx"} << 1 << ""
                                                   << "'qqzzxx' is not a keyword";
        QTest::newRow("lookup one of two not found") << QStringList{"lookup", "RecordSet", "qqzzxx"} << 1 << "RecordSet"
                                                     << "";
        QTest::newRow("lookup without a word") << QStringList{"lookup"} << 2 << ""
                                               << "needs a WORD";
        QTest::newRow("lookup unknown format") << QStringList{"lookup", "--format", "xml", "InStr"} << 2 << ""
                                               << "unknown format";
        QTest::newRow("lookup unknown option") << QStringList{"lookup", "--fast", "InStr"} << 2 << ""
                                               << "unknown option";

        QTest::newRow("scan without a path") << QStringList{"scan"} << 2 << ""
                                             << "needs a PATH";
        QTest::newRow("scan unknown format") << QStringList{"scan", "--format", "xml", data("xml")} << 2 << ""
                                             << "unknown format";
        QTest::newRow("scan bad release") << QStringList{"scan", "--target", "2019", data("xml")} << 2 << ""
                                          << "not a Xojo release";
        QTest::newRow("scan bad confidence") << QStringList{"scan", "--min-confidence=some", data("xml")} << 2 << ""
                                             << "unknown confidence";
        QTest::newRow("scan bad fail level") << QStringList{"scan", "--fail-on", "all", data("xml")} << 2 << ""
                                             << "--fail-on";
        QTest::newRow("scan bad colour") << QStringList{"scan", "--color=sometimes", data("xml")} << 2 << ""
                                         << "--color";
        QTest::newRow("scan option without value") << QStringList{"scan", data("xml"), "--target"} << 2 << ""
                                                   << "needs a value";
        QTest::newRow("scan missing path") << QStringList{"scan", data("nothing-here")} << 2 << ""
                                           << "no such file or folder";
        QTest::newRow("scan binary project") << QStringList{"scan", data("binary")} << 2 << "binary format"
                                             << "nothing could be read";

        QTest::newRow("scan findings") << QStringList{"scan", data("xml")} << 1 << "ListBox.Cell"
                                       << "findings";
        QTest::newRow("scan --fail-on none") << QStringList{"scan", "--fail-on", "none", data("xml")} << 0 << "InStr"
                                             << "";
        QTest::newRow("2021r3 project passes") << QStringList{"scan", data("desktop2021")} << 0 << "guarded"
                                               << "";
        QTest::newRow("low findings shown on request fail")
            << QStringList{"scan", "--min-confidence", "low", data("desktop2021")} << 1 << "[low]"
            << "";
        QTest::newRow("--fail-on removed")
            << QStringList{"scan", "--min-confidence", "low", "--fail-on=removed", data("desktop2021")} << 0 << ""
            << "";
    }

    void exitCodes()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Run r = run(args);
        QVERIFY2(r.code == code,
                 qPrintable(QStringLiteral("exit %1\nstdout: %2\nstderr: %3").arg(r.code).arg(r.out, r.err)));
        if (!out.isEmpty())
            QVERIFY2(r.out.contains(out), qPrintable(r.out));
        if (!err.isEmpty())
            QVERIFY2(r.err.contains(err), qPrintable(r.err));
    }

    // Columns line up under their headers.
    void lookupText()
    {
        const Run r = run({QStringLiteral("lookup"), QStringLiteral("RecordSet")});
        QCOMPARE(r.code, 0);
        const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(lines.size() >= 3);
        QVERIFY(lines[0].startsWith(QStringLiteral("RecordSet: ")));
        QVERIFY(lines[1].startsWith(QStringLiteral("Entry  Name")));
        const qsizetype name = lines[1].indexOf(QStringLiteral("Name")),
                        release = lines[1].indexOf(QStringLiteral("Release"));
        for (qsizetype i = 2; i < lines.size(); ++i) {
            QVERIFY2(lines[i].at(name - 1) == u' ' && lines[i].at(name) != u' ', qPrintable(lines[i]));
            QVERIFY2(lines[i].at(release - 1) == u' ', qPrintable(lines[i]));
        }
        QVERIFY(r.out.contains(QStringLiteral("RecordSet.MoveNext")));
    }

    void lookupJson()
    {
        const Run r = run({QStringLiteral("lookup"), QStringLiteral("--format"), QStringLiteral("json"),
                           QStringLiteral("RecordSet")});
        QCOMPARE(r.code, 0);
        const QJsonObject root = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QCOMPARE(root[u"format"].toInt(), 1);
        const QJsonObject first = root[u"lookups"].toArray()[0].toObject();
        QCOMPARE(first[u"found"].toBool(), true);
        QStringList names;
        for (const QJsonValue &row : first[u"rows"].toArray())
            names.append(row.toObject()[u"name"].toString());
        QVERIFY(names.contains(QStringLiteral("RecordSet")));
    }

    // stdout holds the report alone, whatever the format; the summary goes to stderr.
    void formatsOnStdout_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("start");
        QTest::newRow("text") << "text"
                              << "";
        QTest::newRow("compact") << "compact"
                                 << "";
        QTest::newRow("json") << "json"
                              << "{";
        QTest::newRow("sarif") << "sarif"
                               << "{";
        QTest::newRow("github") << "github"
                                << "::";
        QTest::newRow("html") << "html"
                              << "<!DOCTYPE html>";
    }

    void formatsOnStdout()
    {
        QFETCH(QString, format);
        QFETCH(QString, start);
        const Run r =
            run({QStringLiteral("scan"), QStringLiteral("--format"), format, data(QStringLiteral("desktop2019"))});
        QCOMPARE(r.code, 1);
        QVERIFY(r.out.startsWith(start));
        if (format != u"html") // the page carries its own summary
            QVERIFY(!r.out.contains(QStringLiteral(" findings (")));
        QVERIFY(r.err.contains(QStringLiteral(" findings (")));
        if (format == u"json" || format == u"sarif") {
            QJsonParseError error;
            QJsonDocument::fromJson(r.out.toUtf8(), &error);
            QCOMPARE(error.error, QJsonParseError::NoError);
        }
    }

    void filters()
    {
        const QString project = data(QStringLiteral("desktop2019"));
        const Run all = run({QStringLiteral("scan"), QStringLiteral("--format=compact"), project});
        QVERIFY(all.out.contains(QStringLiteral("code/ordersdb.xojo_code:")));
        QVERIFY(all.out.contains(QStringLiteral("since 2021r3")));
        const Run excluded =
            run({QStringLiteral("scan"), QStringLiteral("--format=compact"), QStringLiteral("--exclude"),
                 QStringLiteral("code"), QStringLiteral("--exclude=../shared"), project});
        QVERIFY(!excluded.out.contains(QStringLiteral("ordersdb")));
        QVERIFY(!excluded.out.contains(QStringLiteral("Helpers")));
        QVERIFY(excluded.out.contains(QStringLiteral("OrderList.xojo_code:")));
        const Run target = run({QStringLiteral("scan"), QStringLiteral("--format=compact"), QStringLiteral("--target"),
                                QStringLiteral("2019r3"), project});
        QVERIFY(!target.out.contains(QStringLiteral("since 2021r3")));
        QVERIFY(target.out.contains(QStringLiteral("ListBox.Cell is deprecated since 2019r2")));
        const Run high = run({QStringLiteral("scan"), QStringLiteral("--format=compact"),
                              QStringLiteral("--min-confidence=low"), project});
        QVERIFY(high.out.contains(QStringLiteral("[low]")));
        QVERIFY(!all.out.contains(QStringLiteral("[low]")));
    }

    void colour()
    {
        const QStringList args{QStringLiteral("scan"), data(QStringLiteral("xml"))};
        QVERIFY(!run(args).out.contains(u'\x1b')); // not a terminal
        QVERIFY(run(QStringList{QStringLiteral("scan"), QStringLiteral("--color=always"), data(QStringLiteral("xml"))})
                    .out.contains(u'\x1b'));
        QVERIFY(!run(QStringList{QStringLiteral("scan"), QStringLiteral("--color=never"), data(QStringLiteral("xml"))})
                     .out.contains(u'\x1b'));
        QVERIFY(!run(args, QString(), "1").out.contains(u'\x1b'));
    }

    // Paths in the report are relative to the project folder, or as given for loose items.
    void paths()
    {
        const Run r =
            run({QStringLiteral("scan"), QStringLiteral("--format=compact"),
                 QStringLiteral("desktop2019/Desktop2019.xojo_project"), QStringLiteral("xml/Orders.xojo_xml_project")},
                QStringLiteral(VANTREL_SCAN_DATA));
        QVERIFY(r.out.contains(QStringLiteral("\nOrderList.xojo_code:12:8: warning: ListBox.Cell")));
        const Run loose = run({QStringLiteral("scan"), QStringLiteral("--format=compact"),
                               QStringLiteral("desktop2019/OrderList.xojo_code")},
                              QStringLiteral(VANTREL_SCAN_DATA));
        QVERIFY2(loose.out.startsWith(QStringLiteral("desktop2019/OrderList.xojo_code:3:10: warning: ListBox is")),
                 qPrintable(loose.out));
    }

    // Every format over every fixture: the project's files are as they were, nothing is added.
    void readOnly()
    {
        const QString root = QStringLiteral(VANTREL_SCAN_DATA);
        const QStringList before = snapshot(root);
        for (const char *format : {"text", "compact", "json", "sarif", "github", "html"})
            for (const char *p : {"desktop2019", "desktop2021", "realstudio", "xml", "binary", "markup"})
                QVERIFY(run({QStringLiteral("scan"), QStringLiteral("--format"), QLatin1String(format),
                             data(QLatin1String(p))})
                            .code
                        >= 0);
        QCOMPARE(snapshot(root), before);
    }

    // A listed item that cannot be read fails the scan like a finding.
    void unreadItemFails()
    {
        QTemporaryDir dir;
        QFile manifest(dir.filePath(QStringLiteral("P.xojo_project")));
        QVERIFY(manifest.open(QIODevice::WriteOnly));
        manifest.write("Type=Desktop\nModule=Gone;Gone.xojo_code;&h1;&h0;false\nModule=M;M.xojo_code;&h2;&h0;false\n");
        manifest.close();
        QFile item(dir.filePath(QStringLiteral("M.xojo_code")));
        QVERIFY(item.open(QIODevice::WriteOnly));
        item.write("#tag Module\nProtected Module M\nEnd Module\n#tag EndModule\n");
        item.close();
        const Run r = run({QStringLiteral("scan"), dir.path()});
        QCOMPARE(r.code, 1);
        QVERIFY(r.out.contains(QStringLiteral("not read: Gone.xojo_code: missing")));
        QVERIFY(r.err.contains(QStringLiteral("0 findings in 0 of 1 item; 1 item not read")));
        QCOMPARE(run({QStringLiteral("scan"), QStringLiteral("--fail-on=none"), dir.path()}).code, 0);
    }

    // Errors of the project as a whole end the scan with 2 and say what is wrong.
    void projectErrors_data()
    {
        QTest::addColumn<QByteArray>("manifest");
        QTest::addColumn<QString>("message");
        QTest::newRow("a cycle of Inherits")
            << QByteArray("Type=Desktop\nClass=A;A.xojo_code;&h1;&h0;false\nClass=B;B.xojo_code;&h2;&h0;false\n")
            << "Inherits forms a cycle: A -> B";
        QTest::newRow("a manifest listing itself")
            << QByteArray("Type=Desktop\nClass=A;A.xojo_code;&h1;&h0;false\nClass=P;P.xojo_project;&h2;&h0;false\n")
            << "the manifest lists itself";
    }

    void projectErrors()
    {
        QFETCH(QByteArray, manifest);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QList<std::pair<QString, QByteArray>> files{
            {QStringLiteral("P.xojo_project"), manifest},
            {QStringLiteral("A.xojo_code"), "#tag Class\nProtected Class A\nInherits B\nEnd Class\n#tag EndClass\n"},
            {QStringLiteral("B.xojo_code"), "#tag Class\nProtected Class B\nInherits A\nEnd Class\n#tag EndClass\n"}};
        for (const auto &[name, content] : files) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        const Run r = run({QStringLiteral("scan"), dir.filePath(QStringLiteral("P.xojo_project"))});
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(QStringLiteral("vantrel-cli: error: ")) && r.err.contains(message), qPrintable(r.err));
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("not UTF-8") << QByteArray("#tag Module\nModule M\n// caf\xe9\n#tag EndModule\n") << "not UTF-8";
        QTest::newRow("a 50 MB line") << QByteArray("#tag Module\n") + QByteArray(50 * 1024 * 1024, 'a') << "a line of";
        QTest::newRow("not an item") << QByteArray("hello\n") << "not a Xojo item";
    }

    void badFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("Item.xojo_code")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        const Run r = run({QStringLiteral("scan"), f.fileName()});
        QCOMPARE(r.code, 2);
        QVERIFY2(r.out.contains(message), qPrintable(r.out));
        QVERIFY(r.err.contains(QStringLiteral("nothing could be read")));
    }
};

VANTREL_TEST_MAIN_CORE(TestCli)
#include "tst_cli.moc"
