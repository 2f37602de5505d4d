#include "common/GuiTestMain.h"

#include "about/StaticURL.h"
#include "errors/ErrorHandling.h"
#include "toolkit/RuntimeException.h"
#include "toolkit/System.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QWidget>

class TestStaticURL : public QObject
{
    Q_OBJECT

private:
    QStringList m_reports;
    ErrorHandling::ReportOpener m_previousOpener;
    QWidget *m_holder = nullptr;
    StaticURL *m_link = nullptr;

    static QColor shownColor(const QWidget *w) { return w->palette().color(QPalette::Active, QPalette::WindowText); }

    void enter()
    {
        QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(m_link, &e);
    }
    // QTest would take (0, 0) for "the centre", so the release is sent as the system would.
    void release(QPoint at)
    {
        QMouseEvent e(QEvent::MouseButtonRelease, QPointF(at), m_link->mapToGlobal(QPointF(at)), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_link, &e);
    }
    void leave()
    {
        QEvent e(QEvent::Leave);
        QCoreApplication::sendEvent(m_link, &e);
    }

private slots:
    void init()
    {
        m_reports.clear();
        m_previousOpener = ErrorHandling::setReportOpener([this](const QString &t) { m_reports.append(t); });
        // The size the about box gives its link.
        m_holder = new QWidget;
        m_link = new StaticURL(m_holder);
        m_link->setGeometry(24, 363, 267, 17);
    }
    void cleanup()
    {
        delete m_holder;
        m_holder = nullptr;
        m_link = nullptr;
        ErrorHandling::setReportOpener(m_previousOpener);
    }

    void openingMakesItALinkAndAsksForItsAddress()
    {
        QCOMPARE(m_link->TextColor(), QColor(0x00, 0x00, 0xCC));
        QVERIFY(m_link->URL.isEmpty());
        int raised = 0;
        m_link->OpenStaticURL = [&] {
            ++raised;
            // The holder fills in text and address from inside the event, already styled.
            QCOMPARE(m_link->TextColor(), QColor(0x00, 0x00, 0xFF));
            m_link->setTextValue(QStringLiteral("Home"));
            m_link->URL = QStringLiteral("https://vantrel.example.org/");
        };
        m_link->Opening();
        QCOMPARE(raised, 1);
        QCOMPARE(shownColor(m_link), QColor(0x00, 0x00, 0xFF));
        QVERIFY(m_link->font().underline());
        QCOMPARE(m_link->URL, QStringLiteral("https://vantrel.example.org/"));
        // A link that keeps the ordinary cursor.
        QVERIFY(!m_link->testAttribute(Qt::WA_SetCursor));
        QVERIFY(m_reports.isEmpty());
    }

    void openingWithoutHandler()
    {
        m_link->Opening();
        QCOMPARE(m_link->TextColor(), QColor(0x00, 0x00, 0xFF));
        QVERIFY(m_reports.isEmpty());
    }

    void colourFollowsTheMouse()
    {
        m_link->Opening();
        enter();
        QCOMPARE(shownColor(m_link), QColor(0x80, 0x00, 0x80));
        QTest::mousePress(m_link, Qt::LeftButton, {}, QPoint(10, 8));
        QCOMPARE(shownColor(m_link), QColor(0xFF, 0x00, 0x00));
        leave();
        QCOMPARE(shownColor(m_link), QColor(0x00, 0x00, 0xFF));
        enter();
        QCOMPARE(m_link->TextColor(), QColor(0x80, 0x00, 0x80));
        leave();
        QCOMPARE(m_link->TextColor(), QColor(0x00, 0x00, 0xFF));
    }

    void release_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QPoint>("releaseAt");
        QTest::addColumn<QStringList>("opened");

        const QString url = QStringLiteral("https://vantrel.example.org/");
        const QString text = QStringLiteral("Vantrel home page");
        // The link is 267 x 17.
        QTest::newRow("inside") << url << text << QPoint(10, 8) << QStringList{url};
        QTest::newRow("last column and row") << url << text << QPoint(266, 16) << QStringList{url};
        QTest::newRow("first inside column and row") << url << text << QPoint(1, 1) << QStringList{url};
        QTest::newRow("left edge") << url << text << QPoint(0, 8) << QStringList();
        QTest::newRow("top edge") << url << text << QPoint(10, 0) << QStringList();
        QTest::newRow("top-left corner") << url << text << QPoint(0, 0) << QStringList();
        QTest::newRow("right of it") << url << text << QPoint(267, 8) << QStringList();
        QTest::newRow("below it") << url << text << QPoint(10, 17) << QStringList();
        QTest::newRow("left of it") << url << text << QPoint(-5, 8) << QStringList();
        QTest::newRow("far away") << url << text << QPoint(400, -60) << QStringList();
        QTest::newRow("no address opens the text") << QString() << text << QPoint(10, 8) << QStringList{text};
    }

    void release()
    {
        QFETCH(QString, url);
        QFETCH(QString, text);
        QFETCH(QPoint, releaseAt);
        QFETCH(QStringList, opened);

        Toolkit::MessageRecorder rec;
        m_link->OpenStaticURL = [&] {
            m_link->setTextValue(text);
            m_link->URL = url;
        };
        m_link->Opening();
        QTest::mousePress(m_link, Qt::LeftButton, {}, QPoint(10, 8));
        QCOMPARE(m_link->TextColor(), QColor(0xFF, 0x00, 0x00));
        QVERIFY(rec.urls.isEmpty()); // pressing alone opens nothing
        release(releaseAt);
        QCOMPARE(rec.urls, opened);
        QCOMPARE(shownColor(m_link), QColor(0x00, 0x00, 0xFF));
        QVERIFY(m_reports.isEmpty());
    }

    void failuresAreReportedAsTheControlsOwn()
    {
        // A failing holder handler: the link is styled as far as Opening got.
        m_link->OpenStaticURL = [] { throw NilObjectException(QStringLiteral("no window"), 3); };
        m_link->Opening();
        QCOMPARE(m_reports.size(), 1);
        QVERIFY2(m_reports.at(0).startsWith(QStringLiteral("NilObjectException in StaticURL.Opening\n\n"
                                                           "CUSTOM CONTROL: StaticURL\nEVENT HANDLER: Opening\n")),
                 qPrintable(m_reports.at(0)));
        QCOMPARE(m_link->TextColor(), QColor(0x00, 0x00, 0xFF));

        // A URL opener that fails: reported as MouseUp; nothing else breaks.
        Toolkit::MessageRecorder rec;
        const Toolkit::TextHook previous =
            Toolkit::setGotoURLHook([](const QString &) { throw IOException(QStringLiteral("no browser"), 5); });
        m_link->URL = QStringLiteral("https://vantrel.example.org/");
        QTest::mousePress(m_link, Qt::LeftButton, {}, QPoint(10, 8));
        QTest::mouseRelease(m_link, Qt::LeftButton, {}, QPoint(10, 8));
        Toolkit::setGotoURLHook(previous);
        QCOMPARE(m_reports.size(), 2);
        QVERIFY2(m_reports.at(1).startsWith(QStringLiteral("IOException in StaticURL.MouseUp\n")),
                 qPrintable(m_reports.at(1)));
    }
};

VANTREL_TEST_MAIN_GUI(TestStaticURL)
#include "tst_staticurl.moc"
