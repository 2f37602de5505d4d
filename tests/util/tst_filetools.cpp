#include "common/Folders.h"
#include "common/TestMain.h"
#include "common/WriteTestSupport.h"

#include "toolkit/DateTime.h"
#include "toolkit/System.h"
#include "util/FileTools.h"
#include "util/RtrnString.h"

#include <QDirIterator>
#include <QFile>

#include <memory>

using namespace WriteTest;

namespace {

QString home() { return TestHome::path(); }

// "<home>" and "<tmp>" stand for the test's home folder and the temporary folder beside it.
QString expand(QString text)
{
    text.replace(QLatin1String("<home>"), home());
    text.replace(QLatin1String("<tmp>"), QDir::tempPath());
    return text;
}

// Every file (or every folder) below root, as sorted paths relative to it, hidden ones included.
QStringList entriesBelow(const QString &root, QDir::Filters kind)
{
    QStringList found;
    QDirIterator it(root, kind | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext())
        found.append(base.relativeFilePath(it.next()));
    found.sort();
    return found;
}

QStringList filesBelow(const QString &root) { return entriesBelow(root, QDir::Files); }

QStringList foldersBelow(const QString &root) { return entriesBelow(root, QDir::Dirs); }

void emptyFolder(const QString &path) { TestFolders::removeEntries(path); }

// Names that a write escaping its folder would leave next to the test home or higher up.
const QStringList kEscapeNames = {QStringLiteral("vantrel-escape"), QStringLiteral("vantrel-escape.txt"),
                                  QStringLiteral("vantrel-outside-check")};

QStringList escapedEntries()
{
    QStringList found;
    for (const QString &dir : {QStringLiteral("/"), QDir::tempPath(), QDir::currentPath(),
                               QDir::current().absoluteFilePath(QStringLiteral(".."))}) {
        for (const QString &name : kEscapeNames) {
            const QString path = QDir(dir).absoluteFilePath(name);
            if (QFileInfo::exists(path))
                found.append(path);
        }
    }
    return found;
}

const QString kNotAppropriate = QStringLiteral("rbHasExtension passed a proposed file name that is not appropriate");
const QString kTooLong = QStringLiteral("rbHasExtension passed a proposed file name that is too long");

} // namespace

class TestFileTools : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Toolkit::MessageRecorder> m_rec;
    std::unique_ptr<Toolkit::PinnedClock> m_clock;

    void removeEscapes()
    {
        for (const QString &path : escapedEntries()) {
            if (QFileInfo(path).isDir())
                QDir(path).removeRecursively();
            else
                QFile::remove(path);
        }
    }

