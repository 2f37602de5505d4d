// The keyword-index rules of tools/KeywordIndex, the hand-edit file, and that the shipped
// index is exactly what the tool makes of the shipped catalogue.

#include "common/TestMain.h"

#include "catalogue/CatalogueText.h"
#include "tools/KeywordIndex.h"

#include <QFile>

#include <algorithm>

namespace {

QStringList sortedKeys(QStringList keys)
{
    std::sort(keys.begin(), keys.end(),
              [](const QString &a, const QString &b) { return KeywordIndex::KeywordLess(a, b); });
    return keys;
}

QStringList words(const char *spaced) { return QString::fromUtf8(spaced).split(u' ', Qt::SkipEmptyParts); }

const QString kCatalogue = QStringLiteral("1\tBox.Cell\tDeprec\t2022r1\tNo Replacement\n"
                                          "2\tCell\tDeprec\t2022r1\tBox\n"
                                          "3\tSQLiteDatabase\tDeprec\t2021r1\tNo Replacement");

const QString kIndex = QStringLiteral("Box 001 002\nBox. 001\nBox.Cell 001\nBoxCell 001\nCell 001 002\n"
                                      "Database 003\nNoReplacement 001 003\nSQLite 003\nSQLiteDatabase 003");

} // namespace

class TestKeywordIndex : public QObject
{
    Q_OBJECT

private slots:
    void splitWords_data()
    {
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<QString>("expected"); // words separated by "|"
        QTest::newRow("camel case") << "DesktopListBox"
                                    << "Desktop|List|Box";
        QTest::newRow("acronym before a word") << "HTMLViewer"
                                               << "HTML|Viewer";
        QTest::newRow("two-letter acronym") << "UIControl"
                                            << "UI|Control";
        QTest::newRow("acronym at the end") << "GetURL"
                                            << "Get|URL";
        QTest::newRow("SQLite stays whole") << "SQLiteDatabase"
                                            << "SQLite|Database";
        QTest::newRow("FSRef stays whole") << "MacFSRef"
                                           << "Mac|FSRef";
        QTest::newRow("VRef stays whole") << "MacVRefNum"
                                          << "Mac|VRef|Num";
        QTest::newRow("iOS at the start") << "iOSView"
                                          << "iOS|View";
        QTest::newRow("iOS after a word") << "MobileiOSTable"
                                          << "Mobile|iOS|Table";
        QTest::newRow("no cut after a digit") << "Int16Value"
                                              << "Int16Value";
        QTest::newRow("capital after a digit") << "Group2D"
                                               << "Group2D";
        QTest::newRow("acronym after a digit") << "Group2DLayer"
                                               << "Group2D|Layer";
        QTest::newRow("no cut after an underscore") << "SHA2_256"
                                                    << "SHA2_256";
        QTest::newRow("capital after an underscore") << "Database_Class"
                                                     << "Database_Class";
        QTest::newRow("one capital") << "X"
                                     << "X";
    }

    void splitWords()
    {
        QFETCH(QString, identifier);
        QFETCH(QString, expected);
        QCOMPARE(KeywordIndex::SplitWords(identifier).join(u'|'), expected);
    }

