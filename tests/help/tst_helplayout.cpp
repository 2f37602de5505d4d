#include "common/TestMain.h"

#include "help/HelpLayout.h"

#include <QMap>

class TestHelpLayout : public QObject
{
    Q_OBJECT

private slots:
    void rawTextFromHtml_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("expected");
        QTest::newRow("body kept only") << "<html><head><title>Not this</title></head><body><p>Hello</p></body></html>"
                                        << "Hello";
        QTest::newRow("fragment without body") << "<b>Bold</b> and <i>italic</i>"
                                               << "Bold and italic";
        QTest::newRow("body tags in the wrong order") << "</body>text<body>"
                                                      << "text";
        QTest::newRow("upper-case P") << "<P>One</P><P>Two</P>"
                                      << "One\n\nTwo";
        QTest::newRow("source line feeds in paragraphs") << "<p>one\ntwo</p>"
                                                         << "one two";
        QTest::newRow("line feeds kept without paragraphs") << "one\ntwo"
                                                            << "one\ntwo";
        QTest::newRow("breaks") << "one<br/>two<BR/>three"
                                << "one\ntwo\nthree";
        QTest::newRow("anchor with attributes")
            << "See <a href=\"https://example.com/x\" target=\"_blank\">the site</a>."
            << "See the site.";
        QTest::newRow("five spaces to two") << "a     b"
                                            << "a  b";
        QTest::newRow("mixed white space run") << "a \n\t b"
                                               << "a \nb";
        QTest::newRow("nbsp in any case") << "a&nbspb&NBSPc"
                                          << "a b c";
        QTest::newRow("ends trimmed") << "  <p>x</p>  "
                                      << "x";
        QTest::newRow("empty") << ""
                               << "";
    }

    void rawTextFromHtml()
    {
        QFETCH(QString, html);
        QFETCH(QString, expected);
        QCOMPARE(HelpLayout::RawTextFromHTML(html), expected);
    }

    void adjustWindowSize_data()
    {
        QTest::addColumn<qint64>("width");
        QTest::addColumn<qint64>("height");
        QTest::addColumn<QRect>("available");
        // Text heights at the wrap widths 300, 400, 600, 800, 1000.
        QTest::addColumn<QList<int>>("heights");
        QTest::addColumn<QRect>("expected"); // left, top, width, height

        const QRect screen(0, 25, 1920, 1055);
        const QRect tall(0, 25, 1920, 3000);
        const QList<int> shortText{83, 60, 40, 30, 30};

        QTest::newRow("500 x 300 requested")
            << qint64(500) << qint64(300) << screen << QList<int>{} << QRect(1920 - 500 - 4, 47, 500, 300);
        QTest::newRow("requested above the window's maximum")
            << qint64(5000) << qint64(300) << screen << QList<int>{} << QRect(1920 - 1500 - 4, 47, 1500, 300);
        // 1.2 x 83 = 99.6, truncated.
        QTest::newRow("short text") << qint64(0) << qint64(0) << screen << shortText << QRect(1576, 47, 340, 279);
        QTest::newRow("width 0 only") << qint64(0) << qint64(500) << screen << shortText << QRect(1576, 47, 340, 279);
        QTest::newRow("height 0 only") << qint64(500) << qint64(0) << screen << shortText << QRect(1576, 47, 340, 279);
        QTest::newRow("shrinks to 400") << qint64(0) << qint64(0) << screen << QList<int>{500, 400, 350, 300, 280}
                                        << QRect(1476, 47, 440, 696);
        QTest::newRow("shrinks to 600, not further")
            << qint64(0) << qint64(0) << screen << QList<int>{900, 700, 500, 480, 470} << QRect(1276, 47, 640, 816);
        QTest::newRow("only the last step shrinks >80")
            << qint64(0) << qint64(0) << tall << QList<int>{2000, 1950, 1900, 1850, 1700}
            << QRect(1920 - 1040 - 4, 47, 1040, 2256);
        QTest::newRow("available height 700")
            << qint64(0) << qint64(0) << QRect(0, 0, 1280, 700) << QList<int>{1000, 980, 960, 950, 940}
            << QRect(1280 - 340 - 4, 22, 340, 560);
        QTest::newRow("available height 700, wide text")
            << qint64(0) << qint64(0) << QRect(0, 0, 1280, 700) << QList<int>{3000, 2000, 1200, 900, 600}
            << QRect(1280 - 1024 - 4, 22, 1024, 560);
        QTest::newRow("empty text: the window's minimum height")
            << qint64(0) << qint64(0) << screen << QList<int>{0, 0, 0, 0, 0} << QRect(1576, 47, 340, 200);
        QTest::newRow("screen offset down")
            << qint64(500) << qint64(300) << QRect(0, 100, 1000, 700) << QList<int>{} << QRect(496, 122, 500, 300);
    }

    void adjustWindowSize()
    {
        QFETCH(qint64, width);
        QFETCH(qint64, height);
        QFETCH(QRect, available);
        QFETCH(QList<int>, heights);
        QFETCH(QRect, expected);

        const QList<int> wraps{300, 400, 600, 800, 1000};
        QList<int> measured;
        const auto measure = [&](int wrapWidth) {
            measured.append(wrapWidth);
            const qsizetype i = wraps.indexOf(wrapWidth);
            return i >= 0 && i < heights.size() ? heights.at(i) : -1;
        };
        const HelpLayout::WindowFrame f = HelpLayout::AdjustWindowSize(measure, width, height, available);
        QCOMPARE(QRect(f.left, f.top, f.width, f.height), expected);
        // A window given both sides does not measure its text.
        QCOMPARE(measured, heights.isEmpty() ? QList<int>{} : wraps);
    }
};

VANTREL_TEST_MAIN_CORE(TestHelpLayout)
#include "tst_helplayout.moc"
