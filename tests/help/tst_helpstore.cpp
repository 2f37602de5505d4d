#include "common/TestMain.h"

#include "errors/ErrorHandling.h"
#include "help/Help.h"
#include "toolkit/DateTime.h"
#include "toolkit/System.h"

#include <QDir>
#include <QFile>

// Stamp of the pinned clock below, as style 4 writes it in front of a file name.
static const QString kStamp = QStringLiteral("230411_234236");

struct OpenedWindow
{
    bool isHtml = false;
    QString content;
    QString title;
    qint64 width = -1;
    qint64 height = -1;
};

class TestHelpStore : public QObject
{
    Q_OBJECT

private:
    QList<OpenedWindow> m_opened;
    QStringList m_reports;
    Help::HelpWindowOpener m_previousOpener;
    ErrorHandling::ReportOpener m_previousReportOpener;
    Toolkit::PinnedClock m_clock{Toolkit::DateTime{2023, 4, 11, 23, 42, 36, 0}};

    static QString desktop() { return TestHome::path() + QStringLiteral("/Desktop"); }

    static QStringList desktopFiles() { return QDir(desktop()).entryList(QDir::Files, QDir::Name); }

    static QString desktopFile(const QString &name)
    {
        QFile file(desktop() + QLatin1Char('/') + name);
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("<missing %1>").arg(name);
        return QString::fromUtf8(file.readAll());
    }

    void loadFrom(const QString &source)
    {
        Help::setHelpSourceForTests(source);
        Help::FillDictionaryFromHELP_TEXT();
    }

private slots:
    void init()
    {
        QDir(desktop()).removeRecursively();
        QVERIFY(QDir().mkpath(desktop()));
        Help::sHelpText.clear();
        Help::helpDict.reset();
        Help::setHelpSourceForTests(std::nullopt);
        m_opened.clear();
        m_reports.clear();
        m_previousOpener = Help::setWindowOpener(
            [this](bool isHtml, const QString &content, const QString &title, qint64 width, qint64 height) {
                m_opened.append(OpenedWindow{isHtml, content, title, width, height});
            });
        m_previousReportOpener = ErrorHandling::setReportOpener([this](const QString &t) { m_reports.append(t); });
    }

    void cleanup()
    {
        Help::setWindowOpener(m_previousOpener);
        ErrorHandling::setReportOpener(m_previousReportOpener);
        Help::setHelpSourceForTests(std::nullopt);
        QVERIFY2(m_reports.isEmpty(), qPrintable(m_reports.join(QStringLiteral("\n---\n"))));
    }

    void shippedTextNormalisesToItself()
    {
        const QString &shipped = Help::HELP_TEXT();
        QVERIFY(shipped.endsWith(QStringLiteral("0\t0<#CR>")));
        QVERIFY(!shipped.contains(QLatin1Char('\r')));

        Toolkit::MessageRecorder rec;
        Help::FillDictionaryFromHELP_TEXT();

        QCOMPARE(Help::sHelpText, shipped);
        QVERIFY(rec.messages.isEmpty());
        QCOMPARE(desktopFiles(), QStringList());
        QVERIFY(Help::helpDict.has_value());
        QCOMPARE(Help::helpDict->keys(), (QList<qint64>{1, 2, 3, 4}));
    }

    void shippedTopicsOpenThePlainWindow_data()
    {
        QTest::addColumn<qint64>("topic");
        QTest::addColumn<QString>("title");
        QTest::newRow("1") << qint64(1) << "Overview";
        QTest::newRow("2") << qint64(2) << "Old Deprecations";
        QTest::newRow("3") << qint64(3) << "Search Field";
        QTest::newRow("4") << qint64(4) << "Filtered List";
    }

