#include "common/TestMain.h"

#include "search/KeywordLists.h"
#include "search/WordCombo.h"

class TestWordLists : public QObject
{
    Q_OBJECT

private slots:
    void concatWordsStartEnd_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<qint64>("start");
        QTest::addColumn<qint64>("end");
        QTest::addColumn<QString>("expected");
        const QStringList abcde{"a", "b", "c", "d", "e"};
        QTest::newRow("1 to 3") << abcde << qint64(1) << qint64(3) << "bcd";
        QTest::newRow("3 to 1 joins one word") << abcde << qint64(3) << qint64(1) << "b";
        QTest::newRow("end past the list") << abcde << qint64(4) << qint64(9) << "e";
        QTest::newRow("start past the list") << abcde << qint64(7) << qint64(9) << "";
        QTest::newRow("negative start") << abcde << qint64(-2) << qint64(0) << "a";
        QTest::newRow("both negative") << abcde << qint64(-2) << qint64(-1) << "a";
        QTest::newRow("negative end") << abcde << qint64(3) << qint64(-1) << "a";
        QTest::newRow("whole list") << abcde << qint64(0) << qint64(4) << "abcde";
        QTest::newRow("one word") << abcde << qint64(2) << qint64(2) << "c";
        QTest::newRow("huge indexes") << abcde << std::numeric_limits<qint64>::max()
                                      << std::numeric_limits<qint64>::max() << "";
        QTest::newRow("huge end") << abcde << qint64(0) << std::numeric_limits<qint64>::max() << "abcde";
        QTest::newRow("empty list") << QStringList() << qint64(0) << qint64(0) << "";
    }

    void concatWordsStartEnd()
    {
        QFETCH(QStringList, words);
        QFETCH(qint64, start);
        QFETCH(qint64, end);
        QFETCH(QString, expected);
        QCOMPARE(WordCombo::ConcatWordsStartEnd(words, start, end), expected);
    }

    void createCombinations_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("Desktop List Box")
            << QStringList{"Desktop", "List", "Box"}
            << QStringList{"DesktopListBox", "DesktopList", "ListBox", "Desktop", "List", "Box"};
        QTest::newRow("a to e") << QStringList{"a", "b", "c", "d", "e"}
                                << QStringList{"abcde", "abcd", "bcde", "abc", "bcd", "cde", "ab", "bc",
                                               "cd",    "de",   "a",    "b",   "c",   "d",   "e"};
        QTest::newRow("one word") << QStringList{"X"} << QStringList{"X"};
        QTest::newRow("empty") << QStringList() << QStringList();
    }

    void createCombinations()
    {
        QFETCH(QStringList, words);
        QFETCH(QStringList, expected);
        QCOMPARE(WordCombo::CreateCombinations(words), expected);
    }

    void makeKeywordList_data()
    {
        QTest::addColumn<QString>("pairs");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two keywords") << "247 Address.\n248 Address.\n249 Zip"
                                      << "Address. 247 248\nZip 249";
        QTest::newRow("sorted, numbers in input order") << "300 Zip\n100 Apple\n050 Zip\n200 apple"
                                                        << "Apple 100 200\nZip 300 050";
        QTest::newRow("letter case of the first in sort order") << "010 desktop\n020 Desktop\n030 DESKTOP"
                                                                << "desktop 010 020 030";
        QTest::newRow("letters compare as capitals") << "001 Database_Class\n002 DatabaseWriteAheadLogging"
                                                     << "DatabaseWriteAheadLogging 002\nDatabase_Class 001";
        QTest::newRow("full stop sorts before letters") << "001 ListBoxes\n002 ListBox."
                                                        << "ListBox. 002\nListBoxes 001";
        QTest::newRow("any separator character") << "247\tAddress.\n248-Address."
                                                 << "Address. 247 248";
        QTest::newRow("trailing line feed") << "247 Zip\n"
                                            << "Zip 247";
        QTest::newRow("empty keyword never kept") << "247 \n248 Zip"
                                                  << "Zip 248";
        QTest::newRow("short line") << "24"
                                    << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("one pair") << "074 X"
                                  << "X 074";
    }

    void makeKeywordList()
    {
        QFETCH(QString, pairs);
        QFETCH(QString, expected);
        QCOMPARE(KeywordLists::MakeKeywordList(pairs), expected);
    }

    void arrayRemoveDuplicates_data()
    {
        QTest::addColumn<QStringList>("array");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("b a b c a") << QStringList{"b", "a", "b", "c", "a"} << QStringList{"b", "a", "c"};
        QTest::newRow("case ignored, first kept")
            << QStringList{"Zip", "ZIP", "zip", "Box"} << QStringList{"Zip", "Box"};
        QTest::newRow("empty strings") << QStringList{"", "a", ""} << QStringList{"", "a"};
        QTest::newRow("no repeats") << QStringList{"x", "y"} << QStringList{"x", "y"};
        QTest::newRow("empty") << QStringList() << QStringList();
    }

    void arrayRemoveDuplicates()
    {
        QFETCH(QStringList, array);
        QFETCH(QStringList, expected);
        QCOMPARE(KeywordLists::ArrayRemoveDuplicates(array), expected);
    }
};

VANTREL_TEST_MAIN_CORE(TestWordLists)
#include "tst_wordlists.moc"
