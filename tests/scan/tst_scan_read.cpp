// Reading projects: what a manifest lists and nothing else, paths as the IDE writes them, the
// formats, and bad input that must end in a clear message.
#include "common/TestMain.h"

#include "ScanTestSupport.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

QStringList itemFiles(const Scan::Project &p)
{
    QStringList out;
    for (const Scan::Item &i : p.items)
        out.append(i.file);
    return out;
}

QStringList unreadFiles(const Scan::Project &p)
{
    QStringList out;
    for (const Scan::Unread &u : p.unread)
        out.append(u.file + QStringLiteral(": ") + u.reason.section(u' ', 0, 1));
    return out;
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

} // namespace

class TestScanRead : public QObject
{
    Q_OBJECT

private slots:
    // The manifest is the truth: obsolete leftovers beside it are not read, a listed file that
    // is missing is reported, paths resolve across ../ and letter case, pictures are not code.
    void manifestListsTheItems()
    {
        const Scan::Project p = Scan::ReadProject({ScanTest::dataDir() + QStringLiteral("/desktop2019")});
        QVERIFY2(p.errors.isEmpty(), qPrintable(p.errors.join(u'\n')));
        QCOMPARE(itemFiles(p),
                 (QStringList{"App.xojo_code", "MainWindow.xojo_window", "OrderList.xojo_code",
                              "code/ordersdb.xojo_code", "../shared/Helpers.xojo_code", "MainMenuBar.xojo_menu"}));
        QCOMPARE(unreadFiles(p), QStringList{"Code/Missing.xojo_code: missing: listed"});
        QCOMPARE(p.projectType, QStringLiteral("Desktop"));
    }

    void itemStructure()
    {
        const QString file = ScanTest::dataDir() + QStringLiteral("/desktop2019/MainWindow.xojo_window");
        const Scan::Project p = Scan::ReadProject({file, file}); // named twice, read once
        QCOMPARE(p.items.size(), 1);
        const Scan::Item &w = p.items.first();
        QCOMPARE(w.name, QStringLiteral("MainWindow"));
        QVERIFY(w.isLayout);
        QStringList controls;
        for (const Scan::Control &c : w.controls)
            controls.append(c.className + u' ' + c.name + u'<' + c.parent);
        QCOMPARE(controls,
                 (QStringList{"Window MainWindow<", "OrderList OrdersList<MainWindow",
                              "PushButton SaveButton<MainWindow", "Timer RefreshTimer<MainWindow"}));
        QStringList members;
        for (const Scan::Member &m : w.members)
            members.append(QStringLiteral("%1.%2:%3").arg(m.control, m.name).arg(w.fileLineOf(m.firstLine)));
        QCOMPARE(members,
                 (QStringList{".Open:23", ".FileSave:33", "SaveButton.Action:44", "RefreshTimer.Action:52",
                              "OrdersList.CellClick:59", "OrdersList.Change:64"}));
    }

    // Real Studio names, CRLF line ends.
    void realStudioProject()
    {
        const Scan::Project p = Scan::ReadProject({ScanTest::dataDir() + QStringLiteral("/realstudio/Legacy.rbvcp")});
        QVERIFY(p.errors.isEmpty());
        QCOMPARE(itemFiles(p), (QStringList{"Classes/App.rbbas", "Windows/Window1.rbfrm", "Classes/Util.rbbas"}));
        QCOMPARE(p.items[0].super, QStringLiteral("Application"));
        QCOMPARE(QByteArray(p.items[2].lines[4].data(), qsizetype(p.items[2].lines[4].size())),
                 QByteArray("\t\t  Return RBVersionString + \" \" + Str(RBVersion)"));
    }

    // XML: source lines keep their file line; <Hex> is decoded.
    void xmlProject()
    {
        const Scan::Project p = Scan::ReadProject({ScanTest::dataDir() + QStringLiteral("/xml")});
        QVERIFY2(p.errors.isEmpty(), qPrintable(p.errors.join(u'\n')));
        QCOMPARE(p.items.size(), 2);
        const Scan::Item &m = p.items[0];
        QCOMPARE(m.name, QStringLiteral("OrdersDB"));
        QCOMPARE(QByteArray(m.lines[1].data(), qsizetype(m.lines[1].size())),
                 QByteArray("Dim s As String = \"\"\t\t' tabs"));
        QCOMPARE(m.fileLineOf(2), 15);
        QCOMPARE(QByteArray(m.lines[2].data(), qsizetype(m.lines[2].size())),
                 QByteArray("Dim n As Integer = InStr(s, \"<x>\")"));
        const Scan::Item &w = p.items[1];
        QCOMPARE(w.controls.size(), 2);
        QCOMPARE(w.controls[1].className, QStringLiteral("ListBox"));
        QCOMPARE(w.members[1].control, QStringLiteral("List"));
    }

