#include "common/TestMain.h"

#include "search/Search.h"

class TestSearchText : public QObject
{
    Q_OBJECT

private slots:
    void searchCharacters() { QCOMPARE(QString(Search::kSearchCharacters), QStringLiteral(" ,;:'][()*&")); }

    void cleanSearchText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cleaned");
        QTest::newRow("blank between words") << "Desktop Button"
                                             << "DesktopButton";
        QTest::newRow("in parentheses") << "(ListBox)"
                                        << "ListBox";
        QTest::newRow("full stop kept") << "ListBox."
                                        << "ListBox.";
        QTest::newRow("comma") << "Cell,Bold"
                               << "CellBold";
        QTest::newRow("underscore and digits kept") << "Crypto.SHA2_256"
                                                    << "Crypto.SHA2_256";
        QTest::newRow("digits only") << "64"
                                     << "64";
        QTest::newRow("letter case kept") << "desktopbevelbutton"
                                          << "desktopbevelbutton";
        QTest::newRow("single parenthesis") << "("
                                            << "(";
        QTest::newRow("single blank") << " "
                                      << " ";
        QTest::newRow("two blanks") << "  "
                                    << "";
        QTest::newRow("all of them") << " ,;:'][()*&"
                                     << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("every one between letters") << "a b,c;d:e'f]g[h(i)j*k&l"
                                                   << "abcdefghijkl";
        QTest::newRow("other punctuation kept") << "a-b/c!d?e"
                                                << "a-b/c!d?e";
        QTest::newRow("trailing line feed") << "Desktop\n"
                                            << "Desktop";
        QTest::newRow("copied from a terminal") << "\tListBox.\r\n"
                                                << "ListBox.";
        QTest::newRow("vertical tab and form feed") << "Cell\vBold\f"
                                                    << "CellBold";
        QTest::newRow("lone x") << "x"
                                << "x";
    }

    void cleanSearchText()
    {
        QFETCH(QString, typed);
        QFETCH(QString, cleaned);
        QCOMPARE(Search::CleanSearchText(typed), cleaned);
    }

    void hitCountText_data()
    {
        QTest::addColumn<qint64>("count");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << qint64(0) << "0 hits";
        QTest::newRow("one") << qint64(1) << "1 hit";
        QTest::newRow("two") << qint64(2) << "2 hits";
        QTest::newRow("many") << qint64(272) << "272 hits";
        QTest::newRow("no grouping") << qint64(1000) << "1000 hits";
    }

    void hitCountText()
    {
        QFETCH(qint64, count);
        QFETCH(QString, text);
        QCOMPARE(Search::HitCountText(count), text);
    }
};

VANTREL_TEST_MAIN_CORE(TestSearchText)
#include "tst_searchtext.moc"
