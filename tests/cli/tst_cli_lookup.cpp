// The lookup behind "vantrel-cli lookup" and the catalogue's row model: the shipped catalogue
// is reachable through its index, releases compare as Xojo numbers them.
#include "common/TestMain.h"

#include "catalogue/CatalogueRows.h"
#include "catalogue/CatalogueText.h"
#include "catalogue/ModGlobal.h"
#include "search/Lookup.h"
#include "toolkit/RuntimeException.h"

class TestCliLookup : public QObject
{
    Q_OBJECT

private slots:
    // Every row of the shipped catalogue is found by looking up one of its keywords.
    void everyRowHasAKeyword()
    {
        const ModGlobal::KeywordDictionary index =
            ModGlobal::ParseKeywordIndex(Catalogue::KEYWORDS_TEXT_View(), ModGlobal::TextStorage::Static);
        const Catalogue::Rows &rows = Catalogue::Rows::Builtin();
        QVERIFY(rows.size() > 0);
        QSet<const Catalogue::Row *> reached;
        for (const QString &key : index.Keys()) {
            const Search::LookupResult r = Search::Lookup(key, index, rows);
            QVERIFY2(r.found, qPrintable(key));
            for (const Catalogue::Row *row : r.rows)
                reached.insert(row);
        }
        QStringList unreached;
        for (const Catalogue::Row &row : rows.all())
            if (!reached.contains(&row))
                unreached.append(row.entry + u' ' + row.name);
        QVERIFY2(unreached.isEmpty(), qPrintable(unreached.join(QStringLiteral(", "))));
    }

    void lookup_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("keyword") << "ListBox" << true << QStringList{"ListBox", "ListBox.Cell"};
        QTest::newRow("letter case ignored") << "LISTBOX.cell" << true << QStringList{"ListBox.Cell"};
        QTest::newRow("cleaned like the search field") << "(List Box.Cell);" << true << QStringList{"ListBox.Cell"};
        QTest::newRow("not a keyword") << "ListBox.Cel" << false << QStringList{};
        QTest::newRow("nothing left after cleaning") << " ,;" << false << QStringList{};
        QTest::newRow("unknown entry numbers skipped") << "Ghost" << true << QStringList{"ListBox"};
    }

    void lookup()
    {
        QFETCH(QString, typed);
        QFETCH(bool, found);
        QFETCH(QStringList, names);
        const ModGlobal::KeywordDictionary index = ModGlobal::ParseKeywordIndex(
            u"ListBox 001 002\nListBox.Cell 002\nListBox.CellBold 003\nGhost 001 999\nListBoxRow 004");
        const Catalogue::Rows rows =
            Catalogue::Rows::Parse(u"1\tListBox\tDeprec\t2021r3\tDesktopListBox\n"
                                   u"2\tListBox.Cell\tDeprec\t2019r2\tDesktopListBox.CellTextAt\n"
                                   u"3\tListBox.CellBold\tDeprec\t2019r2\tDesktopListBox.CellBoldAt");
        const Search::LookupResult r = Search::Lookup(typed, index, rows);
        QCOMPARE(r.found, found);
        QStringList actual;
        for (const Catalogue::Row *row : r.rows)
            actual.append(row->name);
        QCOMPARE(actual, names);
    }

    void keywordsStartingWith()
    {
        QString text;
        for (int i = 11; i >= 0; --i)
            text += QStringLiteral("Cell%1 001\n").arg(i, 2, 10, QLatin1Char('0'));
        text += QStringLiteral("Other 001");
        const ModGlobal::KeywordDictionary index = ModGlobal::ParseKeywordIndex(text);
        const QStringList hints = Search::KeywordsStartingWith(QStringLiteral("cell"), index, 10);
        QCOMPARE(hints.size(), 10);
        QCOMPARE(hints.first(), QStringLiteral("Cell00"));
        QCOMPARE(hints.last(), QStringLiteral("Cell09"));
        QVERIFY(Search::KeywordsStartingWith(QStringLiteral("zz"), index).isEmpty());
    }

    void releases_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("order"); // -1 a < b, 0 equal, 1 a > b
        QTest::newRow("release number") << "2019r2"
                                        << "2019r3" << -1;
        QTest::newRow("dot release") << "2019r2"
                                     << "2019r2.1" << -1;
        QTest::newRow("dot before next release") << "2019r2.1"
                                                 << "2019r3" << -1;
        QTest::newRow("year") << "2019r3"
                              << "2020r1" << -1;
        QTest::newRow("two-digit release") << "2013r10"
                                           << "2013r9" << 1;
        QTest::newRow("capital R") << "2021R3"
                                   << "2021r3" << 0;
        QTest::newRow("XojoVersion form") << "2019.02"
                                          << "2019r2" << 0;
        QTest::newRow("XojoVersion dot release") << "2019.021"
                                                 << "2019r2.1" << 0;
    }

    void releases()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, order);
        const auto ra = Catalogue::ParseRelease(a), rb = Catalogue::ParseRelease(b);
        QVERIFY(ra && rb);
        QCOMPARE(*ra < *rb ? -1 : (*rb < *ra ? 1 : 0), order);
    }

    void notReleases_data()
    {
        QTest::addColumn<QString>("text");
        for (const char *t : {"", "2019", "r2", "2019r", "2019r2.", "2019rx", "19r2", "2019r2 beta", "2019.2"})
            QTest::newRow(t) << QString::fromLatin1(t);
    }

    void notReleases()
    {
        QFETCH(QString, text);
        QVERIFY(!Catalogue::ParseRelease(text));
    }

    void rows()
    {
        const Catalogue::Rows rows = Catalogue::Rows::Parse(u"5\tA\tDeprec\t2019r2\tB\r\n\n"
                                                            u"0012\tC\tRemovd\t\tNo Replacement\n"
                                                            u"13\tD\tDeemph for non-iOS projects\t2018r4\t");
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows.byEntry(u"005")->replacement, QStringLiteral("B"));
        QCOMPARE(rows.byEntry(u"12")->status, Catalogue::Status::Removed);
        QVERIFY(!rows.byEntry(u"12")->hasReplacement());
        QCOMPARE(rows.byEntry(u"013")->status, Catalogue::Status::Deemphasized);
        QVERIFY(!rows.byEntry(u"013")->hasReplacement());
        QVERIFY(!rows.byEntry(u"7"));
        QVERIFY_THROWS_EXCEPTION(InvalidArgumentException, Catalogue::Rows::Parse(u"x\tA\tDeprec\t2019r2\tB"));
    }
};

VANTREL_TEST_MAIN_CORE(TestCliLookup)
#include "tst_cli_lookup.moc"