    void fieldKeys_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("DesktopListBox") << "DesktopListBox"
                                        << words("Desktop DesktopList DesktopListBox List ListBox Box");
        QTest::newRow("HTMLViewer") << "HTMLViewer" << words("HTML HTMLViewer Viewer");
        QTest::newRow("UIControl") << "UIControl" << words("UI UIControl Control");
        QTest::newRow("SQLiteDatabase") << "SQLiteDatabase" << words("SQLite SQLiteDatabase Database");
        QTest::newRow("Int16Value") << "Int16Value" << words("Int16Value");
        QTest::newRow("Group2D") << "Group2D" << words("Group2D");
        QTest::newRow("SHA2_256") << "SHA2_256" << words("SHA2_256");
        QTest::newRow("iOSView") << "iOSView" << words("iOS iOSView View");
        QTest::newRow("Crypto.SHA2_256") << "Crypto.SHA2_256"
                                         << words("Crypto Crypto. Crypto.SHA2_256 CryptoSHA2_256 SHA2_256");
        QTest::newRow("only the last dot counts: Xojo.Core.Dictionary")
            << "Xojo.Core.Dictionary"
            << words("Xojo XojoCore XojoCore. XojoCore.Dictionary XojoCoreDictionary Core Core. Core.Dictionary "
                     "CoreDictionary Dictionary");
        QTest::newRow("DesktopListBox.CellBold")
            << "DesktopListBox.CellBold"
            << words("Desktop DesktopList DesktopListBox List ListBox Box Cell CellBold Bold "
                     "DesktopListBox. ListBox. Box. "
                     "DesktopListBox.Cell DesktopListBox.CellBold ListBox.Cell ListBox.CellBold Box.Cell Box.CellBold "
                     "DesktopListBoxCell DesktopListBoxCellBold ListBoxCell ListBoxCellBold BoxCell BoxCellBold");
        QTest::newRow("one-letter member gives no one-letter key") << "Point.X" << words("Point Point. Point.X PointX");
        QTest::newRow("prose: Auto (using Variant)") << "Auto (using Variant)" << words("Auto Using Variant");
        QTest::newRow("prose keeps identifiers whole, drops small words")
            << "Use Color.RGB and the alpha value" << words("Use Color Color. Color.RGB ColorRGB RGB Alpha Value");
        QTest::newRow("prose: apostrophe words and bare numbers dropped")
            << "Don't use it in 64-bit builds" << words("Use Bit Builds");
        QTest::newRow("No Replacement") << "No Replacement" << words("NoReplacement");
        QTest::newRow("empty") << "" << QStringList();
        QTest::newRow("blanks only") << "   " << QStringList();
        QTest::newRow("outer blanks ignored") << " Asc " << words("Asc");
        QTest::newRow("keys differing only in case once") << "Box (box)" << words("Box");
    }

    void fieldKeys()
    {
        QFETCH(QString, field);
        QFETCH(QStringList, expected);
        QCOMPARE(KeywordIndex::FieldKeys(field), sortedKeys(expected));
    }

    void keysLongerThan42AreDropped()
    {
        const QStringList keys = KeywordIndex::FieldKeys(u"ExtraordinarilyLongClassName.UnbelievablyLongMember");
        QVERIFY(keys.contains(QStringLiteral("ExtraordinarilyLongClassName.Unbelievably")));      // 41
        QVERIFY(!keys.contains(QStringLiteral("ExtraordinarilyLongClassName.UnbelievablyLong"))); // 45
        QVERIFY(keys.contains(QStringLiteral("LongClassName.UnbelievablyLongMember")));
        for (const QString &key : keys)
            QVERIFY2(KeywordIndex::IsValidKeyword(key) && key.size() <= 42, qPrintable(key));
    }

    void validKeywords_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("valid");
        QTest::newRow("letters, digits, dot, underscore") << "Crypto.SHA2_256" << true;
        QTest::newRow("one character") << "f" << true;
        QTest::newRow("42 characters") << QString(42, u'a') << true;
        QTest::newRow("43 characters") << QString(43, u'a') << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blank") << "List Box" << false;
        QTest::newRow("search character") << "Cell(" << false;
        QTest::newRow("hyphen") << "non-iOS" << false;
        QTest::newRow("non-ASCII letter") << QString::fromUtf8("\xc3\x84rger") << false;
    }

    void validKeywords()
    {
        QFETCH(QString, key);
        QFETCH(bool, valid);
        QCOMPARE(KeywordIndex::IsValidKeyword(key), valid);
    }

    void lineOrder_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::newRow("letters compare as capitals, before the underscore") << "DatabaseWriteAheadLogging"
                                                                            << "Database_Class";
        QTest::newRow("case ignored") << "apple"
                                      << "Banana";
        QTest::newRow("dot before letters") << "Box.Cell"
                                            << "BoxCell";
        QTest::newRow("prefix first") << "Address"
                                      << "Address.";
        QTest::newRow("digits before letters") << "64"
                                               << "Address";
    }

    void lineOrder()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QVERIFY(KeywordIndex::KeywordLess(a, b));
        QVERIFY(!KeywordIndex::KeywordLess(b, a));
    }

    void handEdits_data()
    {
        QTest::addColumn<QString>("handEdit");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("warnings");
        QTest::newRow("none") << "" << kIndex << 0;
        QTest::newRow("comments and blank lines") << "# a comment\n\n   \n+ 64 1 # why: the row says so\n"
                                                  << QStringLiteral("64 001\n") + kIndex << 0;
        QTest::newRow("exclusion empties lines and removes numbers")
            << "! 3"
            << "Box 001 002\nBox. 001\nBox.Cell 001\nBoxCell 001\nCell 001 002\nNoReplacement 001" << 0;
        QTest::newRow("exclusion wins over a later addition")
            << "! 2 3\n+ Extra 2"
            << "Box 001\nBox. 001\nBox.Cell 001\nBoxCell 001\nCell 001\nNoReplacement 001" << 0;
        QTest::newRow("addition creates a line and respells one")
            << "+ f 2\n+ box 3"
            << "box 001 002 003\nBox. 001\nBox.Cell 001\nBoxCell 001\nCell 001 002\n"
               "Database 003\nf 002\nNoReplacement 001 003\nSQLite 003\nSQLiteDatabase 003"
            << 0;
        QTest::newRow("removal of a line and of numbers")
            << "- Box.Cell\n- CELL 001\n- SQLite 3"
            << "Box 001 002\nBox. 001\nBoxCell 001\nCell 002\nDatabase 003\nNoReplacement 001 003\nSQLiteDatabase 003"
            << 0;
        QTest::newRow("entry without a row is skipped with a warning")
            << "+ X 9 003\n- Nothing"
            << QStringLiteral("Box 001 002\nBox. 001\nBox.Cell 001\nBoxCell 001\nCell 001 002\n"
                              "Database 003\nNoReplacement 001 003\nSQLite 003\n"
                              "SQLiteDatabase 003\nX 003")
            << 2;
    }

    void handEdits()
    {
        QFETCH(QString, handEdit);
        QFETCH(QString, expected);
        QFETCH(int, warnings);
        const KeywordIndex::Result result = KeywordIndex::Build(kCatalogue, handEdit);
        QCOMPARE(result.errors, QStringList());
        QCOMPARE(result.text, expected);
        QCOMPARE(result.warnings.size(), warnings);
    }

    void malformedInputIsRefused_data()
    {
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QString>("handEdit");
        QTest::newRow("unknown directive") << kCatalogue << "? Box 1";
        QTest::newRow("addition without entries") << kCatalogue << "+ Box";
        QTest::newRow("keyword with a hyphen") << kCatalogue << "+ Bad-Key 1";
        QTest::newRow("keyword too long")
            << kCatalogue << QStringLiteral("+ ") + QString(43, u'a') + QStringLiteral(" 1");
        QTest::newRow("entry not a number") << kCatalogue << "+ Box 1x";
        QTest::newRow("exclusion without entries") << kCatalogue << "!";
        QTest::newRow("catalogue row with four fields") << "1\tBox\tDeprec\t2022r1"
                                                        << "";
        QTest::newRow("catalogue row without an entry number") << "x\tBox\tDeprec\t2022r1\t"
                                                               << "";
        QTest::newRow("catalogue entry twice") << "1\tBox\tDeprec\t2022r1\t\n1\tCell\tDeprec\t2022r1\t"
                                               << "";
        QTest::newRow("trailing line feed") << kCatalogue + u'\n' << "";
    }

    void malformedInputIsRefused()
    {
        QFETCH(QString, catalogue);
        QFETCH(QString, handEdit);
        const KeywordIndex::Result result = KeywordIndex::Build(catalogue, handEdit);
        QVERIFY(!result.ok());
        QCOMPARE(result.text, QString());
    }

    // The index is prepared from the data, never edited by hand: the shipped one must be exactly
    // what the tool writes (rebuild it with the regenerate-keywords target).
    void shippedIndexIsTheToolsOutput()
    {
        QFile handEditFile(QStringLiteral(VANTREL_SOURCE_DIR "/catalogue/keywords-handedit.txt"));
        QVERIFY(handEditFile.open(QIODevice::ReadOnly));
        const KeywordIndex::Result result =
            KeywordIndex::Build(Catalogue::DEPRECATIONS_TEXT_View(), QString::fromUtf8(handEditFile.readAll()));
        for (const QString &warning : result.warnings)
            qInfo().noquote() << "hand-edit:" << warning;
        QCOMPARE(result.errors, QStringList());
        if (result.text != Catalogue::KEYWORDS_TEXT()) {
            const QStringList made = result.text.split(u'\n');
            const QStringList shipped = Catalogue::KEYWORDS_TEXT().split(u'\n');
            qsizetype i = 0;
            while (i < made.size() && i < shipped.size() && made.at(i) == shipped.at(i))
                ++i;
            QFAIL(qPrintable(
                QStringLiteral("KEYWORDS_TEXT differs from the tool's output at line %1:\n"
                               "  shipped: %2\n  tool:    %3\n"
                               "Run: cmake --build <build dir> --target regenerate-keywords")
                    .arg(i + 1)
                    .arg(shipped.value(i, QStringLiteral("(end)")), made.value(i, QStringLiteral("(end)")))));
        }
    }
};

VANTREL_TEST_MAIN_CORE(TestKeywordIndex)
#include "tst_keywordindex.moc"
