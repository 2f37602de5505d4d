#include "common/TestMain.h"

#include "util/RtrnBoolean.h"
#include "util/StringUtils.h"

class TestStringHelpers : public QObject
{
    Q_OBJECT

private slots:
    void endsAndStartsWith_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("piece");
        QTest::addColumn<bool>("endsWith");
        QTest::addColumn<bool>("startsWith");

        QTest::newRow("suffix .txt") << "report.txt"
                                     << ".txt" << true << false;
        QTest::newRow("suffix case differs") << "report.TXT"
                                             << ".txt" << false << false;
        QTest::newRow("prefix case differs") << "Report.txt"
                                             << "report" << false << false;
        QTest::newRow("prefix matches") << "report.txt"
                                        << "report" << false << true;
        QTest::newRow("both empty") << ""
                                    << "" << true << true;
        QTest::newRow("empty text, piece a") << ""
                                             << "a" << false << false;
        QTest::newRow("empty piece") << "abc"
                                     << "" << true << true;
        QTest::newRow("text shorter than piece") << "txt"
                                                 << ".txt" << false << false;
        QTest::newRow("equal texts") << ".txt"
                                     << ".txt" << true << true;
        QTest::newRow("null text, empty piece") << QString() << QStringLiteral("") << true << true;
        QTest::newRow("null text, null piece") << QString() << QString() << true << true;
        QTest::newRow("null text, piece a") << QString() << QStringLiteral("a") << false << false;
        QTest::newRow("non-ASCII") << "café"
                                   << "é" << true << false;
    }

    void endsAndStartsWith()
    {
        QFETCH(QString, text);
        QFETCH(QString, piece);
        QFETCH(bool, endsWith);
        QFETCH(bool, startsWith);
        QCOMPARE(RtrnBoolean::rbDoesStringEndWith(text, piece), endsWith);
        QCOMPARE(RtrnBoolean::rbDoesStringStartWith(text, piece), startsWith);
    }

    void isPosInteger_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("007") << "007" << true;
        QTest::newRow("lone zero") << "0" << true;
        QTest::newRow("long run") << QString(400, QLatin1Char('9')) << true;
        QTest::newRow("minus one") << "-1" << false;
        QTest::newRow("plus one") << "+1" << false;
        QTest::newRow("decimal") << "1.0" << false;
        QTest::newRow("leading blank") << " 1" << false;
        QTest::newRow("trailing blank") << "1 " << false;
        QTest::newRow("letter at end") << "12a" << false;
        QTest::newRow("Arabic-Indic digit") << QString(QChar(0x0663)) << false;
        QTest::newRow("fullwidth digit") << QString(QChar(0xFF11)) << false;
    }

    void isPosInteger()
    {
        QFETCH(QString, text);
        QFETCH(bool, expected);
        QCOMPARE(StringUtils::IsPosInteger(text), expected);
    }

    void remove_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("chars");
        QTest::addColumn<QString>("expected");
        const QString search = QStringLiteral(" ,;:'][()*&");

        QTest::newRow("blank between words") << "Desktop Button" << search << "DesktopButton";
        QTest::newRow("parentheses") << "(ListBox)" << search << "ListBox";
        QTest::newRow("full stop stays") << "ListBox." << search << "ListBox.";
        QTest::newRow("comma inside") << "Cell,Bold" << search << "CellBold";
        QTest::newRow("every listed character") << "a b,c;d:e'f]g[h(i)j*k&l" << search << "abcdefghijkl";
        QTest::newRow("underscore and digits stay") << "Crypto.SHA2_256" << search << "Crypto.SHA2_256";
        QTest::newRow("one parenthesis under threshold") << "(" << search << "(";
        QTest::newRow("one blank under threshold") << " " << search << " ";
        QTest::newRow("empty") << "" << search << "";
        QTest::newRow("two blanks") << "  " << search << "";
        // One non-ASCII character is two UTF-8 bytes, so it is over the threshold.
        QTest::newRow("one two-byte character") << "é"
                                                << "é"
                                                << "";
        QTest::newRow("letters ignore case") << "aAbB"
                                             << "a"
                                             << "bB";
        QTest::newRow("capital in the set") << "xXy"
                                            << "X"
                                            << "y";
        QTest::newRow("non-ASCII kept") << "Grüße (x)" << search << "Grüßex";
        QTest::newRow("surrogate pair removed whole")
            << QStringLiteral("a\U0001F418b") << QStringLiteral("\U0001F418") << "ab";
        QTest::newRow("surrogate pair kept whole")
            << QStringLiteral("(\U0001F418)") << search << QStringLiteral("\U0001F418");
        QTest::newRow("empty set") << "a b"
                                   << ""
                                   << "a b";
    }

    void remove()
    {
        QFETCH(QString, text);
        QFETCH(QString, chars);
        QFETCH(QString, expected);
        QCOMPARE(StringUtils::Remove(text, chars), expected);
    }
};

VANTREL_TEST_MAIN_CORE(TestStringHelpers)
#include "tst_stringhelpers.moc"