private slots:
    void init()
    {
        emptyFolder(home());
        m_rec = std::make_unique<Toolkit::MessageRecorder>();
        m_clock = std::make_unique<Toolkit::PinnedClock>(pinnedMoment());
    }

    void cleanup()
    {
        m_clock.reset();
        m_rec.reset();
        emptyFolder(home());
        removeEscapes();
    }

    // ---- TextToFile: where the file lands, under which name, with which messages ----

    void textToFile_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<qint64>("style");
        QTest::addColumn<QString>("expectedFile"); // relative to home
        QTest::addColumn<QStringList>("messages");

        const QStringList none;
        const QString s = kStamp;
        QTest::newRow("BadOriginal on the Desktop")
            << "BadOriginal"
            << "Desktop" << qint64(4) << "Desktop/" + s + "BadOriginal.txt" << none;
        QTest::newRow("style 0 no stamp") << "Cleaned"
                                          << "Desktop" << qint64(0) << "Desktop/Cleaned.txt" << none;
        QTest::newRow("style 10 no stamp") << "Cleaned"
                                           << "Desktop" << qint64(10) << "Desktop/Cleaned.txt" << none;
        QTest::newRow("style -4 no stamp") << "Cleaned"
                                           << "Desktop" << qint64(-4) << "Desktop/Cleaned.txt" << none;
        QTest::newRow("style 1") << "Note"
                                 << "Desktop" << qint64(1) << "Desktop/230411Note.txt" << none;
        QTest::newRow("style 9") << "Note"
                                 << "Desktop" << qint64(9) << "Desktop/20230411_234236Note.txt" << none;
        QTest::newRow("style 8 stamp made safe")
            << "Note"
            << "Desktop" << qint64(8) << "Desktop/04_11_2023_23_42_36Note.txt" << QStringList{kNotAppropriate};

        // Folder keywords and prefix forms, letter case ignored.
        QTest::newRow("desktop in small letters") << "Note"
                                                  << "desktop" << qint64(0) << "Desktop/Note.txt" << none;
        QTest::newRow("documents in small letters") << "Note"
                                                    << "documents" << qint64(0) << "Documents/Note.txt" << none;
        QTest::newRow("Desktop/Reports") << "Note"
                                         << "Desktop/Reports" << qint64(4) << "Desktop/Reports/" + s + "Note.txt"
                                         << none;
        QTest::newRow("Desktop/Reports/")
            << "Note"
            << "Desktop/Reports/" << qint64(4) << "Desktop/Reports/" + s + "Note.txt" << none;
        QTest::newRow("Documents/Reports/")
            << "Note"
            << "Documents/Reports/" << qint64(4) << "Documents/Reports/" + s + "Note.txt" << none;
        QTest::newRow("documents/reports") << "Note"
                                           << "documents/reports" << qint64(0) << "Documents/reports/Note.txt" << none;

        // Other folders are anchored below home, for the folders and the file alike.
        QTest::newRow("two levels below Desktop") << "Note"
                                                  << "Desktop/a/b" << qint64(0) << "Desktop/a/b/Note.txt" << none;
        QTest::newRow("relative folder") << "Note"
                                         << "Notes/sub" << qint64(0) << "Notes/sub/Note.txt" << none;
        QTest::newRow("absolute folder in home") << "Note"
                                                 << "<home>/Inside/" << qint64(0) << "Inside/Note.txt" << none;
        QTest::newRow("absolute folder outside home")
            << "Note"
            << "<tmp>/vantrel-outside-check/x" << qint64(0)
            << expand("<tmp>").mid(1) + "/vantrel-outside-check/x/Note.txt" << none;

        // An empty name takes the folder argument as the file's own path.
        QTest::newRow("empty name, Notes/today.txt")
            << ""
            << "Notes/today.txt" << qint64(4) << "Notes/" + s + "today.txt" << none;
        QTest::newRow("empty name, no stamp") << ""
                                              << "Notes/today.txt" << qint64(0) << "Notes/today.txt" << none;
        QTest::newRow("empty name, path in home") << ""
                                                  << "<home>/Docs/x.txt" << qint64(0) << "Docs/x.txt" << none;
        QTest::newRow("empty name, hidden piece") << ""
                                                  << ".hidden/today.txt" << qint64(0) << "_hidden/today.txt" << none;
        QTest::newRow("empty name, not .txt") << ""
                                              << "Notes/today" << qint64(4) << "Desktop/" + s + "SavedFile.txt" << none;
        QTest::newRow("empty name and folder") << ""
                                               << "" << qint64(0) << "Desktop/SavedFile.txt" << none;
        QTest::newRow("empty name, climbing path")
            << ""
            << "../../vantrel-escape.txt" << qint64(0) << "_./_./vantrel-escape.txt" << none;

        // Extensions and name repairs.
        QTest::newRow("csv kept") << "data.csv"
                                  << "Desktop" << qint64(0) << "Desktop/data.csv" << none;
        QTest::newRow("md kept") << "notes.md"
                                 << "Desktop" << qint64(0) << "Desktop/notes.md" << none;
        QTest::newRow("one-letter extension") << "a.b"
                                              << "Desktop" << qint64(0) << "Desktop/a.b.txt" << none;
        QTest::newRow("no dot") << "plain"
                                << "Desktop" << qint64(0) << "Desktop/plain.txt" << none;
        QTest::newRow("60 characters cut to 50") << QString(60, QLatin1Char('N')) << "Desktop" << qint64(0)
                                                 << "Desktop/" + QString(50, QLatin1Char('N')) << none;
        QTest::newRow("cut loses the extension")
            << QString(56, QLatin1Char('x')) + ".csv"
            << "Desktop" << qint64(0) << "Desktop/" + QString(50, QLatin1Char('x')) << none;
        QTest::newRow("colon") << "a:b"
                               << "Desktop" << qint64(0) << "Desktop/a_b.txt" << none;
        QTest::newRow("slash") << "a/b"
                               << "Desktop" << qint64(0) << "Desktop/a_b.txt" << QStringList{kNotAppropriate};
        QTest::newRow("spaces") << "my notes 2"
                                << "Desktop" << qint64(0) << "Desktop/my_notes_2.txt" << none;

        // Bad input: written, inside the target folder, nothing lost.
        QTest::newRow("300 characters") << QString(300, QLatin1Char('L')) << "Desktop" << qint64(0)
                                        << "Desktop/" + QString(50, QLatin1Char('L')) << QStringList{kTooLong};
        QTest::newRow("line feed") << "a\nb"
                                   << "Desktop" << qint64(0) << "Desktop/a_b.txt" << QStringList{kNotAppropriate};
        QTest::newRow("../ in name") << "../vantrel-escape"
                                     << "Desktop" << qint64(0) << "Desktop/.._vantrel-escape.txt"
                                     << QStringList{kNotAppropriate};
        QTest::newRow("name ..") << ".."
                                 << "Desktop" << qint64(0) << "Desktop/...txt" << none;
        QTest::newRow("folder Desktop/..") << "Note"
                                           << "Desktop/.." << qint64(0) << "Desktop/_./Note.txt" << none;
        QTest::newRow("relative folder climbing")
            << "Note"
            << "../vantrel-escape" << qint64(0) << "_./vantrel-escape/Note.txt" << none;
        QTest::newRow("relative folder climbing twice")
            << "Note"
            << "../../vantrel-escape" << qint64(0) << "_./_./vantrel-escape/Note.txt" << none;
        QTest::newRow("absolute folder climbing out of home")
            << "Note"
            << "<home>/../vantrel-escape" << qint64(0) << "_./vantrel-escape/Note.txt" << none;
    }

    void textToFile()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, folder);
        QFETCH(qint64, style);
        QFETCH(QString, expectedFile);
        QFETCH(QStringList, messages);

        const QString text = QStringLiteral("abc\r\nline two\nGrüße \U0001F418\n");
        FileTools::TextToFile(text, fileName, expand(folder), style);

        QCOMPARE(filesBelow(home()), QStringList{expectedFile});
        QCOMPARE(contentOf(home() + QLatin1Char('/') + expectedFile), text.toUtf8());
        QCOMPARE(m_rec->messages, messages);
        QCOMPARE(m_rec->beeps, 0);
        QCOMPARE(escapedEntries(), QStringList());
    }

    void textToFileReplacesExistingFile_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<qint64>("style");
        QTest::addColumn<QString>("expectedFile");
        QTest::newRow("stamped") << "Desktop" << qint64(4) << "Desktop/" + kStamp + "Report.txt";
        QTest::newRow("not stamped") << "Desktop" << qint64(0) << "Desktop/Report.txt";
        QTest::newRow("in Documents/Reports") << "Documents/Reports" << qint64(0) << "Documents/Reports/Report.txt";
    }

    void textToFileReplacesExistingFile()
    {
        QFETCH(QString, folder);
        QFETCH(qint64, style);
        QFETCH(QString, expectedFile);
        writeFile(home() + QLatin1Char('/') + expectedFile, "an earlier and much longer text");
        FileTools::TextToFile(QStringLiteral("new"), QStringLiteral("Report"), folder, style);
        QCOMPARE(filesBelow(home()), QStringList{expectedFile});
        QCOMPARE(contentOf(home() + QLatin1Char('/') + expectedFile), QByteArray("new"));
        QVERIFY(m_rec->messages.isEmpty());
    }

    // A folder stands where the file must go: the file cannot be opened, so the failure shows
    // in the alert form (four lines) and nothing else is left behind.
    void textToFileCannotOpenFile()
    {
        const QString blocker = home() + QStringLiteral("/Desktop/") + kStamp + QStringLiteral("Report.txt");
        QVERIFY(QDir().mkpath(blocker));
        Toolkit::LogCapture log;
        FileTools::TextToFile(QStringLiteral("abc"), QStringLiteral("Report"), QStringLiteral("Desktop"), 4);
        QCOMPARE(m_rec->messages, QStringList{kTextToFileAlert});
        QCOMPARE(log.lines(), QStringList{QStringLiteral("Exception - FileTools.TextToFile")});
        QCOMPARE(m_rec->beeps, 0);
        QVERIFY(QFileInfo(blocker).isDir());
        QCOMPARE(foldersBelow(home() + QStringLiteral("/Desktop")), QStringList{kStamp + QStringLiteral("Report.txt")});
        QCOMPARE(filesBelow(home()), QStringList());
    }

    // A file stands where a folder must be created: the folder step reports in the alert form,
    // and the write finds no folder, beeps and says so. The blocking file is left as it was.
    void textToFileCannotCreateFolder_data()
    {
        QTest::addColumn<QString>("blockingFile");
        QTest::addColumn<QString>("folder");
        QTest::newRow("Desktop is a file") << "Desktop"
                                           << "Desktop";
        QTest::newRow("Reports is a file") << "Desktop/Reports"
                                           << "Desktop/Reports";
        QTest::newRow("Documents is a file below a prefix") << "Documents"
                                                            << "Documents/Reports/";
    }

    void textToFileCannotCreateFolder()
    {
        QFETCH(QString, blockingFile);
        QFETCH(QString, folder);
        const QString blocker = home() + QLatin1Char('/') + blockingFile;
        writeFile(blocker, "keep me");
        Toolkit::LogCapture log;
        FileTools::TextToFile(QStringLiteral("abc"), QStringLiteral("Report"), folder, 4);
        QCOMPARE(m_rec->messages,
                 (QStringList{kCreateFoldersAlert,
                              QStringLiteral("Somehow unable to create the ") + kStamp
                                  + QStringLiteral("Report.txt file. Method: TextToFile")}));
        QCOMPARE(m_rec->beeps, 1);
        QCOMPARE(log.lines(), QStringList{QStringLiteral("Exception - FileTools.CreateAllFoldersInPath")});
        QCOMPARE(filesBelow(home()), QStringList{blockingFile});
        QCOMPARE(contentOf(blocker), QByteArray("keep me"));
    }

    // The user's Desktop or Documents folder, as the system resolves it, is used as it is: outside
    // home (user-dirs.dirs), or below a home reached through a symbolic link.
    void textToFileUsesTheResolvedSpecialFolder_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expectedFile");
        QTest::newRow("Desktop outside home") << "outside"
                                              << "Desktop"
                                              << "Desk/" + kStamp + "Report.txt";
        QTest::newRow("Desktop/Reports outside home") << "outside"
                                                      << "Desktop/Reports"
                                                      << "Desk/Reports/" + kStamp + "Report.txt";
        QTest::newRow("Documents outside home") << "outside"
                                                << "Documents"
                                                << "Docs/" + kStamp + "Report.txt";
        QTest::newRow("Desktop below a linked home") << "link"
                                                     << "Desktop"
                                                     << "Desktop/" + kStamp + "Report.txt";
        QTest::newRow("Documents/Reports/ below a linked home") << "link"
                                                                << "Documents/Reports/"
                                                                << "Documents/Reports/" + kStamp + "Report.txt";
    }

    void textToFileUsesTheResolvedSpecialFolder()
    {
        QFETCH(QString, where);
        QFETCH(QString, folder);
        QFETCH(QString, expectedFile);
        QTemporaryDir elsewhere(QDir::tempPath() + QStringLiteral("/vantrel-elsewhere-XXXXXX"));
        QVERIFY(elsewhere.isValid());
        std::unique_ptr<HomeScope> linkedHome;
        if (where == u"outside") {
            writeFile(home() + QStringLiteral("/.config/user-dirs.dirs"),
                      "XDG_DESKTOP_DIR=\"" + elsewhere.path().toUtf8() + "/Desk\"\nXDG_DOCUMENTS_DIR=\""
                          + elsewhere.path().toUtf8() + "/Docs\"\n");
        } else {
            // The home the user reaches is a link to the folder that really holds it.
            const QString real = elsewhere.path() + QStringLiteral("/real");
            const QString link = elsewhere.path() + QStringLiteral("/home");
            QVERIFY(QDir().mkpath(real));
            QVERIFY(QFile::link(real, link));
            linkedHome = std::make_unique<HomeScope>(link);
            expectedFile = QStringLiteral("real/") + expectedFile;
        }
        FileTools::TextToFile(QStringLiteral("abc"), QStringLiteral("Report"), folder, 4);
        QVERIFY(m_rec->messages.isEmpty());
        QCOMPARE(filesBelow(elsewhere.path()), QStringList{expectedFile});
        QCOMPARE(contentOf(elsewhere.path() + QLatin1Char('/') + expectedFile), QByteArray("abc"));
        linkedHome.reset();
        QCOMPARE(filesBelow(home()), where == u"outside" ? QStringList{".config/user-dirs.dirs"} : QStringList());
    }

    // A read-only file of the same name stays as it was: the write fails in the alert form.
    void textToFileKeepsAReadOnlyFile()
    {
        const QString existing = home() + QStringLiteral("/Desktop/") + kStamp + QStringLiteral("Report.txt");
        writeFile(existing, "keep me");
        QVERIFY(QFile::setPermissions(existing, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        FileTools::TextToFile(QStringLiteral("new"), QStringLiteral("Report"), QStringLiteral("Desktop"), 4);
        QCOMPARE(m_rec->messages, QStringList{kTextToFileAlert});
        QCOMPARE(contentOf(existing), QByteArray("keep me"));
        QCOMPARE(filesBelow(home()), QStringList{"Desktop/" + kStamp + "Report.txt"});
        QFile::setPermissions(existing, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    // The folders below home are found from the home path itself, whatever its depth.
    void homeAtAnyDepth_data()
    {
        QTest::addColumn<QString>("below");
        QTest::newRow("three levels below the root") << "h";
        QTest::newRow("five levels below the root") << "a/b/h";
    }

    void homeAtAnyDepth()
    {
        QFETCH(QString, below);
        const QString deepHome = home() + QLatin1Char('/') + below;
        QVERIFY(QDir().mkpath(deepHome));
        HomeScope override(deepHome);
        FileTools::TextToFile(QStringLiteral("abc"), QStringLiteral("Report"), QStringLiteral("Desktop/Reports"), 4);
        QCOMPARE(filesBelow(home()), QStringList{below + "/Desktop/Reports/" + kStamp + "Report.txt"});
        QVERIFY(m_rec->messages.isEmpty());
    }

    // As for root, whose home is /root.
    void homeOneLevelBelowRoot()
    {
        if (!QFileInfo(QStringLiteral("/")).isWritable())
            QSKIP("needs a writable root folder to place a home one level below it");
        QTemporaryDir shallow(QStringLiteral("/vantrel-home-XXXXXX"));
        QVERIFY(shallow.isValid());
        HomeScope override(shallow.path());
        FileTools::TextToFile(QStringLiteral("abc"), QStringLiteral("Report"), QStringLiteral("Desktop/Reports"), 4);
        QCOMPARE(filesBelow(shallow.path()), QStringList{"Desktop/Reports/" + kStamp + "Report.txt"});
        QVERIFY(m_rec->messages.isEmpty());
    }

    // ---- CreateAllFoldersInPath ----

    void createAllFoldersInPath_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("expectedFolders"); // every folder below home afterwards

        const QStringList none;
        QTest::newRow("relative") << none << "a/b" << QStringList{"a", "a/b"};
        QTest::newRow("inside home") << none << "<home>/Desktop/Reports/" << QStringList{"Desktop", "Desktop/Reports"};
        QTest::newRow("absolute outside home") << none << "<tmp>/vantrel-outside-check/x" << [] {
            // <tmp> itself is recreated below home, piece by piece.
            QStringList folders;
            QString path;
            for (const QString &piece : QDir::tempPath().split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
                path += (path.isEmpty() ? QString() : QStringLiteral("/")) + piece;
                folders.append(path);
            }
            folders << path + "/vantrel-outside-check" << path + "/vantrel-outside-check/x";
            folders.sort();
            return folders;
        }();
        QTest::newRow("doubled slashes skipped") << none << "<home>//a///b//" << QStringList{"a", "a/b"};
        QTest::newRow("dot pieces skipped") << none << "<home>/./a/./b" << QStringList{"a", "a/b"};
        QTest::newRow("dot-dot pieces stay inside")
            << none << "<home>/a/../../vantrel-escape" << QStringList{"a", "a/_.", "a/_./_.", "a/_./_./vantrel-escape"};
        QTest::newRow("home itself") << none << "<home>" << none;
        QTest::newRow("home with slash") << none << "<home>/" << none;
        QTest::newRow("empty") << none << "" << none;
        QTest::newRow("all exist") << QStringList{"a/b"} << "a/b" << QStringList{"a", "a/b"};
        QTest::newRow("some exist") << QStringList{"a"} << "<home>/a/b/c" << QStringList{"a", "a/b", "a/b/c"};
    }

    void createAllFoldersInPath()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, path);
        QFETCH(QStringList, expectedFolders);
        for (const QString &folder : existing)
            QVERIFY(QDir(home()).mkpath(folder));
        FileTools::CreateAllFoldersInPath(expand(path));
        QCOMPARE(foldersBelow(home()), expectedFolders);
        QVERIFY(m_rec->messages.isEmpty());
        QCOMPARE(escapedEntries(), QStringList());
    }

    // A folder whose name merely starts like home is not below home.
    void pathBesideHomeIsNotBelowIt()
    {
        const QString beside = home() + QStringLiteral("2/x");
        FileTools::CreateAllFoldersInPath(beside);
        QVERIFY(QFileInfo(home() + beside).isDir());
        QVERIFY(!QFileInfo::exists(home() + QStringLiteral("2")));
    }

    void createAllFoldersInPathBlockedByFile()
    {
        writeFile(home() + QStringLiteral("/a/b"), "keep me");
        Toolkit::LogCapture log;
        FileTools::CreateAllFoldersInPath(QStringLiteral("a/b/c"));
        QCOMPARE(m_rec->messages, QStringList{kCreateFoldersAlert});
        QCOMPARE(log.lines(), QStringList{QStringLiteral("Exception - FileTools.CreateAllFoldersInPath")});
        QCOMPARE(contentOf(home() + QStringLiteral("/a/b")), QByteArray("keep me"));
        QCOMPARE(foldersBelow(home()), QStringList{"a"});
    }

    // ---- Path and name helpers ----

    void rsViablePath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a//b/.hidden:x") << "a//b/.hidden:x"
                                        << "<home>/a/b/_hidden_x";
        QTest::newRow("Desktop") << "Desktop"
                                 << "<home>/Desktop";
        QTest::newRow("documents") << "documents"
                                   << "<home>/Documents";
        QTest::newRow("absolute outside home") << "/x/y"
                                               << "<home>/x/y";
        QTest::newRow("already in home") << "<home>/x"
                                         << "<home>/x";
        QTest::newRow("home itself") << "<home>"
                                     << "<home>";
        QTest::newRow("three slashes leave two") << "///a"
                                                 << "<home>//a";
        QTest::newRow("empty") << ""
                               << "<home>/";
        QTest::newRow("leading dot-dot") << "../x"
                                         << "<home>/_./x";
        QTest::newRow("inner dot-dot") << "a/../../x"
                                       << "<home>/a/_./_./x";
        QTest::newRow("Desktop/ is not the keyword") << "Desktop/"
                                                     << "<home>/Desktop/";
        QTest::newRow("beside home") << "<home>2/x"
                                     << "<home><home>2/x";
    }

    void rsViablePath()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(FileTools::rsViablePath(expand(path)), expand(expected));
        QVERIFY(m_rec->messages.isEmpty());
    }

    void rbHasExtension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("expected");
        QTest::addColumn<QStringList>("messages");
        const QStringList none;
        QTest::newRow("csv") << "data.csv" << true << none;
        QTest::newRow("md") << "notes.md" << true << none;
        QTest::newRow("html") << "page.html" << true << none;
        QTest::newRow("one character") << "a.b" << false << none;
        QTest::newRow("five characters") << "a.abcde" << false << none;
        QTest::newRow("no dot") << "plain" << false << none;
        QTest::newRow("version-like") << "v1.2.3" << true << none;
        QTest::newRow("dot only at start") << ".profile" << false << none;
        QTest::newRow("empty") << "" << false << none;
        QTest::newRow("255 characters") << QString(251, QLatin1Char('n')) + ".txt" << true << none;
        QTest::newRow("256 characters") << QString(252, QLatin1Char('n')) + ".txt" << false << QStringList{kTooLong};
        QTest::newRow("slash") << "a/b.txt" << false << QStringList{kNotAppropriate};
        QTest::newRow("line feed") << "a\nb.txt" << false << QStringList{kNotAppropriate};
        QTest::newRow("line feed at end") << "a.txt\n" << false << QStringList{kNotAppropriate};
    }

    void rbHasExtension()
    {
        QFETCH(QString, name);
        QFETCH(bool, expected);
        QFETCH(QStringList, messages);
        QCOMPARE(FileTools::rbHasExtension(name), expected);
        QCOMPARE(m_rec->messages, messages);
    }

    void rsCorrectFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("maxLength");
        QTest::addColumn<QString>("expected");
        QTest::newRow("colon, slash, blank") << "a:b/c d" << qint64(50) << "a_b_c_d";
        QTest::newRow("cut") << "abcdef" << qint64(3) << "abc";
        QTest::newRow("short enough") << "abc" << qint64(50) << "abc";
        QTest::newRow("zero length") << "abc" << qint64(0) << "";
        QTest::newRow("negative length") << "abc" << qint64(-5) << "";
        QTest::newRow("line feed and tab") << "a\nb\tc" << qint64(50) << "a_b_c";
        QTest::newRow("NUL") << QString::fromUtf16(u"a\0b", 3) << qint64(50) << "a_b";
        QTest::newRow("dot-dot slash") << "../x" << qint64(50) << ".._x";
        QTest::newRow("dot-dot") << ".." << qint64(50) << "__";
        QTest::newRow("cut to dot-dot") << "..x" << qint64(2) << "__";
        QTest::newRow("dot") << "." << qint64(50) << "_";
        QTest::newRow("surrogate pairs are one character") << QStringLiteral("a\U0001F418\U0001F418\U0001F418")
                                                           << qint64(3) << QStringLiteral("a\U0001F418\U0001F418");
        QTest::newRow("non-ASCII kept") << "Grüße" << qint64(50) << "Grüße";
    }

    void rsCorrectFileName()
    {
        QFETCH(QString, name);
        QFETCH(qint64, maxLength);
        QFETCH(QString, expected);
        QCOMPARE(RtrnString::rsCorrectFileName(name, maxLength), expected);
    }

    void pathPieces_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("onlyFileName");
        QTest::addColumn<QString>("parentFolder");
        QTest::addColumn<QString>("endSlash");
        QTest::newRow("absolute file") << "/Users/name/Desktop/notes.txt"
                                       << "notes.txt"
                                       << "/Users/name/Desktop/"
                                       << "/Users/name/Desktop/notes.txt/";
        QTest::newRow("relative file") << "a/b.txt"
                                       << "b.txt"
                                       << "/a/"
                                       << "a/b.txt/";
        QTest::newRow("repeated slashes") << "//a//b//c.txt"
                                          << "c.txt"
                                          << "/a/b/"
                                          << "//a//b//c.txt/";
        QTest::newRow("folder with slash") << "/a/b/"
                                           << ""
                                           << "/a/b/"
                                           << "/a/b/";
        QTest::newRow("bare name") << "c.txt"
                                   << "c.txt"
                                   << "/"
                                   << "c.txt/";
        QTest::newRow("empty") << ""
                               << ""
                               << "/"
                               << "/";
        QTest::newRow("root") << "/"
                              << ""
                              << "/"
                              << "/";
    }

    void pathPieces()
    {
        QFETCH(QString, path);
        QFETCH(QString, onlyFileName);
        QFETCH(QString, parentFolder);
        QFETCH(QString, endSlash);
        QCOMPARE(RtrnString::rsOnlyFileName(path), onlyFileName);
        QCOMPARE(RtrnString::rsParentFolderPath(path), parentFolder);
        QCOMPARE(FileTools::PathFolderEndSlash(path), endSlash);
    }
};

VANTREL_TEST_MAIN_CORE(TestFileTools)
#include "tst_filetools.moc"