    void badInput_data()
    {
        QTest::addColumn<QString>("setup");  // what the temporary folder holds
        QTest::addColumn<QString>("error");  // start of the project error, or empty
        QTest::addColumn<QString>("unread"); // start of the unread reason, or empty
        QTest::newRow("missing path") << "none"
                                      << "no such file"
                                      << "";
        QTest::newRow("folder without a project") << "empty"
                                                  << "no Xojo project"
                                                  << "";
        QTest::newRow("manifest that is not one") << "garbage"
                                                  << "not a Xojo project manifest"
                                                  << "";
        QTest::newRow("binary manifest") << "binarymanifest"
                                         << "not a Xojo project manifest"
                                         << "";
        QTest::newRow("XML cut short") << "badxml"
                                       << "XML error"
                                       << "";
        QTest::newRow("XML that is no project") << "otherxml"
                                                << "not a Xojo XML project"
                                                << "";
        QTest::newRow("manifest listing itself") << "self"
                                                 << "the manifest lists itself"
                                                 << "";
        QTest::newRow("item not UTF-8") << "latin1"
                                        << ""
                                        << "not UTF-8";
        QTest::newRow("item with a 50 MB line") << "longline"
                                                << ""
                                                << "a line of 52428800 bytes";
        QTest::newRow("binary item") << "binaryitem"
                                     << ""
                                     << "binary format";
        QTest::newRow("item with NUL bytes") << "nul"
                                             << ""
                                             << "binary data";
        QTest::newRow("encrypted item") << "encrypted"
                                        << ""
                                        << "encrypted";
        QTest::newRow("text that is no item") << "noitem"
                                              << ""
                                              << "not a Xojo item";
        QTest::newRow("listed folder") << "folderitem"
                                       << ""
                                       << "is a folder";
        QTest::newRow("binary project") << "binaryproject"
                                        << ""
                                        << "binary format";
    }

    void badInput()
    {
        QFETCH(QString, setup);
        QFETCH(QString, error);
        QFETCH(QString, unread);
        QTemporaryDir dir;
        const QString d = dir.path();
        QString path = d + QStringLiteral("/P.xojo_project");
        auto manifestFor = [&](const QString &item) {
            writeFile(path, QStringLiteral("Type=Desktop\nClass=Item;%1;&h1;&h0;false\n").arg(item).toUtf8());
        };
        if (setup == u"none") {
            path = d + QStringLiteral("/nothing/here.xojo_project");
        } else if (setup == u"empty") {
            path = d;
        } else if (setup == u"garbage") {
            writeFile(path, "just some text\nwithout keys\n");
        } else if (setup == u"binarymanifest") {
            writeFile(path, QByteArray("RbBF\0\0\0\1", 8));
        } else if (setup == u"badxml" || setup == u"otherxml") {
            path = d + QStringLiteral("/P.xojo_xml_project");
            writeFile(path,
                      setup == u"badxml" ? "<RBProject><block type=\"Module\"><ObjName>X</ObjName><Method>"
                                         : "<html><body/></html>");
        } else if (setup == u"self") {
            manifestFor(QStringLiteral("p.XOJO_PROJECT"));
        } else if (setup == u"latin1") {
            manifestFor(QStringLiteral("A.xojo_code"));
            writeFile(d + QStringLiteral("/A.xojo_code"), "#tag Module\nModule A\n// caf\xe9\n#tag EndModule\n");
        } else if (setup == u"longline") {
            manifestFor(QStringLiteral("A.xojo_code"));
            writeFile(d + QStringLiteral("/A.xojo_code"), "#tag Module\n" + QByteArray(50 * 1024 * 1024, 'x') + "\n");
        } else if (setup == u"binaryitem") {
            manifestFor(QStringLiteral("A.xojo_binary_code"));
            writeFile(d + QStringLiteral("/A.xojo_binary_code"), QByteArray("RbBF\0\0\0\1Blok", 12));
        } else if (setup == u"nul") {
            manifestFor(QStringLiteral("A.xojo_code"));
            writeFile(d + QStringLiteral("/A.xojo_code"), QByteArray("#tag Class\0\0", 12));
        } else if (setup == u"encrypted") {
            manifestFor(QStringLiteral("A.xojo_code"));
            writeFile(d + QStringLiteral("/A.xojo_code"), "#tag EncryptedItem\n4F2A99C1\n#tag EndEncryptedItem\n");
        } else if (setup == u"noitem") {
            manifestFor(QStringLiteral("A.xojo_code"));
            writeFile(d + QStringLiteral("/A.xojo_code"), "Sub Foo()\nEnd Sub\n");
        } else if (setup == u"folderitem") {
            manifestFor(QStringLiteral("Sub"));
            QVERIFY(QDir(d).mkdir(QStringLiteral("Sub")));
        } else if (setup == u"binaryproject") {
            path = d + QStringLiteral("/P.xojo_binary_project");
            writeFile(path, QByteArray("RbBF\0\0\0\1", 8));
        }
        const Scan::Project p = Scan::ReadProject({path});
        if (error.isEmpty()) {
            QVERIFY2(p.errors.isEmpty(), qPrintable(p.errors.join(u'\n')));
        } else {
            QCOMPARE(p.errors.size(), 1);
            QVERIFY2(p.errors.first().contains(error), qPrintable(p.errors.first()));
        }
        if (unread.isEmpty()) {
            QVERIFY(p.unread.isEmpty());
        } else {
            QCOMPARE(p.unread.size(), 1);
            QVERIFY2(p.unread.first().reason.startsWith(unread), qPrintable(p.unread.first().reason));
            QCOMPARE(p.items.size(), 0);
        }
    }

