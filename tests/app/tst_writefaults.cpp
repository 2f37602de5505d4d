// Every write the program makes, under every way a write fails: the folder missing, read-only,
// the target name taken, the disk full, HOME unset or pointing at a file. Each failure is shown
// in its report form, nothing half-written is left on disk, and the program goes on.
//
// Read-only folders and full disks are injected in the file layer (toolkit/Files): the suite
// runs as the superuser in CI, whom permission bits do not stop.

#include "common/GuiTestMain.h"
#include "common/WriteTestSupport.h"

#include "../windows/BrowserTestSupport.h"

#include "help/HelpWindows.h"
#include "toolkit/DateTime.h"
#include "toolkit/Desktop.h"
#include "toolkit/Files.h"
#include "toolkit/UserFolders.h"
#include "toolkit/Window.h"

#include <QAbstractButton>
#include <QDirIterator>

#include <cerrno>
#include <memory>
#include <optional>

using namespace BrowserTest;
using namespace WriteTest;

namespace {

const QString kOpeningAlert =
    QStringLiteral("Oops! App.Opening\nEVENT HANDLER: App\nEVENT NAME: Opening\nTYPE: IOException");
const QString kBadHelpMessage =
    QStringLiteral("HELP_TEXT is incorrectly formatted. Some entries not correctly broken up by unit separators.");
const QString kEarlier = QStringLiteral("an earlier file of the same name");

enum class Write {
    AppDataFolder,  // the application's folder, made by the start-up load
    RejectedHelp,   // a help text that fails validation: "BadOriginal"
    NormalisedHelp, // a help text that needed normalising: "Cleaned" and "Original"
    SizeRecord,     // Done with the Option key in a help window: "WindowSizeInfo"
    PrintFile,      // the main window's Print: "PrintWinMain"
};

enum class Fault {
    FolderMissing,
    FolderReadOnly,
    NameTaken,
    DiskFull,
    HomeUnset,
    HomeIsAFile,
};

QString home() { return TestHome::path(); }
QString desktop() { return home() + QStringLiteral("/Desktop"); }
QString appData() { return home() + QStringLiteral("/.local/share"); }
QString bundleFolder() { return appData() + u'/' + QLatin1String(ModGlobal::kBundleIdentifier); }

// The files a write makes on the Desktop, as named with the pinned stamp.
QStringList desktopNames(Write write)
{
    switch (write) {
    case Write::AppDataFolder:
        return {};
    case Write::RejectedHelp:
        return {kStamp + QStringLiteral("BadOriginal.txt")};
    case Write::NormalisedHelp:
        return {kStamp + QStringLiteral("Cleaned.txt"), kStamp + QStringLiteral("Original.txt")};
    case Write::SizeRecord:
        return {kStamp + QStringLiteral("WindowSizeInfo.txt")};
    case Write::PrintFile:
        return {kStamp + QStringLiteral("PrintWinMain.txt")};
    }
    return {};
}

// Every entry below a folder (hidden ones too), relative to it, folders ending in "/".
QStringList entriesBelow(const QString &folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString relative = QDir(folder).relativeFilePath(it.filePath());
        found.append(it.fileInfo().isDir() ? relative + u'/' : relative);
    }
    found.sort();
    return found;
}

} // namespace

Q_DECLARE_METATYPE(Write)
Q_DECLARE_METATYPE(Fault)

class TestWriteFaults : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Fixture> m_fx;
    std::unique_ptr<Toolkit::PinnedClock> m_clock;

    // Makes the write happen the way the program makes it.
    void perform(Write write)
    {
        switch (write) {
        case Write::AppDataFolder:
            // As at a real start: no maps, no topics yet.
            ModGlobal::resetForTests();
            Help::helpDict.reset();
            App::instance()->Opening();
            break;
        case Write::RejectedHelp:
        case Write::NormalisedHelp: {
            const QString text = write == Write::RejectedHelp
                ? QStringLiteral("1\tTitle\tContent\t300\t200\textra<#CR>")
                : QStringLiteral("1\tTitle\tContent<#CR>");
            const auto previous = Help::setHelpSourceForTests(text);
            Help::FillDictionaryFromHELP_TEXT();
            Help::setHelpSourceForTests(previous);
            break;
        }
        case Write::SizeRecord: {
            Toolkit::Keyboard::pinAltKeyForTests(true);
            Toolkit::ModalWatcher watcher([](QWidget *w) {
                if (auto *done = w->findChild<QAbstractButton *>(QStringLiteral("pbDone")))
                    done->click();
            });
            HelpWindows::showHelpWindow(false, QStringLiteral("Text"), QStringLiteral("Sizes"), 500, 300);
            Toolkit::Keyboard::pinAltKeyForTests(std::nullopt);
            break;
        }
        case Write::PrintFile:
            BrowserWindow::instance(BrowserWindow::Layout::Main)->Print(QStringLiteral("printed text"));
            break;
        }
    }