    void shippedTopicsOpenThePlainWindow()
    {
        QFETCH(qint64, topic);
        QFETCH(QString, title);
        Help::FillDictionaryFromHELP_TEXT();
        Toolkit::MessageRecorder rec;
        Help::ShowHelp(topic);
        QVERIFY(rec.messages.isEmpty());
        QCOMPARE(m_opened.size(), 1);
        const OpenedWindow &w = m_opened.first();
        QCOMPARE(w.isHtml, false);
        QCOMPARE(w.title, title);
        QCOMPARE(w.width, qint64(0));
        QCOMPARE(w.height, qint64(0));
        QVERIFY(w.content.size() > 200);
        QCOMPARE(w.content, w.content.trimmed());
    }

    void malformedRecordEmptiesTheStore_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("message");
        const QString separators = QStringLiteral(
            "HELP_TEXT is incorrectly formatted. Some entries not correctly broken up by unit separators.");
        const QString digits =
            QStringLiteral("HELP_TEXT is incorrectly formatted. Does not have digits in right place.");
        const QString content = QStringLiteral("HELP_TEXT is incorrectly formatted. No appropriate data for content.");
        // Each bad record follows a good one, so a half-built store would show.
        const QString good = QStringLiteral("1\tGood\tFine text\t0\t0<#CR>\n");
        QTest::newRow("six fields") << good + "2\tTitle\tText\t0\t0\textra<#CR>" << separators;
        QTest::newRow("no tab") << good + "Just a line of text<#CR>" << separators;
        QTest::newRow("empty record") << good + "<#CR>\n2\tTitle\tText\t0\t0<#CR>" << separators;
        QTest::newRow("letter in number") << good + "2a\tTitle\tText\t0\t0<#CR>" << digits;
        QTest::newRow("negative width") << good + "2\tTitle\tText\t-300\t200<#CR>" << digits;
        QTest::newRow("blank in height") << good + "2\tTitle\tText\t300\t2 00<#CR>" << digits;
        QTest::newRow("digits-only content") << good + "2\tTitle\t12345\t0\t0<#CR>" << content;
        QTest::newRow("no title, no content") << good + "2\t\t\t0\t0<#CR>" << content;
        QTest::newRow("empty text") << QString() << separators;
    }

    void malformedRecordEmptiesTheStore()
    {
        QFETCH(QString, source);
        QFETCH(QString, message);
        // A store filled earlier must not survive a failed rebuild.
        Help::FillDictionaryFromHELP_TEXT();
        QCOMPARE(Help::helpDict->size(), 4);

        Toolkit::MessageRecorder rec;
        loadFrom(source);

        QCOMPARE(rec.messages, QStringList{message});
        QCOMPARE(desktopFiles(), QStringList{kStamp + QStringLiteral("BadOriginal.txt")});
        QCOMPARE(desktopFile(kStamp + QStringLiteral("BadOriginal.txt")), source);
        QCOMPARE(Help::sHelpText, QString());
        QVERIFY(Help::helpDict.has_value());
        QVERIFY(Help::helpDict->isEmpty());

        rec.messages.clear();
        Help::ShowHelp(1);
        QCOMPARE(rec.messages, QStringList{QStringLiteral("No Dictionary Entry for Key 1")});
        QVERIFY(m_opened.isEmpty());
    }

    void shortRecordsAreFilledIn_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("content");
        QTest::addColumn<qint64>("width");
        QTest::addColumn<qint64>("height");
        QTest::newRow("number and text") << "7\tSome help"
                                         << "\tSome help\t0\t0"
                                         << "Help"
                                         << "Some help" << qint64(0) << qint64(0);
        QTest::newRow("three fields") << "7\tTitle\tSome help"
                                      << "Title\tSome help\t0\t0"
                                      << "Title"
                                      << "Some help" << qint64(0) << qint64(0);
        QTest::newRow("four fields") << "7\tTitle\tSome help\t250"
                                     << "Title\tSome help\t250\t100"
                                     << "Title"
                                     << "Some help" << qint64(250) << qint64(100);
        QTest::newRow("empty content with a title") << "7\tOnly a title\t\t0\t0"
                                                    << "\tOnly a title\t0\t0"
                                                    << "Help"
                                                    << "Only a title" << qint64(0) << qint64(0);
        QTest::newRow("content with line feeds") << "7\tTitle\tOne.\n\nTwo."
                                                 << "Title\tOne.\n\nTwo.\t0\t0"
                                                 << "Title"
                                                 << "One.\n\nTwo." << qint64(0) << qint64(0);
    }

    void shortRecordsAreFilledIn()
    {
        QFETCH(QString, record);
        QFETCH(QString, value);
        QFETCH(QString, title);
        QFETCH(QString, content);
        QFETCH(qint64, width);
        QFETCH(qint64, height);
        Toolkit::MessageRecorder rec;
        loadFrom(record + QStringLiteral("<#CR>"));
        QVERIFY(rec.messages.isEmpty());
        QCOMPARE(Help::helpDict->value(7), value);

        Help::ShowHelp(7);
        QCOMPARE(m_opened.size(), 1);
        QCOMPARE(m_opened.first().title, title);
        QCOMPARE(m_opened.first().content, content);
        QCOMPARE(m_opened.first().width, width);
        QCOMPARE(m_opened.first().height, height);
    }

    void changedTextIsWrittenForComparison()
    {
        const QString source = QStringLiteral("7\tTitle\tSome help<#CR>\n8\tOther\tMore help\t0\t0<#CR>");
        const QString cleaned = QStringLiteral("7\tTitle\tSome help\t0\t0<#CR>\n8\tOther\tMore help\t0\t0<#CR>");
        Toolkit::MessageRecorder rec;
        loadFrom(source);
        QVERIFY(rec.messages.isEmpty());
        QCOMPARE(Help::sHelpText, cleaned);
        QCOMPARE(desktopFiles(),
                 (QStringList{kStamp + QStringLiteral("Cleaned.txt"), kStamp + QStringLiteral("Original.txt")}));
        QCOMPARE(desktopFile(kStamp + QStringLiteral("Cleaned.txt")), cleaned);
        QCOMPARE(desktopFile(kStamp + QStringLiteral("Original.txt")), source);
    }

    void sizeIsNormalised_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<qint64>("expectedWidth");
        QTest::addColumn<qint64>("expectedHeight");
        QTest::newRow("50 x 0") << "50"
                                << "0" << qint64(100) << qint64(100);
        QTest::newRow("0 x 300") << "0"
                                 << "300" << qint64(100) << qint64(300);
        QTest::newRow("80 x 90") << "80"
                                 << "90" << qint64(100) << qint64(100);
        QTest::newRow("0 x 0") << "0"
                               << "0" << qint64(0) << qint64(0);
        QTest::newRow("500 x 300") << "500"
                                   << "300" << qint64(500) << qint64(300);
        QTest::newRow("100 x 99") << "100"
                                  << "99" << qint64(100) << qint64(100);
    }

    void sizeIsNormalised()
    {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(qint64, expectedWidth);
        QFETCH(qint64, expectedHeight);
        loadFrom(QStringLiteral("3\tTitle\tText\t%1\t%2<#CR>").arg(width, height));
        QCOMPARE(Help::helpDict->value(3),
                 QStringLiteral("Title\tText\t%1\t%2").arg(expectedWidth).arg(expectedHeight));
        Help::ShowHelp(3);
        QCOMPARE(m_opened.size(), 1);
        QCOMPARE(m_opened.first().width, expectedWidth);
        QCOMPARE(m_opened.first().height, expectedHeight);
    }

    void repeatedTopicNumberOverwrites()
    {
        loadFrom(
            QStringLiteral("1\tFirst\tOld text\t0\t0<#CR>\n2\tTwo\tOther\t0\t0<#CR>\n01\tSecond\tNew text\t0\t0<#CR>"));
        QCOMPARE(Help::helpDict->size(), 2);
        QCOMPARE(Help::helpDict->value(1), QStringLiteral("Second\tNew text\t0\t0"));
    }

    void missingTopicIsReported_data()
    {
        QTest::addColumn<qint64>("topic");
        QTest::addColumn<QString>("message");
        QTest::newRow("99") << qint64(99) << "No Dictionary Entry for Key 99";
        QTest::newRow("0") << qint64(0) << "No Dictionary Entry for Key 0";
        QTest::newRow("-3") << qint64(-3) << "No Dictionary Entry for Key -3";
    }

    void missingTopicIsReported()
    {
        QFETCH(qint64, topic);
        QFETCH(QString, message);
        Help::FillDictionaryFromHELP_TEXT();
        Toolkit::MessageRecorder rec;
        Help::ShowHelp(topic);
        QCOMPARE(rec.messages, QStringList{message});
        QVERIFY(m_opened.isEmpty());
    }

    void showHelpFailureIsReported()
    {
        // Before start-up has loaded the topics there is no store to look in.
        Toolkit::LogCapture log;
        Help::ShowHelp(1);
        QCOMPARE(m_reports.size(), 1);
        QVERIFY2(m_reports.first().startsWith(
                     QStringLiteral("NilObjectException in Help.ShowHelp\n\nMODULE: Help\nMETHOD: ShowHelp\n")),
                 qPrintable(m_reports.first()));
        QCOMPARE(log.lines(), QStringList{QStringLiteral("Exception - Help.ShowHelp")});
        QVERIFY(m_opened.isEmpty());
        m_reports.clear();

        // Without a widget layer there is no window to open.
        Help::FillDictionaryFromHELP_TEXT();
        Help::setWindowOpener({});
        Help::ShowHelp(1);
        QCOMPARE(m_reports.size(), 1);
        QVERIFY(m_reports.first().startsWith(QStringLiteral("NilObjectException in Help.ShowHelp\n")));
        m_reports.clear();
    }

    void htmlTopicOpensTheHtmlWindow()
    {
        loadFrom(QStringLiteral("5\tRich\t<P>Hello</P>\t400\t300<#CR>\n6\tPlain\tHello 3 < 4\t0\t0<#CR>"));
        Help::ShowHelp(5);
        Help::ShowHelp(6);
        QCOMPARE(m_opened.size(), 2);
        QCOMPARE(m_opened.at(0).isHtml, true);
        QCOMPARE(m_opened.at(0).content, QStringLiteral("<P>Hello</P>"));
        QCOMPARE(m_opened.at(0).width, qint64(400));
        QCOMPARE(m_opened.at(1).isHtml, false);
    }

    void isHtml_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");
        QTest::newRow("upper-case p") << "First<P>Second" << true;
        QTest::newRow("hr through <h") << "Above<hr>below" << true;
        QTest::newRow("heading") << "<H2>Title</H2>" << true;
        QTest::newRow("html document") << "<html>x</html>" << true;
        QTest::newRow("bold") << "a <b>bold</b> word" << true;
        QTest::newRow("italic") << "<I>x</I>" << true;
        QTest::newRow("em") << "<em>x</em>" << true;
        QTest::newRow("body") << "<BODY>x" << true;
        QTest::newRow("span") << "<span>x</span>" << true;
        QTest::newRow("style attribute") << "<style=x>" << true;
        QTest::newRow("br only") << "one<br>two<br/>three" << false;
        QTest::newRow("div only") << "<div>block</div>" << false;
        QTest::newRow("p with attributes") << "<p class=\"note\">text</p>" << false;
        QTest::newRow("plain text") << "Desktop < DesktopButton" << false;
        QTest::newRow("empty") << "" << false;
    }

    void isHtml()
    {
        QFETCH(QString, text);
        QFETCH(bool, expected);
        QCOMPARE(Help::IsHTML(text), expected);
    }
};

VANTREL_TEST_MAIN_CORE(TestHelpStore)
#include "tst_helpstore.moc"