    // An external item may be listed with an absolute path; letter case still does not matter.
    void absolutePath()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Lib")));
        writeFile(dir.filePath(QStringLiteral("Lib/Tools.xojo_code")),
                  "#tag Module\nProtected Module Tools\nEnd Module\n#tag EndModule\n");
        const QString listed = dir.filePath(QStringLiteral("LIB/tools.xojo_code"));
        writeFile(dir.filePath(QStringLiteral("P.xojo_project")),
                  QStringLiteral("Type=Desktop\nModule=Tools;%1;&h1;&h0;true\n").arg(listed).toUtf8());
        const Scan::Project p = Scan::ReadProject({dir.filePath(QStringLiteral("P.xojo_project"))});
        QVERIFY(p.unread.isEmpty());
        QCOMPARE(itemFiles(p), QStringList{"Lib/Tools.xojo_code"});
    }

    void excludeGlobs_data()
    {
        QTest::addColumn<QString>("glob");
        QTest::addColumn<QStringList>("left");
        const QStringList all{"App.xojo_code",           "MainWindow.xojo_window",      "OrderList.xojo_code",
                              "code/ordersdb.xojo_code", "../shared/Helpers.xojo_code", "MainMenuBar.xojo_menu"};
        QTest::newRow("a folder") << "code" << QStringList{all[0], all[1], all[2], all[4], all[5]};
        QTest::newRow("letter case ignored") << "CODE/*" << QStringList{all[0], all[1], all[2], all[4], all[5]};
        QTest::newRow("a file pattern") << "*.xojo_window" << QStringList{all[0], all[2], all[3], all[4], all[5]};
        QTest::newRow("outside the folder") << "../shared" << QStringList{all[0], all[1], all[2], all[3], all[5]};
        QTest::newRow("** crosses folders") << "**ordersdb*" << QStringList{all[0], all[1], all[2], all[4], all[5]};
        QTest::newRow("no match") << "Vendor" << all;
    }

    void excludeGlobs()
    {
        QFETCH(QString, glob);
        QFETCH(QStringList, left);
        Scan::ReadOptions options;
        options.excludeGlobs = {glob};
        const Scan::Project p = Scan::ReadProject({ScanTest::dataDir() + QStringLiteral("/desktop2019")}, options);
        QCOMPARE(itemFiles(p), left);
    }

    void utf8Validation_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("valid");
        QTest::newRow("ascii") << QByteArray("plain ascii text, long enough for the fast path") << true;
        QTest::newRow("two, three and four bytes") << QByteArray("\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80") << true;
        QTest::newRow("latin-1 byte") << QByteArray("caf\xe9") << false;
        QTest::newRow("truncated at the end") << QByteArray("ok \xe2\x82") << false;
        QTest::newRow("overlong") << QByteArray("\xc0\xaf") << false;
        QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80") << false;
        QTest::newRow("past U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << false;
    }

    void utf8Validation()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, valid);
        QCOMPARE(Scan::IsValidUtf8({bytes.constData(), size_t(bytes.size())}), valid);
    }

    void lineEnds()
    {
        std::vector<std::string_view> lines;
        Scan::SplitLines("a\r\nb\rc\nd", lines);
        QCOMPARE(lines.size(), size_t(4));
        QVERIFY(lines[1] == "b" && lines[2] == "c" && lines[3] == "d");
    }
};

VANTREL_TEST_MAIN_CORE(TestScanRead)
#include "tst_scan_read.moc"
