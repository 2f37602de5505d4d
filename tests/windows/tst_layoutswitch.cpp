// The elephant and mouse buttons: one layout closes, the other opens at the same frame with the
// same search text; and the expanded layout on its own.

#include "common/GuiTestMain.h"

#include "BrowserTestSupport.h"

#include <QHeaderView>

#include <memory>

using namespace BrowserTest;

class TestLayoutSwitch : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Fixture> m_fx;

    static BrowserWindow *press(BrowserWindow *w)
    {
        Toolkit::Button *button = w->layout() == BrowserWindow::Layout::Main ? w->pbElephant() : w->pbMouse();
        QTest::mouseClick(button, Qt::LeftButton);
        return BrowserWindow::existing(w->layout() == BrowserWindow::Layout::Main ? BrowserWindow::Layout::ExpandFilter
                                                                                  : BrowserWindow::Layout::Main);
    }

private slots:
    void init() { m_fx = std::make_unique<Fixture>(); }
    void cleanup() { m_fx.reset(); }

    void switchingBothWays_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("applied"); // "" = the new window keeps its initial display
        QTest::addColumn<QRect>("frame");     // null = the window's own frame

        QTest::newRow("DesktopButton") << "DesktopButton"
                                       << "DesktopButton" << QRect();
        QTest::newRow("not a keyword") << "DesktopButtonz"
                                       << "" << QRect();
        QTest::newRow("empty field") << ""
                                     << "" << QRect();
        QTest::newRow("1400 x 900, moved") << "Desktop"
                                           << "Desktop" << QRect(123, 77, 1400, 900);
    }

    void switchingBothWays()
    {
        QFETCH(QString, typed);
        QFETCH(QString, applied);
        QFETCH(QRect, frame);
        if (!applied.isEmpty())
            QVERIFY2(!ModGlobal::KeywordEntries(applied).isEmpty(), qPrintable(applied));

        BrowserWindow *w = winMain();
        if (!frame.isNull()) {
            w->setLeft(frame.left());
            w->setTop(frame.top());
            w->setWidth(frame.width());
            w->setHeight(frame.height());
        }
        const QRect start(w->Left(), w->Top(), w->Width(), w->Height());
        if (!frame.isNull())
            QCOMPARE(start, frame);
        QTest::keyClicks(w->tfSearch(), typed);
        if (typed == QLatin1String("DesktopButtonz"))
            QCOMPARE(Shown::of(w), Shown::applied(QStringLiteral("DesktopButton")));

        // Selections and sort order do not travel.
        w->lbRecent()->setSelectedRowIndex(0);
        QTest::mouseClick(w->lbHistory()->horizontalHeader()->viewport(), Qt::LeftButton, {},
                          QPoint(10, w->lbHistory()->horizontalHeader()->height() / 2));

        for (int leg = 0; leg < 2; ++leg) {
            const BrowserWindow::Layout from = w->layout();
            BrowserWindow *next = press(w);
            const QByteArray where = leg == 0 ? "to the expanded window" : "back to the main window";
            QVERIFY2(next, where.constData());
            QVERIFY2(next != w, where.constData());
            QVERIFY2(!BrowserWindow::existing(from), where.constData());
            QCOMPARE(ModGlobal::theFilter, typed);
            QCOMPARE(QRect(next->Left(), next->Top(), next->Width(), next->Height()), start);
            QVERIFY(next->isVisible());
            QCOMPARE(next->tfSearch()->Text(), typed);
            QCOMPARE(Shown::of(next), applied.isEmpty() ? Shown::initial() : Shown::applied(applied));
            QCOMPARE(next->tfSelectRecent()->Text(), QStringLiteral("*"));
            QCOMPARE(next->lbRecent()->SelectedRowIndex(), -1);
            QCOMPARE(next->lbRecent()->horizontalHeader()->sortIndicatorSection(), -1);
            if (Toolkit::ListBox *history = next->lbHistory())
                QCOMPARE(history->CellTextAt(0, 0), QStringLiteral("001"));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            w = next;
        }
        QCOMPARE(w->layout(), BrowserWindow::Layout::Main);
        QVERIFY(m_fx->quitRequests.isEmpty());
        QVERIFY(m_fx->reports.isEmpty());
    }

    void expandedWindowLayout()
    {
        ModGlobal::theFilter.clear();
        BrowserWindow *w = winExpandFilter();
        QCOMPARE(w->windowTitle(), QStringLiteral("Vantrel: Expandable Filtered List"));
        QCOMPARE(w->objectName(), QStringLiteral("winExpandFilter"));
        QCOMPARE(QSize(w->Width(), w->Height()), QSize(1000, 800));
        QCOMPARE(w->content()->controls().size(), 12);
        for (const char *absent :
             {"pbQuit", "pbTest", "pbHelp2", "lbHistory", "labSelectedHistoryLine", "rectDivideLine", "pbElephant"})
            QVERIFY2(!w->control(QLatin1String(absent)), absent);
        QCOMPARE(w->pbMouse()->text(), QString::fromUcs4(U"\U0001F42D"));
        QCOMPARE(w->pbMouse()->toolTip(), QStringLiteral("Minimize Filtered (green) Listbox"));
        QCOMPARE(w->pbMouse()->font().families().value(0), QStringLiteral("Noto Color Emoji"));
        QCOMPARE(w->lbRecent()->RowCount(), catalogueLines().size());
        QCOMPARE(Shown::of(w), Shown::initial());
        for (QWidget *c : w->content()->controls())
            QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(c->objectName()));
    }

    void expandedWindowResizing()
    {
        BrowserWindow *w = winExpandFilter();
        QHash<QString, QRect> before;
        for (QWidget *c : w->content()->controls())
            before.insert(c->objectName(), c->geometry());
        w->setWidth(w->Width() + 100);
        w->setHeight(w->Height() + 100);
        const int width = w->content()->width();
        auto now = [w](const char *name) { return w->control(QLatin1String(name))->geometry(); };

        QCOMPARE(now("lbSearch").size(), before.value("lbSearch").size() + QSize(100, 100));
        QCOMPARE(now("lbRecent").size(), before.value("lbRecent").size() + QSize(100, 0));
        QCOMPARE(now("tfSelectRecent").topLeft(), before.value("tfSelectRecent").topLeft());
        QCOMPARE(now("tfSelectedSearchLine").top(), now("lbSearch").top() + now("lbSearch").height() + 12);
        for (const char *corner : {"pbHelp4", "pbMouse"}) {
            QCOMPARE(now(corner).top(), before.value(QLatin1String(corner)).top());
            QCOMPARE(width - (now(corner).left() + now(corner).width()),
                     1000 - (before.value(QLatin1String(corner)).left() + before.value(QLatin1String(corner)).width()));
        }
    }

    void tabOrder_data()
    {
        QTest::addColumn<bool>("expanded");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("winMain") << false << QStringList{"lbRecent", "lbSearch", "pbHelp3", "pbElephant", "lbRecent"};
        QTest::newRow("winExpandFilter") << true
                                         << QStringList{"lbRecent", "lbSearch", "pbHelp3", "pbMouse", "lbRecent"};
    }

    void tabOrder()
    {
        QFETCH(bool, expanded);
        QFETCH(QStringList, order);
        BrowserWindow *w = expanded ? winExpandFilter() : winMain();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->lbRecent()->setFocus(Qt::OtherFocusReason);
        QCOMPARE(QApplication::focusWidget(), w->lbRecent());
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), order.at(i));
        }
    }

    void expandedWindowCommands()
    {
        BrowserWindow *w = winExpandFilter();
        w->menuItem(QStringLiteral("SampleSampleOne"))->trigger();
        QCOMPARE(m_fx->messages.messages, QStringList{"SampleOne: winExpandFilter Override"});
        for (auto *b : {w->pbHelp1(), w->pbHelp3(), w->pbHelp4()})
            QTest::mouseClick(b, Qt::LeftButton);
        QStringList titles;
        for (const HelpRequest &r : std::as_const(m_fx->helpRequests))
            titles << r.title;
        QCOMPARE(titles, (QStringList{"Overview", "Search Field", "Filtered List"}));
    }

    void expandedWindowReportsUnderItsOwnName()
    {
        BrowserWindow *w = winExpandFilter();
        ModGlobal::resetForTests();
        Toolkit::LogCapture log;
        QTest::keyClicks(w->tfSearch(), QStringLiteral("ab"));
        QCOMPARE(m_fx->reports.size(), 2);
        QVERIFY2(m_fx->reports.first().startsWith(
                     QStringLiteral("NilObjectException in winExpandFilter.DoSearchFilter\n\nWINDOW: "
                                    "winExpandFilter\nMETHOD: DoSearchFilter\n")),
                 qPrintable(m_fx->reports.first()));
        QVERIFY(log.lines().contains(QStringLiteral("Exception - winExpandFilter.DoSearchFilter")));
    }

    // Without a global menu bar a window closed by the window manager ends the program; a
    // switch, which closes a window too, does not.
    void windowManagerCloseOfTheExpandedWindow()
    {
        BrowserWindow *w = press(winMain());
        QVERIFY(w);
        QVERIFY(m_fx->quitRequests.isEmpty());
        QVERIFY(w->close());
        QCOMPARE(m_fx->quitRequests, QList<int>{0});
        QVERIFY(!BrowserWindow::existing(BrowserWindow::Layout::ExpandFilter));
    }

    // A switch whose new window fails to open must not leave the program running with nothing
    // on screen: it ends at once, or when the last window still open (a report) is closed.
    void failedSwitchDoesNotStrandTheProgram_data()
    {
        QTest::addColumn<bool>("otherWindowOpen");
        QTest::newRow("nothing else open") << false;
        QTest::newRow("another window open") << true;
    }

    void failedSwitchDoesNotStrandTheProgram()
    {
        QFETCH(bool, otherWindowOpen);
        QWidget other;
        if (otherWindowOpen)
            other.show();
        BrowserWindow *main = winMain();
        App::failNextShowForTests();
        QVERIFY(!press(main));
        QCOMPARE(m_fx->reports.size(), 1);
        QVERIFY(
            m_fx->reports.first().startsWith(QStringLiteral("UnsupportedOperationException in App.ShowExpandFilter\n\n"
                                                            "CLASS: Vantrel\nMETHOD: ShowExpandFilter\n")));
        QVERIFY(!BrowserWindow::existing(BrowserWindow::Layout::Main));
        if (otherWindowOpen) {
            QVERIFY(m_fx->quitRequests.isEmpty());
            QVERIFY(QGuiApplication::quitOnLastWindowClosed());
        } else {
            QCOMPARE(m_fx->quitRequests, QList<int>{0});
        }
        QGuiApplication::setQuitOnLastWindowClosed(false);
    }
};

VANTREL_TEST_MAIN_GUI(TestLayoutSwitch)
#include "tst_layoutswitch.moc"
