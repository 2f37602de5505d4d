// Start-up with one compiled-in table damaged. Each case is its own build of this test
// (VANTREL_CORRUPT_CASE), linked with a damaged copy of one table in place of the shipped one:
// the program starts, says what it must, and every later search either answers from what loaded
// or reports, never crashes.

#include "common/GuiTestMain.h"

#include "../windows/BrowserTestSupport.h"

#include "catalogue/CatalogueText.h"
#include "toolkit/Window.h"

#include <QFile>

using namespace BrowserTest;

namespace {

const QString kCase = QStringLiteral(VANTREL_CORRUPT_CASE);

QStringList shippedLines(const char *relativePath)
{
    QFile file(QStringLiteral(VANTREL_SOURCE_DIR "/") + QLatin1String(relativePath));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n');
}

QStringList desktopFiles() { return QDir(TestHome::path() + QStringLiteral("/Desktop")).entryList(QDir::Files); }

} // namespace

class TestCorruptTables : public QObject
{
    Q_OBJECT

private:
    QStringList m_reports;

    // Types text into the main window's search field one key at a time; answers how many of its
    // prefixes are keywords of the loaded index (each such run reaches the catalogue lookup).
    static int typeAndCountLookups(BrowserWindow *w, const QString &text)
    {
        int lookups = 0;
        for (qsizetype i = 1; i <= text.size(); ++i) {
            QTest::keyClick(w->tfSearch(), text.at(i - 1).toLatin1());
            if (ModGlobal::dictKeyGlobal && !ModGlobal::KeywordEntries(text.left(i)).isEmpty())
                ++lookups;
        }
        return lookups;
    }

private slots:
    void startUpAndSearch()
    {
        Toolkit::MessageRecorder messages;
        HookScope<ErrorHandling::ReportOpener> reports(&ErrorHandling::setReportOpener,
                                                       [this](const QString &text) { m_reports.append(text); });
        HookScope<Help::HelpWindowOpener> opener(&Help::setWindowOpener,
                                                 [](bool, const QString &, const QString &, qint64, qint64) {});
        App::instance()->Opening();
        BrowserWindow *w = BrowserWindow::existing(BrowserWindow::Layout::Main);
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->lbRecent()->RowCount(), Catalogue::DEPRECATIONS_TEXT().split(u'\n').size());
        QCOMPARE(w->lbHistory()->RowCount(), Catalogue::OLD_DEPRECATIONS_TEXT().split(u'\n').size());

        if (kCase == u"catalogue_number") {
            // A row whose entry number is not a number stops the load before the row map: the
            // alert, and each later search that reaches the catalogue lookup reports.
            QCOMPARE(messages.messages,
                     QStringList{QStringLiteral("Oops! App.Opening\nEVENT HANDLER: App\nEVENT "
                                                "NAME: Opening\nTYPE: InvalidArgumentException")});
            QVERIFY(ModGlobal::dictKeyGlobal);
            QVERIFY(!ModGlobal::dictChronID_Global);
            const int lookups = typeAndCountLookups(w, QStringLiteral("ListBox"));
            QVERIFY(lookups > 0);
            QCOMPARE(m_reports.size(), lookups);
            for (const QString &report : std::as_const(m_reports))
                QVERIFY(report.startsWith(QStringLiteral("NilObjectException in winMain.DoSearchFilter")));
            QCOMPARE(w->lbSearch()->RowCount(), 0);
        } else if (kCase == u"keywords_malformed") {
            // Lines outside the index's form are skipped; every well-formed line loads and
            // searches answer from it.
            QVERIFY(Catalogue::KEYWORDS_TEXT().startsWith(QStringLiteral("NoBlankHere\n"))); // the damaged copy
            QCOMPARE(messages.messages, QStringList());
            QCOMPARE(ModGlobal::KeyGlobal().KeyCount(), shippedLines("catalogue/KEYWORDS_TEXT.txt").size());
            for (const char *absent : {"NoBlankHere", "TrailingBlank", "AnotherWithoutBlank", ""})
                QCOMPARE(ModGlobal::KeywordEntries(QString::fromLatin1(absent)), QString());
            typeAndCountLookups(w, QStringLiteral("ListBox"));
            QCOMPARE(Shown::of(w), Shown::applied(QStringLiteral("ListBox")));
            QVERIFY(w->lbSearch()->RowCount() > 0);
            QCOMPARE(m_reports, QStringList());
        } else if (kCase == u"old_catalogue_fields") {
            // Rows with fields missing or added show what they have; nothing else changes.
            QCOMPARE(messages.messages, QStringList());
            QVERIFY(ModGlobal::dictKeyGlobal && ModGlobal::dictChronID_Global);
            QCOMPARE(w->lbHistory()->CellTextAt(2, 0), QStringLiteral("003"));
            QCOMPARE(w->lbHistory()->CellTextAt(2, 2), QString());
            for (int row = 0; row < w->lbHistory()->RowCount(); ++row)
                w->lbHistory()->setSelectedRowIndex(row);
            typeAndCountLookups(w, QStringLiteral("ListBox"));
            QCOMPARE(Shown::of(w), Shown::applied(QStringLiteral("ListBox")));
            QCOMPARE(m_reports, QStringList());
        } else if (kCase == u"help_record") {
            // A help record with a field too many: the help store's own message and its copy of
            // the text on the Desktop; the maps load, searches work, and a help button says the
            // topic is missing.
            QCOMPARE(messages.messages,
                     QStringList{QStringLiteral("HELP_TEXT is incorrectly formatted. Some entries not correctly "
                                                "broken up by unit separators.")});
            QCOMPARE(desktopFiles().size(), 1);
            QVERIFY(desktopFiles().constFirst().endsWith(QStringLiteral("BadOriginal.txt")));
            QVERIFY(Help::helpDict && Help::helpDict->isEmpty());
            QVERIFY(ModGlobal::dictKeyGlobal && ModGlobal::dictChronID_Global);
            typeAndCountLookups(w, QStringLiteral("ListBox"));
            QCOMPARE(Shown::of(w), Shown::applied(QStringLiteral("ListBox")));
            messages.messages.clear();
            w->pbHelp1()->click();
            QCOMPARE(messages.messages, QStringList{QStringLiteral("No Dictionary Entry for Key 1")});
            QCOMPARE(m_reports, QStringList());
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown case ") + kCase));
        }
        closeAllBrowserWindows();
    }
};

VANTREL_TEST_MAIN_GUI(TestCorruptTables)
#include "tst_corrupttables.moc"
