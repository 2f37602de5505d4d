#include "common/GuiTestMain.h"
#include "common/HookScope.h"
#include "common/QuitHookScope.h"

#include "errors/CatchClause.h"
#include "errors/ErrorHandling.h"
#include "errors/winReportError.h"
#include "toolkit/Application.h"
#include "toolkit/Controls.h"
#include "toolkit/DateTime.h"
#include "toolkit/Desktop.h"
#include "toolkit/MenuBar.h"
#include "toolkit/Style.h"
#include "toolkit/System.h"
#include "toolkit/UserFolders.h"
#include "toolkit/Window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QProxyStyle>
#include <QScopeGuard>
#include <QStyle>
#include <QTimer>

class TestToolkit : public QObject
{
    Q_OBJECT

private slots:
    void textChangedRunsForEveryRealChangeOnly()
    {
        Toolkit::TextField field;
        QStringList seen;
        field.TextChanged = [&] { seen.append(field.Text()); };
        field.setTextValue(QStringLiteral("abc"));
        field.setTextValue(QStringLiteral("abc"));
        QTest::keyClicks(&field, QStringLiteral("d"));
        QCOMPARE(seen, (QStringList{QStringLiteral("abc"), QStringLiteral("abcd")}));
    }

    void nestedTextChangedRunsBeforeTheWriterContinues()
    {
        Toolkit::TextField field;
        QStringList order;
        field.TextChanged = [&] {
            order.append(QStringLiteral("enter ") + field.Text());
            if (field.Text().contains(QLatin1Char(' ')))
                field.setTextValue(QString(field.Text()).remove(QLatin1Char(' ')));
            order.append(QStringLiteral("leave ") + field.Text());
        };
        QTest::keyClicks(&field, QStringLiteral("a b"));
        // The blank is removed by a nested run that completes before the outer one goes on.
        QCOMPARE(order,
                 (QStringList{QStringLiteral("enter a"), QStringLiteral("leave a"), QStringLiteral("enter a "),
                              QStringLiteral("enter a"), QStringLiteral("leave a"), QStringLiteral("leave a"),
                              QStringLiteral("enter ab"), QStringLiteral("leave ab")}));
    }

    // A long paste arrives whole: no length limit cuts it.
    void textFieldTakesALongPasteWhole()
    {
        Toolkit::TextField field;
        const QString text(100000, QLatin1Char('a'));
        QGuiApplication::clipboard()->setText(text);
        field.paste();
        QCOMPARE(field.Text().size(), text.size());
        field.setTextValue(text + text);
        QCOMPARE(field.Text().size(), 2 * text.size());
    }

    // The menu bar's overflow icon is made when it is first drawn, and it is the style's own.
    void deferredStandardIconsDrawTheStyleIcon()
    {
        const QString styleName = QApplication::style()->name();
        const QImage real =
            QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(16).toImage();
        Toolkit::useDeferredStandardIcons();
        Toolkit::useDeferredStandardIcons(); // once is enough; a second call changes nothing
        auto *proxy = qobject_cast<QProxyStyle *>(QApplication::style());
        QVERIFY(proxy);
        QCOMPARE(proxy->baseStyle()->name(), styleName); // still the platform's own style underneath
        const QIcon deferred = QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        QVERIFY(!deferred.isNull());
        QCOMPARE(deferred.pixmap(16).toImage(), real);
        QMenuBar bar;
        bar.addMenu(QStringLiteral("File"));
        QVERIFY(bar.sizeHint().height() > 0);
    }