private slots:
    void init()
    {
        m_fx = std::make_unique<Fixture>();
        m_clock = std::make_unique<Toolkit::PinnedClock>(pinnedMoment());
    }

    void cleanup()
    {
        m_clock.reset();
        m_fx.reset();
        Help::FillDictionaryFromHELP_TEXT(); // the shipped topics again
        QDir(home()).removeRecursively();
        QDir().mkpath(home());
    }

    void everyWriteUnderEveryFault_data()
    {
        QTest::addColumn<Write>("write");
        QTest::addColumn<Fault>("fault");
        const QList<std::pair<Write, const char *>> writes{
            {Write::AppDataFolder, "application-data folder"},
            {Write::RejectedHelp, "BadOriginal"},
            {Write::NormalisedHelp, "Cleaned and Original"},
            {Write::SizeRecord, "WindowSizeInfo"},
            {Write::PrintFile, "PrintWinMain"},
        };
        const QList<std::pair<Fault, const char *>> faults{
            {Fault::FolderMissing, "folder missing"}, {Fault::FolderReadOnly, "folder read-only"},
            {Fault::NameTaken, "name taken"},         {Fault::DiskFull, "disk full"},
            {Fault::HomeUnset, "HOME unset"},         {Fault::HomeIsAFile, "HOME is a file"},
        };
        for (const auto &[write, writeName] : writes) {
            for (const auto &[fault, faultName] : faults)
                QTest::addRow("%s, %s", writeName, faultName) << write << fault;
        }
    }

    void everyWriteUnderEveryFault()
    {
        QFETCH(Write, write);
        QFETCH(Fault, fault);
        const bool isFolder = write == Write::AppDataFolder;
        const QStringList names = desktopNames(write);
        // The folder the write goes into, and where the program's own file or folder would be.
        const QString folder = isFolder ? appData() : desktop();
        const QStringList targets = isFolder ? QStringList{bundleFolder()} : [&] {
            QStringList paths;
            for (const QString &name : names)
                paths.append(desktop() + u'/' + name);
            return paths;
        }();

        // The state of the disk before the write.
        QDir(home() + QStringLiteral("/.local")).removeRecursively();
        QDir(desktop()).removeRecursively();
        if (fault != Fault::FolderMissing)
            QVERIFY(QDir().mkpath(folder));
        if (fault == Fault::NameTaken) {
            // A folder where a file must go; a file where the application's folder must go.
            for (const QString &target : targets) {
                if (isFolder)
                    writeFile(target, "in the way");
                else
                    QVERIFY(QDir().mkpath(target));
            }
        }
        if (fault == Fault::DiskFull && !isFolder) {
            for (const QString &target : targets)
                writeFile(target, kEarlier.toUtf8());
        }
        const QString fileHome = home() + QStringLiteral("/home-file");
        if (fault == Fault::HomeIsAFile)
            writeFile(fileHome, "not a folder");
        const QStringList rootBefore = QDir(QStringLiteral("/")).entryList(QDir::AllEntries | QDir::Hidden);
        const QStringList before = entriesBelow(home());

        // The write, under the fault.
        {
            HookScope<Toolkit::Files::FaultHook> faults(
                &Toolkit::Files::setFaultHookForTests, [&](Toolkit::Files::Step step, const QString &path) {
                    const bool inFolder = QFileInfo(path).path() == folder;
                    if (fault == Fault::FolderReadOnly && inFolder && step != Toolkit::Files::Step::Write)
                        return EACCES;
                    if (fault == Fault::DiskFull
                        && (step == Toolkit::Files::Step::Write || step == Toolkit::Files::Step::MakeFolder))
                        return ENOSPC;
                    return 0;
                });
            std::unique_ptr<HomeScope> homeScope;
            if (fault == Fault::HomeUnset)
                homeScope = std::make_unique<HomeScope>(std::nullopt);
            else if (fault == Fault::HomeIsAFile)
                homeScope = std::make_unique<HomeScope>(fileHome);
            m_fx->messages.messages.clear();
            perform(write);
        }

        // What the user saw.
        const bool succeeds = fault == Fault::FolderMissing;
        QStringList expected;
        if (write == Write::RejectedHelp)
            expected << kBadHelpMessage;
        if (write == Write::PrintFile)
            expected << QStringLiteral("Asked to print something");
        for (const QString &name : names) {
            if (succeeds)
                continue;
            if (fault == Fault::HomeIsAFile)
                expected << kCreateFoldersAlert
                         << QStringLiteral("Somehow unable to create the %1 file. Method: TextToFile").arg(name);
            else
                expected << kTextToFileAlert;
        }
        if (isFolder && !succeeds)
            expected << kOpeningAlert;
        QCOMPARE(m_fx->messages.messages, expected);
        QCOMPARE(m_fx->messages.beeps, fault == Fault::HomeIsAFile ? int(names.size()) : 0);

        // What is on disk: the written files or folder when it succeeded; otherwise exactly what
        // was there before, the earlier files unchanged, and no partial or temporary file.
        QStringList after = entriesBelow(home());
        if (succeeds) {
            QStringList added = isFolder ? QStringList{QStringLiteral(".local/"), QStringLiteral(".local/share/"),
                                                       QStringLiteral(".local/share/app.vantrel.Vantrel/")}
                                         : QStringList{QStringLiteral("Desktop/")};
            for (const QString &name : names)
                added << QStringLiteral("Desktop/") + name;
            QStringList expectedAfter = before + added;
            expectedAfter.sort();
            QCOMPARE(after, expectedAfter);
            for (const QString &target : targets)
                QVERIFY2(isFolder ? QFileInfo(target).isDir() : !contentOf(target).isEmpty(), qPrintable(target));
        } else {
            QCOMPARE(after, before);
            if (fault == Fault::DiskFull && !isFolder) {
                for (const QString &target : targets)
                    QCOMPARE(contentOf(target), kEarlier.toUtf8());
            }
        }
        // Nothing went below the root folder instead of a home.
        QCOMPARE(QDir(QStringLiteral("/")).entryList(QDir::AllEntries | QDir::Hidden), rootBefore);

        // The program goes on: with its maps, a search finds its rows; without them (the load
        // failed), the search reports instead of crashing.
        m_fx->reports.clear();
        BrowserWindow *w = BrowserWindow::instance(BrowserWindow::Layout::Main);
        QTest::keyClicks(w->tfSearch(), QStringLiteral("ListBox"));
        if (isFolder && !succeeds) {
            QVERIFY(!ModGlobal::dictKeyGlobal && !ModGlobal::dictChronID_Global);
            QCOMPARE(m_fx->reports.size(), 7); // one for each letter typed
            QVERIFY(m_fx->reports.first().startsWith(QStringLiteral("NilObjectException in winMain.DoSearchFilter")));
        } else {
            QCOMPARE(m_fx->reports, QStringList());
            QCOMPARE(Shown::of(w), Shown::applied(QStringLiteral("ListBox")));
        }
        if (write == Write::RejectedHelp)
            QVERIFY(Help::helpDict && Help::helpDict->isEmpty());
        if (write == Write::NormalisedHelp)
            QCOMPARE(Help::helpDict->value(1), QStringLiteral("Title\tContent\t0\t0"));
    }

    // Without HOME the program takes the account's home folder from the user database before
    // anything reads a folder; a set HOME is left alone.
    void unsetHomeFallsBackToTheAccountsHome()
    {
        {
            HomeScope unset(std::nullopt);
            QVERIFY_THROWS_EXCEPTION(IOException, Toolkit::SpecialFolder::UserHome());
            QVERIFY_THROWS_EXCEPTION(IOException, Toolkit::SpecialFolder::Desktop());
            QVERIFY(Toolkit::SpecialFolder::UseAccountHomeWhenUnset());
            const QString account = qEnvironmentVariable("HOME");
            QVERIFY(!account.isEmpty());
            QCOMPARE(Toolkit::SpecialFolder::UserHome(), QDir::cleanPath(account));
            QCOMPARE(Toolkit::SpecialFolder::ApplicationData(), QDir::cleanPath(account) + "/.local/share");
        }
        QVERIFY(Toolkit::SpecialFolder::UseAccountHomeWhenUnset());
        QCOMPARE(Toolkit::SpecialFolder::UserHome(), home());
    }
};

VANTREL_TEST_MAIN_GUI(TestWriteFaults)
#include "tst_writefaults.moc"
