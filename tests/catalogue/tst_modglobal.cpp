// The start-up load: the application's folder, the two global maps and their lookups, and how a
// failure of the load is shown while the program carries on.

#include "common/TestMain.h"

#include "catalogue/CatalogueText.h"
#include "catalogue/ModGlobal.h"
#include "toolkit/RuntimeException.h"
#include "toolkit/System.h"
#include "toolkit/UserFolders.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString sourceFile(const char *name) { return QStringLiteral(VANTREL_SOURCE_DIR "/catalogue/") + QLatin1String(name); }

qsizetype fileLineCount(const char *name)
{
    QFile file(sourceFile(name));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    return bytes.isEmpty() ? 0 : bytes.count('\n') + 1;
}

QString appDataFolder() { return TestHome::path() + QStringLiteral("/.local/share"); }

QString bundleFolder() { return appDataFolder() + u'/' + QLatin1String(ModGlobal::kBundleIdentifier); }

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const QString kOpeningAlert = QStringLiteral("Oops! App.Opening\nEVENT HANDLER: App\nEVENT NAME: Opening\nTYPE: ");

} // namespace

class TestModGlobal : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        ModGlobal::resetForTests();
        QDir(TestHome::path() + QStringLiteral("/.local")).removeRecursively();
        QFile::remove(TestHome::path() + QStringLiteral("/.local"));
    }
    void cleanup() { ModGlobal::resetForTests(); }

    void startupLoadFillsBothMapsFromTheShippedTables()
    {
        QVERIFY(!ModGlobal::dictKeyGlobal);
        QVERIFY(!ModGlobal::dictChronID_Global);
        Toolkit::MessageRecorder rec;
        ModGlobal::AppOpening({});
        QCOMPARE(rec.messages, QStringList());
        QVERIFY(ModGlobal::dictKeyGlobal && ModGlobal::dictChronID_Global);
        QCOMPARE(ModGlobal::dictKeyGlobal->KeyCount(), fileLineCount("KEYWORDS_TEXT.txt"));
        QCOMPARE(ModGlobal::dictChronID_Global->size(), fileLineCount("DEPRECATIONS_TEXT.txt"));
        QCOMPARE(ModGlobal::theFilter, QString());
    }

    void keywordLookupIgnoresCase()
    {
        ModGlobal::RunStartupLoad({});
        const QString desktop = ModGlobal::KeywordEntries(u"Desktop");
        QVERIFY(!desktop.isEmpty());
        QCOMPARE(ModGlobal::KeywordEntries(u"desktop"), desktop);
        QCOMPARE(ModGlobal::KeywordEntries(u"DESKTOP"), desktop);
        QCOMPARE(ModGlobal::KeywordEntries(u"Desk"), QString());
        QCOMPARE(ModGlobal::KeywordEntries(u""), QString());
    }

    void rowPositions_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<qint64>("position"); // -2: the last row
        QTest::newRow("first row") << "001" << qint64(0);
        QTest::newRow("last row") << "988" << qint64(-2);
        QTest::newRow("number without a row") << "068" << qint64(-1);
        QTest::newRow("unused number near the end") << "984" << qint64(-1);
        QTest::newRow("not zero-padded") << "1" << qint64(-1);
        QTest::newRow("padded too far") << "0001" << qint64(-1);
        QTest::newRow("empty") << "" << qint64(-1);
    }

    void rowPositions()
    {
        QFETCH(QString, entry);
        QFETCH(qint64, position);
        ModGlobal::RunStartupLoad({});
        if (position == -2)
            position = fileLineCount("DEPRECATIONS_TEXT.txt") - 1;
        QCOMPARE(ModGlobal::RowPosition(entry), position);
    }

    void lookupsBeforeTheLoadRaiseNilObject()
    {
        QVERIFY_THROWS_EXCEPTION(NilObjectException, ModGlobal::KeywordEntries(u"Desktop"));
        QVERIFY_THROWS_EXCEPTION(NilObjectException, ModGlobal::RowPosition(u"001"));
    }

    void keywordIndexParsing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("keys");    // in line order
        QTest::addColumn<QStringList>("lookups"); // "key=value" pairs
        QTest::newRow("dot makes its own keyword")
            << "Address 100 101\nAddress. 247 248" << QStringList{"Address", "Address."}
            << QStringList{"address.=247 248", "ADDRESS=100 101", "Address..="};
        QTest::newRow("value is the rest of the line")
            << "X 302 602 656 863" << QStringList{"X"} << QStringList{"x=302 602 656 863"};
        QTest::newRow("malformed lines skipped")
            << "NoBlank\n\n 001\nKey \nGood 005\n"
            << QStringList{"Good"} << QStringList{"NoBlank=", "Key=", "=", "good=005"};
        QTest::newRow("repeat replaces the value, keeps the first spelling")
            << "Key 001\nKEY 002" << QStringList{"Key"} << QStringList{"key=002"};
        QTest::newRow("empty text") << "" << QStringList{} << QStringList{"a="};
    }

    void keywordIndexParsing()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, keys);
        QFETCH(QStringList, lookups);
        for (auto storage : {ModGlobal::TextStorage::Copy, ModGlobal::TextStorage::Static}) {
            const ModGlobal::KeywordDictionary dict = ModGlobal::ParseKeywordIndex(text, storage);
            QCOMPARE(dict.Keys(), keys);
            for (const QString &pair : lookups) {
                const qsizetype eq = pair.lastIndexOf(u'=');
                QCOMPARE(dict.Lookup(pair.left(eq), QString()), pair.mid(eq + 1));
            }
        }
    }

    void keywordDictionaryFoldsCase_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("found");
        QTest::newRow("ascii") << "DesktopBevelButton"
                               << "desktopbevelbutton" << true;
        QTest::newRow("underscore is no letter") << "Database_Class"
                                                 << "database_class" << true;
        QTest::newRow("latin-1") << QString::fromUtf8("\xc3\x84rger") << QString::fromUtf8("\xc3\xa4RGER") << true;
        QTest::newRow("beyond the BMP") << QString::fromUtf8("\xf0\x90\x90\x80") // DESERET CAPITAL LONG I
                                        << QString::fromUtf8("\xf0\x90\x90\xa8") << true;
        QTest::newRow("non-ASCII folding to ASCII") << "Kelvin"
                                                    << QString::fromUtf8("\xe2\x84\xaa"
                                                                         "ELVIN")
                                                    << true;
        QTest::newRow("different length") << "Box"
                                          << "Box." << false;
        QTest::newRow("prefix") << "Address."
                                << "Address" << false;
    }

    void keywordDictionaryFoldsCase()
    {
        QFETCH(QString, stored);
        QFETCH(QString, asked);
        QFETCH(bool, found);
        ModGlobal::KeywordDictionary dict;
        dict.Value(stored, QStringLiteral("001"));
        QCOMPARE(dict.HasKey(asked), found);
        QCOMPARE(dict.Lookup(asked, QStringLiteral("none")), found ? QStringLiteral("001") : QStringLiteral("none"));
    }

    void keywordDictionaryGrowsWithoutReserve()
    {
        ModGlobal::KeywordDictionary dict;
        for (int i = 0; i < 5000; ++i)
            dict.Value(QStringLiteral("Key%1").arg(i), QString::number(i));
        for (int i = 0; i < 5000; i += 7)
            dict.Value(QStringLiteral("KEY%1").arg(i), QStringLiteral("again"));
        QCOMPARE(dict.KeyCount(), 5000);
        QCOMPARE(dict.Lookup(u"key4999", QString()), QStringLiteral("4999"));
        QCOMPARE(dict.Lookup(u"key4998", QString()), QStringLiteral("again"));
        QCOMPARE(dict.Keys().value(4998), QStringLiteral("Key4998"));
        QVERIFY(!dict.HasKey(u"Key5000"));
    }

    void catalogueParsing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected"); // "key=position"
        QTest::newRow("padded to three digits") << "1\ta\n74\tb\n988\tc" << QStringList{"001=0", "074=1", "988=2"};
        QTest::newRow("more than three digits") << "1000\ta" << QStringList{"1000=0"};
        QTest::newRow("leading zeros rewritten") << "0074\ta" << QStringList{"074=0"};
        QTest::newRow("row without tabs") << "5" << QStringList{"005=0"};
        QTest::newRow("empty row keeps its position") << "1\ta\n\n3\tc\n" << QStringList{"001=0", "003=2"};
    }

    void catalogueParsing()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        for (auto storage : {ModGlobal::TextStorage::Copy, ModGlobal::TextStorage::Static}) {
            const ModGlobal::ChronDictionary dict = ModGlobal::ParseCatalogue(text, storage);
            QStringList got;
            for (auto it = dict.cbegin(); it != dict.cend(); ++it)
                got.append(it.key() + u'=' + QString::number(it.value()));
            got.sort();
            QCOMPARE(got, expected);
        }
    }

    void catalogueRowWithoutEntryNumberRaises_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("letters") << "1\ta\nabc\tb";
        QTest::newRow("negative") << "-5\ta";
        QTest::newRow("blank before the number") << " 5\ta";
        QTest::newRow("empty first field") << "\tname";
    }

    void catalogueRowWithoutEntryNumberRaises()
    {
        QFETCH(QString, text);
        QVERIFY_THROWS_EXCEPTION(InvalidArgumentException, ModGlobal::ParseCatalogue(text));
    }

    void missingFolderIsCreated()
    {
        QVERIFY(!QFileInfo::exists(appDataFolder())); // the parent is missing too
        ModGlobal::RunStartupLoad({});
        QVERIFY(QFileInfo(bundleFolder()).isDir());
        QCOMPARE(ModGlobal::appSupportFolder, bundleFolder());
        QCOMPARE(Toolkit::SpecialFolder::ApplicationData(), appDataFolder());
    }

    void existingFolderIsLeftUntouched()
    {
        writeFile(bundleFolder() + QStringLiteral("/kept.txt"), "user data");
        const QDateTime before = QFileInfo(bundleFolder()).lastModified();
        const QStringList appData = QDir(appDataFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QTest::qSleep(20); // so that a rewrite would show in the time stamp
        Toolkit::MessageRecorder rec;
        ModGlobal::AppOpening({});
        QCOMPARE(rec.messages, QStringList());
        QCOMPARE(QDir(bundleFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"kept.txt"});
        QCOMPARE(QDir(appDataFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), appData);
        QCOMPARE(QFileInfo(bundleFolder()).lastModified(), before);
        QFile kept(bundleFolder() + QStringLiteral("/kept.txt"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("user data"));
        QCOMPARE(ModGlobal::appSupportFolder, bundleFolder());
    }

    void helpStoreIsFilledAfterTheFolderBeforeTheMaps()
    {
        bool called = false;
        ModGlobal::RunStartupLoad([&] {
            called = true;
            QVERIFY(QFileInfo(bundleFolder()).isDir());
            QVERIFY(!ModGlobal::dictKeyGlobal);
            QVERIFY(!ModGlobal::dictChronID_Global);
        });
        QVERIFY(called);
        QVERIFY(ModGlobal::dictKeyGlobal && ModGlobal::dictChronID_Global);
    }

    // A failure stops the load where it happens, is shown as the App.Opening alert and logged,
    // and the program goes on without maps; later lookups then fail in the caller's clause.
    void failedLoadShowsTheAlertAndCarriesOn_data()
    {
        QTest::addColumn<QString>("fileInTheWay"); // relative to HOME; empty: none
        QTest::addColumn<bool>("helpFails");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("helpCalled");
        QTest::addColumn<bool>("folderSet");
        QTest::newRow("file where the application-data folder's parent must be")
            << ".local" << false << "IOException" << false << false;
        QTest::newRow("file where the application's folder must be")
            << (QStringLiteral(".local/share/") + QLatin1String(ModGlobal::kBundleIdentifier)) << false << "IOException"
            << false << false;
        QTest::newRow("help fill raises") << "" << true << "KeyNotFoundException" << true << true;
    }

    void failedLoadShowsTheAlertAndCarriesOn()
    {
        QFETCH(QString, fileInTheWay);
        QFETCH(bool, helpFails);
        QFETCH(QString, type);
        QFETCH(bool, helpCalled);
        QFETCH(bool, folderSet);
        if (!fileInTheWay.isEmpty())
            writeFile(TestHome::path() + u'/' + fileInTheWay, "in the way");

        Toolkit::MessageRecorder rec;
        Toolkit::LogCapture log;
        bool called = false;
        ModGlobal::AppOpening([&] {
            called = true;
            if (helpFails)
                throw KeyNotFoundException(QStringLiteral("topic"));
        });

        QCOMPARE(rec.messages, QStringList{kOpeningAlert + type});
        QCOMPARE(log.lines(), QStringList{QStringLiteral("Exception: App: Opening")});
        QCOMPARE(called, helpCalled);
        QVERIFY(!ModGlobal::dictKeyGlobal);
        QVERIFY(!ModGlobal::dictChronID_Global);
        QCOMPARE(ModGlobal::appSupportFolder.isEmpty(), !folderSet);
        QVERIFY_THROWS_EXCEPTION(NilObjectException, ModGlobal::KeywordEntries(u"Desktop"));
        QVERIFY_THROWS_EXCEPTION(NilObjectException, ModGlobal::RowPosition(u"001"));
        if (!fileInTheWay.isEmpty()) {
            QFile file(TestHome::path() + u'/' + fileInTheWay);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("in the way")); // not replaced by a folder
        }
    }

    void folderThatCannotBeCreatedRaisesIOException()
    {
        writeFile(TestHome::path() + QStringLiteral("/.local"), "");
        try {
            ModGlobal::EnsureAppSupportFolder();
            QFAIL("no exception");
        } catch (const IOException &e) {
            QVERIFY(e.Message.contains(bundleFolder()));
            QVERIFY(e.ErrorNumber != 0);
        }
    }

    void resetMakesTheMapsAbsentAgain()
    {
        ModGlobal::RunStartupLoad({});
        ModGlobal::theFilter = QStringLiteral("ListBox.");
        ModGlobal::resetForTests();
        QVERIFY(!ModGlobal::dictKeyGlobal);
        QVERIFY(!ModGlobal::dictChronID_Global);
        QCOMPARE(ModGlobal::theFilter, QString());
        QCOMPARE(ModGlobal::appSupportFolder, QString());
    }
};

VANTREL_TEST_MAIN_CORE(TestModGlobal)
#include "tst_modglobal.moc"