    void anchorsApplyOnResize_data()
    {
        QTest::addColumn<int>("anchors");
        QTest::addColumn<QRect>("expected");
        const QRect frame(20, 30, 100, 50);
        QTest::newRow("top-left stays") << int(Toolkit::AnchorTopLeft) << frame;
        QTest::newRow("left+right stretches")
            << int(Toolkit::AnchorLeft | Toolkit::AnchorTop | Toolkit::AnchorRight) << QRect(20, 30, 200, 50);
        QTest::newRow("right moves") << int(Toolkit::AnchorTop | Toolkit::AnchorRight) << QRect(120, 30, 100, 50);
        QTest::newRow("bottom moves") << int(Toolkit::AnchorLeft | Toolkit::AnchorBottom) << QRect(20, 90, 100, 50);
        QTest::newRow("all stretch") << int(Toolkit::AnchorAll) << QRect(20, 30, 200, 110);
    }

    void anchorsApplyOnResize()
    {
        QFETCH(int, anchors);
        QFETCH(QRect, expected);
        Toolkit::ContentArea area(QSize(400, 300));
        QWidget control;
        area.place(&control, QRect(20, 30, 100, 50), anchors);
        area.show();
        area.resize(500, 360);
        QCOMPARE(control.geometry(), expected);
        area.resize(400, 300);
        QCOMPARE(control.geometry(), QRect(20, 30, 100, 50));
    }

    void windowSizeIsTheContentArea()
    {
        Toolkit::DocumentWindow window(QSize(1000, 800));
        window.setContentMinimumSize(QSize(800, 600));
        window.setContentMaximumSize(QSize(2500, 3000));
        window.show();
        QCOMPARE(window.Width(), 1000);
        QCOMPARE(window.Height(), 800);
        window.setWidth(1400);
        window.setHeight(900);
        QCOMPARE(window.Width(), 1400);
        QCOMPARE(window.Height(), 900);
        window.setWidth(100);
        window.setHeight(100);
        QCOMPARE(window.Width(), 800);
        QCOMPARE(window.Height(), 600);
        window.setLeft(40);
        window.setTop(50);
        QCOMPARE(window.Left(), 40);
        QCOMPARE(window.Top(), 50);
    }

    void hiddenWindowTakesItsSizeBeforeShowing()
    {
        Toolkit::ModalWindow window(QSize(414, 446));
        window.setContentMinimumSize(QSize(200, 200));
        window.setWidth(500);
        window.setHeight(300);
        QCOMPARE(window.Width(), 500);
        QCOMPARE(window.Height(), 300);
    }

    void menuHandlersByName()
    {
        Toolkit::DocumentWindow window(QSize(200, 100));
        int calls = 0;
        window.AddMenuHandler(QStringLiteral("SampleSampleOne"), [&] {
            ++calls;
            return true;
        });
        QVERIFY(window.HandleMenuItem(QStringLiteral("SampleSampleOne")));
        QVERIFY(!window.HandleMenuItem(QStringLiteral("SampleSampleTwo")));
        QCOMPARE(calls, 1);
    }

    // A bar built from any table: a chosen item asks the window, then the application, and
    // only an item neither handles gets the standard behaviour (FileQuit quits).
    void menuBarDispatchOrder_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("windowAnswer"); // -1 no handler, 0 declines, 1 handles
        QTest::addColumn<int>("applicationAnswer");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QList<int>>("quits");

