// The application object and the menu bar: version data, start-up, menu dispatch (window
// first, then application, then the standard items), Quit and the Edit items.

#include "common/GuiTestMain.h"

#include "../windows/BrowserTestSupport.h"

#include "about/winAboutBox.h"
#include "app/MainMenuBar.h"
#include "toolkit/Window.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <memory>

using namespace BrowserTest;

class TestApp : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Fixture> m_fx;

    static BrowserWindow *windowFor(const QString &which)
    {
        if (which == QLatin1String("winMain"))
            return winMain();
        if (which == QLatin1String("winExpandFilter"))
            return winExpandFilter();
        return nullptr;
    }

private slots:
    void init() { m_fx = std::make_unique<Fixture>(); }
    void cleanup() { m_fx.reset(); }

    void versionData()
    {
        QCOMPARE(App::MajorVersion, 1);
        QCOMPARE(App::MinorVersion, 0);
        QCOMPARE(App::BugVersion, 0);
        QCOMPARE(App::StageCode, 3);
        QCOMPARE(App::NonReleaseVersion, 11);
        QCOMPARE(App::Description(), QStringLiteral("Old and New Versions of Commands"));
        QVERIFY(!App::Copyright().isEmpty());
        QVERIFY(!App::Copyright().contains(QLatin1Char('\n')));
        App::instance();
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("1.0.0"));
        QVERIFY(!QGuiApplication::quitOnLastWindowClosed());
    }

    // A display name set on the application is appended to every window title on X11
    // ("Vantrel: Expandable Filtered List — Vantrel"); with none set, the display name follows
    // the application name and the titles read exactly as the windows set them.
    void noDisplayNameAppendedToTitles()
    {
        App::instance();
        const QString name = QCoreApplication::applicationName();
        QCOMPARE(name, QStringLiteral("Vantrel"));
        QCoreApplication::setApplicationName(QStringLiteral("probe"));
        const QString displayName = QGuiApplication::applicationDisplayName();
        QCoreApplication::setApplicationName(name);
        QCOMPARE(displayName, QStringLiteral("probe"));
    }

    void openingLoadsAndShowsTheMainWindow()
    {
        ModGlobal::resetForTests();
        Help::helpDict.reset();
        App *app = App::instance();
        app->Opening();
        QVERIFY(ModGlobal::dictKeyGlobal && ModGlobal::dictChronID_Global);
        QVERIFY(Help::helpDict && !Help::helpDict->isEmpty());
        QVERIFY(!app->appSupportFolder().isEmpty());
        QVERIFY(QDir(app->appSupportFolder()).exists());
        QVERIFY(app->appSupportFolder().startsWith(TestHome::path()));
        BrowserWindow *w = BrowserWindow::existing(BrowserWindow::Layout::Main);
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QCOMPARE(w->lbRecent()->RowCount(), catalogueLines().size());
        QVERIFY(m_fx->messages.messages.isEmpty());

        // Nothing touches the general-purpose properties.
        w->menuItem(QStringLiteral("SampleSampleOne"))->trigger();
        QTest::keyClicks(w->tfSearch(), QStringLiteral("Desktop"));
        QVERIFY(app->aiGlobalMultiDim.isEmpty());
        QCOMPARE(app->fGlobalBoolean, false);
        QCOMPARE(app->iGlobalInteger, 0);
        QVERIFY(app->sGlobalMessage.isEmpty());
        QVERIFY(app->sGlobalWindowTitle.isEmpty());
    }

    // The bar each window builds from the one definition: names, captions with mnemonics,
    // shortcuts that Qt understands.
    void menuBarItems_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");

        QTest::newRow("Quit") << "FileMenu"
                              << "FileQuit"
                              << "&Quit"
                              << "Ctrl+Q";
        QTest::newRow("Undo") << "EditMenu"
                              << "EditUndo"
                              << "&Undo"
                              << "Ctrl+Z";
        QTest::newRow("separator 1") << "EditMenu"
                                     << "EditSeparator1"
                                     << "-"
                                     << "";
        QTest::newRow("Cut") << "EditMenu"
                             << "EditCut"
                             << "Cu&t"
                             << "Ctrl+X";
        QTest::newRow("Copy") << "EditMenu"
                              << "EditCopy"
                              << "&Copy"
                              << "Ctrl+C";
        QTest::newRow("Paste") << "EditMenu"
                               << "EditPaste"
                               << "&Paste"
                               << "Ctrl+V";
        QTest::newRow("Delete") << "EditMenu"
                                << "EditClear"
                                << "&Delete"
                                << "";
        QTest::newRow("separator 2") << "EditMenu"
                                     << "EditSeparator2"
                                     << "-"
                                     << "";
        QTest::newRow("Select All") << "EditMenu"
                                    << "EditSelectAll"
                                    << "Select &All"
                                    << "Ctrl+A";
        QTest::newRow("Sample One") << "SampleMenu"
                                    << "SampleSampleOne"
                                    << "Sample One"
                                    << "";
        QTest::newRow("Sample Two") << "SampleMenu"
                                    << "SampleSampleTwo"
                                    << "Sample Two"
                                    << "";
        QTest::newRow("About") << "HelpMenu"
                               << "miAbout"
                               << "About Vantrel"
                               << "";
    }

    void menuBarItems()
    {
        QFETCH(QString, menu);
        QFETCH(QString, item);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        for (BrowserWindow *w : {winMain(), winExpandFilter()}) {
            QAction *action = w->menuItem(item);
            QVERIFY(action);
            QCOMPARE(action->parent()->objectName(), menu);
            if (caption == QLatin1String("-")) {
                QVERIFY(action->isSeparator());
                continue;
            }
            QCOMPARE(action->text(), caption);
            QCOMPARE(action->shortcut(), shortcut.isEmpty() ? QKeySequence() : QKeySequence(shortcut));
            if (!shortcut.isEmpty())
                QVERIFY(action->shortcut()[0].key() != Qt::Key_unknown);
            QCOMPARE(action->menuRole() == QAction::AboutRole, item == QLatin1String("miAbout"));
        }
    }

    void menusInOrder()
    {
        QStringList captions;
        QStringList names;
        for (QAction *a : winMain()->menuBar()->actions()) {
            captions << a->text();
            names << a->objectName();
        }
        QCOMPARE(captions, (QStringList{"&File", "&Edit", "Sample", "&Help"}));
        QCOMPARE(names, (QStringList{"FileMenu", "EditMenu", "SampleMenu", "HelpMenu"}));
    }

    void dispatch_data()
    {
        QTest::addColumn<QString>("window"); // the frontmost window; "" = none
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("message");

        QTest::newRow("Sample One, no window") << ""
                                               << "SampleSampleOne"
                                               << "SampleOne: App";
        QTest::newRow("Sample One, main") << "winMain"
                                          << "SampleSampleOne"
                                          << "SampleOne: winMain Override";
        QTest::newRow("Sample One, expanded") << "winExpandFilter"
                                              << "SampleSampleOne"
                                              << "SampleOne: winExpandFilter Override";
        QTest::newRow("Sample Two, no window") << ""
                                               << "SampleSampleTwo"
                                               << "SampleTwo: App";
        QTest::newRow("Sample Two, main") << "winMain"
                                          << "SampleSampleTwo"
                                          << "SampleTwo: App";
        QTest::newRow("Sample Two, expanded") << "winExpandFilter"
                                              << "SampleSampleTwo"
                                              << "SampleTwo: App";
    }

    void dispatch()
    {
        QFETCH(QString, window);
        QFETCH(QString, item);
        QFETCH(QString, message);
        if (BrowserWindow *w = windowFor(window)) {
            w->menuItem(item)->trigger();
        } else {
            QVERIFY(!dynamic_cast<Toolkit::WindowBase *>(QApplication::activeWindow()));
            MainMenuBar::Dispatch(nullptr, item);
        }
        QCOMPARE(m_fx->messages.messages, QStringList{message});
    }

    void failingApplicationHandlerIsReported()
    {
        m_fx->messages.onMessage = [](const QString &) { throw NilObjectException(QString(), 5); };
        QVERIFY(!App::instance()->HandleMenuItem(QStringLiteral("SampleSampleTwo")));
        QCOMPARE(m_fx->reports.size(), 1);
        QCOMPARE(m_fx->reports.first(),
                 QStringLiteral("NilObjectException in App.SampleSampleTwo\n\n"
                                "APP:  SampleSampleTwo\nTYPE: NilObjectException\n"
                                "ERROR CODE: 5\nERROR MESSAGE: "));
    }

    void aboutOpensTheAboutBox()
    {
        QString description;
        Toolkit::ModalWatcher watcher([&description](QWidget *shown) {
            if (auto *box = qobject_cast<winAboutBox *>(shown))
                description = box->labDescription()->Text();
        });
        for (int i = 0; i < 2; ++i)
            winMain()->menuItem(QStringLiteral("miAbout"))->trigger();
        QCOMPARE(watcher.shownCount(), 2);
        QCOMPARE(description, QStringLiteral("Old and New Versions of Commands"));
        QVERIFY(m_fx->reports.isEmpty());
    }

    void quitItem_data()
    {
        QTest::addColumn<bool>("byShortcut");
        QTest::newRow("menu") << false;
        QTest::newRow("Ctrl+Q") << true;
    }

    void quitItem()
    {
        QFETCH(bool, byShortcut);
        BrowserWindow *w = winMain();
        if (byShortcut) {
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w));
            QTest::keyClick(w->lbRecent(), Qt::Key_Q, Qt::ControlModifier);
        } else {
            w->menuItem(QStringLiteral("FileQuit"))->trigger();
        }
        QCOMPARE(m_fx->quitRequests, QList<int>{0});
        QVERIFY(m_fx->messages.messages.isEmpty());
    }

    // Edit items are enabled only when the focused control is text they can act on.
    void editItemsEnabled_data()
    {
        QTest::addColumn<QString>("focus"); // control of winMain
        QTest::addColumn<QString>("typed"); // typed into it first
        QTest::addColumn<bool>("selectAll");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QStringList>("enabled");

        QTest::newRow("typed, nothing selected")
            << "tfSearch"
            << "Desk" << false << "x" << QStringList{"EditUndo", "EditPaste", "EditSelectAll"};
        QTest::newRow("typed, all selected")
            << "tfSearch"
            << "Desk" << true << "" << QStringList{"EditUndo", "EditCut", "EditCopy", "EditClear", "EditSelectAll"};
        QTest::newRow("empty field, empty clipboard") << "tfSearch"
                                                      << "" << false << "" << QStringList{};
        QTest::newRow("a list") << "lbRecent"
                                << "" << false << "x" << QStringList{};
    }

    void editItemsEnabled()
    {
        QFETCH(QString, focus);
        QFETCH(QString, typed);
        QFETCH(bool, selectAll);
        QFETCH(QString, clipboard);
        QFETCH(QStringList, enabled);
        if (clipboard.isEmpty())
            QGuiApplication::clipboard()->clear();
        else
            QGuiApplication::clipboard()->setText(clipboard);
        BrowserWindow *w = winMain();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QWidget *target = w->control(focus);
        target->setFocus(Qt::MouseFocusReason);
        QCOMPARE(QApplication::focusWidget(), target);
        if (!typed.isEmpty())
            QTest::keyClicks(target, typed);
        if (selectAll)
            w->tfSearch()->selectAll();
        for (const char *name : {"EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll"}) {
            QAction *a = w->menuItem(QLatin1String(name));
            // Opening the menu re-reads the state as well; both must agree.
            QCOMPARE(a->isEnabled(), enabled.contains(QLatin1String(name)));
            emit static_cast<QMenu *>(a->parent())->aboutToShow();
            QVERIFY2(a->isEnabled() == enabled.contains(QLatin1String(name)), name);
        }
    }

    void editItemsActOnTheFocusedField()
    {
        BrowserWindow *w = winMain();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        Toolkit::TextField *tf = w->tfSelectRecent();
        tf->setFocus(Qt::MouseFocusReason);
        tf->setTextValue(QStringLiteral("Alpha"));
        QClipboard *clip = QGuiApplication::clipboard();

        w->menuItem(QStringLiteral("EditSelectAll"))->trigger();
        QCOMPARE(tf->selectedText(), QStringLiteral("Alpha"));
        w->menuItem(QStringLiteral("EditCopy"))->trigger();
        QCOMPARE(clip->text(), QStringLiteral("Alpha"));
        w->menuItem(QStringLiteral("EditClear"))->trigger();
        QCOMPARE(tf->Text(), QString());
        w->menuItem(QStringLiteral("EditUndo"))->trigger();
        QCOMPARE(tf->Text(), QStringLiteral("Alpha"));
        w->menuItem(QStringLiteral("EditSelectAll"))->trigger();
        w->menuItem(QStringLiteral("EditCut"))->trigger();
        QCOMPARE(tf->Text(), QString());
        clip->setText(QStringLiteral("Beta"));
        w->menuItem(QStringLiteral("EditPaste"))->trigger();
        QCOMPARE(tf->Text(), QStringLiteral("Beta"));
        // The search field is untouched by all this.
        QCOMPARE(w->tfSearch()->Text(), QString());
    }
};

VANTREL_TEST_MAIN_GUI(TestApp)
#include "tst_app.moc"