        QTest::newRow("window handles") << "FileOpen" << 1 << 1 << QStringList{"window"} << QList<int>{};
        QTest::newRow("window declines") << "FileOpen" << 0 << 1 << QStringList{"window", "application"}
                                         << QList<int>{};
        QTest::newRow("application only") << "FileOpen" << -1 << 1 << QStringList{"application"} << QList<int>{};
        QTest::newRow("nobody, no standard behaviour") << "FileOpen" << -1 << -1 << QStringList{} << QList<int>{};
        QTest::newRow("Quit unhandled") << "FileQuit" << -1 << -1 << QStringList{} << QList<int>{0};
        QTest::newRow("Quit handled by the window") << "FileQuit" << 1 << -1 << QStringList{"window"} << QList<int>{};
        QTest::newRow("Quit declined by both")
            << "FileQuit" << 0 << 0 << QStringList{"window", "application"} << QList<int>{0};
    }

    void menuBarDispatchOrder()
    {
        QFETCH(QString, item);
        QFETCH(int, windowAnswer);
        QFETCH(int, applicationAnswer);
        QFETCH(QStringList, asked);
        QFETCH(QList<int>, quits);
        const QList<Toolkit::MenuBar::MenuDefinition> menus = {
            {"FileMenu", "&File", {{"FileOpen", "&Open", "Ctrl+O", false}, {"FileQuit", "&Quit", "Ctrl+Q", false}}},
        };
        Toolkit::Application application;
        QCOMPARE(Toolkit::Application::instance(), &application);
        QList<int> quitRequests;
        const QuitHookScope quitHook([&](int code) { quitRequests.append(code); });
        Toolkit::DocumentWindow window(QSize(200, 100));
        window.setMenuBar(Toolkit::MenuBar::Build(menus, &window, &window));
        QStringList calls;
        if (windowAnswer >= 0) {
            window.AddMenuHandler(item, [&] {
                calls.append(QStringLiteral("window"));
                return windowAnswer == 1;
            });
        }
        if (applicationAnswer >= 0) {
            application.AddMenuHandler(item, [&] {
                calls.append(QStringLiteral("application"));
                return applicationAnswer == 1;
            });
        }

        QAction *action = window.menuItem(item);
        QVERIFY(action);
        action->trigger();
        QCOMPARE(calls, asked);
        QCOMPARE(quitRequests, quits);
        QCOMPARE(window.menuItem(QStringLiteral("FileMenu"))->text(), QStringLiteral("&File"));
        QVERIFY(!window.menuItem(QStringLiteral("EditMenu")));
    }

    void modalWatcherClosesWhatTheTestLeavesOpen()
    {
        int seen = 0;
        Toolkit::ModalWatcher watcher([&](QWidget *w) {
            ++seen;
            QVERIFY(w->isVisible());
        });
        Toolkit::ModalWindow window(QSize(300, 200));
        window.ShowModal();
        QCOMPARE(seen, 1);
        QVERIFY(!window.isVisible());
    }

    void reportWindowShowsTheReport()
    {
        const HookScope opener(&ErrorHandling::setReportOpener, nullptr);
        winReportError::installAsReportOpener();
        const HandlerId id{"winMain", "pbHelp1", "Pressed", HandlerKind::ControlEvent, ClauseForm::Reported};
        Guard(id, [] { throw NilObjectException(QStringLiteral("first")); });
        Guard(id, [] { throw NilObjectException(QStringLiteral("second")); });
        QList<winReportError *> windows;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *r = qobject_cast<winReportError *>(w); r && r->isVisible())
                windows.append(r);
        }
        QCOMPARE(windows.size(), 2);
        winReportError *first = windows.at(0);
        QCOMPARE(first->windowTitle(), QStringLiteral("Oops! Error Message"));
        QCOMPARE(first->Width(), 424);
        QCOMPARE(first->Height(), 200);
        QVERIFY(first->labMessage()->Text().startsWith(
            QStringLiteral("NilObjectException in winMain.pbHelp1.Pressed\n\n")));
        QCOMPARE(first->labMessage()->geometry(), QRect(20, 20, 384, 160));
        first->setWidth(524);
        first->setHeight(300);
        QCOMPARE(first->labMessage()->geometry(), QRect(20, 20, 484, 260));
        first->setWidth(50);
        QCOMPARE(first->Width(), 200);
        QPointer<winReportError> second = windows.at(1);
        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(second && second->isVisible());
        second->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void reportWindowConstructorFailureIsBounded()
    {
        const HookScope opener(&ErrorHandling::setReportOpener, nullptr);
        winReportError::installAsReportOpener();
        Toolkit::MessageRecorder rec;
        const HandlerId id{"Help", "", "ShowHelp", HandlerKind::ModuleMethod, ClauseForm::Reported};

        // One failure: the report of the constructor shows its three lines twice.
        winReportError::failNextConstructionsForTests(1);
        Guard(id, [] { throw IOException(QStringLiteral("x"), 3); });
        QString text;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *r = qobject_cast<winReportError *>(w); r && r->isVisible() && r->labMessage()) {
                text = r->labMessage()->Text();
                r->close();
            }
        }
        QCOMPARE(text.count(QStringLiteral("ERROR CODE: ")), 2);
        QVERIFY(text.startsWith(QStringLiteral("UnsupportedOperationException in winReportError.Constructor\n\n"
                                               "WINDOW: winReportError\nMETHOD: Constructor\n")));
        QVERIFY(rec.messages.isEmpty());

        // Failing every time: falls back to the message box instead of recursing.
        {
            const auto noMoreFailures = qScopeGuard([] { winReportError::failNextConstructionsForTests(0); });
            winReportError::failNextConstructionsForTests(1000);
            Guard(id, [] { throw IOException(QStringLiteral("x"), 3); });
        }
        QCOMPARE(rec.messages, QStringList{QStringLiteral("HandleException Error")});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The desktop message box shows its text as given, also when it looks like markup.
    void desktopMessageBoxShowsPlainText()
    {
        const HookScope message(&Toolkit::setMessageBoxHook, nullptr);
        const HookScope beep(&Toolkit::setBeepHook, nullptr);
        const HookScope url(&Toolkit::setGotoURLHook, nullptr);
        Toolkit::installDesktopServices();
        const QString text = QStringLiteral("<b>Oops!</b> a<br>b");
        QString shown;
        Qt::TextFormat format = Qt::AutoText;
        // Looks at the open box as a user would, then dismisses it so the test cannot hang.
        QTimer::singleShot(0, [&] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()) {
                    shown = box->text();
                    format = box->textFormat();
                    box->accept();
                }
            }
        });
        Toolkit::MessageBox(text);
        QCOMPARE(shown, text);
        QCOMPARE(format, Qt::PlainText);
    }

    void specialFoldersLieInTheTestHome()
    {
        QCOMPARE(Toolkit::SpecialFolder::UserHome(), QDir::cleanPath(TestHome::path()));
        QCOMPARE(Toolkit::SpecialFolder::Desktop(), QDir::cleanPath(TestHome::path() + QStringLiteral("/Desktop")));
        QCOMPARE(Toolkit::SpecialFolder::Documents(), QDir::cleanPath(TestHome::path() + QStringLiteral("/Documents")));
        QCOMPARE(Toolkit::SpecialFolder::ApplicationData(),
                 QDir::cleanPath(TestHome::path() + QStringLiteral("/.local/share")));
    }

    void clockAndScreenCanBePinned()
    {
        Toolkit::PinnedClock clock(Toolkit::DateTime{2023, 4, 11, 23, 42, 36, 123456789});
        QCOMPARE(Toolkit::DateTime::Now().Nanosecond, 123456789);
        {
            const PinScope screen(&Toolkit::pinScreenForTests, QRect(0, 25, 1280, 700));
            QCOMPARE(Toolkit::Screen0().AvailableHeight, 700);
            QCOMPARE(Toolkit::Screen0().AvailableTop, 25);
        }
        const PinScope altKey(&Toolkit::Keyboard::pinAltKeyForTests, true);
        QVERIFY(Toolkit::Keyboard::AsyncAltKey());
    }

    void wrappedTextGetsTallerWhenNarrower()
    {
        const QString text = QString(QStringLiteral("word ")).repeated(200);
        const double narrow = Toolkit::TextHeight(text, QStringLiteral("System"), 14, 300);
        const double wide = Toolkit::TextHeight(text, QStringLiteral("System"), 14, 1000);
        QVERIFY(narrow > wide);
        QVERIFY(wide > 0);
    }
};

VANTREL_TEST_MAIN_GUI(TestToolkit)
#include "tst_toolkit.moc"
