#pragma once
// Shared by the browser-window tests: the catalogue rows a keyword must show (read from the
// compiled-in tables and the loaded index, not from the window), the rows a list shows, and a
// fixture that loads the global maps, records what would block or leave the process (message
// boxes, help windows, reports, quitting) and closes every browser window after each test.

#include "common/HookScope.h"
#include "common/QuitHookScope.h"

#include "app/App.h"
#include "catalogue/CatalogueText.h"
#include "catalogue/ModGlobal.h"
#include "errors/ErrorHandling.h"
#include "help/Help.h"
#include "search/Search.h"
#include "toolkit/Controls.h"
#include "toolkit/ListBox.h"
#include "toolkit/RuntimeException.h"
#include "toolkit/System.h"
#include "windows/BrowserWindow.h"

#include <QtTest>

namespace BrowserTest {

inline QStringList catalogueLines() { return Catalogue::DEPRECATIONS_TEXT().split(QLatin1Char('\n')); }

inline QStringList cells(const QString &line, int columns)
{
    QStringList c = line.split(QLatin1Char('\t'));
    while (c.size() < columns)
        c.append(QString());
    return c.mid(0, columns);
}

// The keyword's catalogue rows, in the order of its entry-number list.
inline QList<QStringList> expectedRows(const QString &keyword)
{
    const QStringList lines = catalogueLines();
    QList<QStringList> rows;
    const QString entries = ModGlobal::KeywordEntries(keyword);
    if (entries.isEmpty())
        return rows;
    for (const QString &number : entries.split(QLatin1Char(' '))) {
        const qint64 position = ModGlobal::RowPosition(number);
        if (position >= 0)
            rows.append(cells(lines.at(position), 5));
    }
    return rows;
}

inline qsizetype entryCount(const QString &keyword)
{
    const QString entries = ModGlobal::KeywordEntries(keyword);
    return entries.isEmpty() ? 0 : entries.split(QLatin1Char(' ')).size();
}

inline QList<QStringList> shownRows(const Toolkit::ListBox *list)
{
    QList<QStringList> rows;
    for (int r = 0; r < list->RowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < list->ColumnCount(); ++c)
            row.append(list->CellTextAt(r, c));
        rows.append(row);
    }
    return rows;
}

// Shown row index of the first row whose cell in `column` is `text`; -1 when none.
inline int findRow(const Toolkit::ListBox *list, int column, const QString &text)
{
    for (int r = 0; r < list->RowCount(); ++r) {
        if (list->CellTextAt(r, column) == text)
            return r;
    }
    return -1;
}

inline void closeAllBrowserWindows()
{
    for (auto layout : {BrowserWindow::Layout::Main, BrowserWindow::Layout::ExpandFilter})
        delete BrowserWindow::existing(layout);
    // Windows closed by a switch are deleted later; finish that now.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

struct HelpRequest
{
    bool isHtml;
    QString title;
    QString content;
};

// Everything a browser-window test needs around the window. The seams are scopes, so they are
// put back however a test ends.
class Fixture
{
public:
    Fixture()
    {
        ModGlobal::resetForTests();
        ModGlobal::RunStartupLoad({});
        Help::FillDictionaryFromHELP_TEXT();
    }

    ~Fixture()
    {
        closeAllBrowserWindows();
        ModGlobal::resetForTests();
    }

    Fixture(const Fixture &) = delete;
    Fixture &operator=(const Fixture &) = delete;

    Toolkit::MessageRecorder messages;
    QList<HelpRequest> helpRequests;
    QStringList reports;
    QList<int> quitRequests;

private:
    HookScope<Help::HelpWindowOpener> m_opener{
        &Help::setWindowOpener, [this](bool isHtml, const QString &content, const QString &title, qint64, qint64) {
            helpRequests.append({isHtml, title, content});
        }};
    HookScope<ErrorHandling::ReportOpener> m_report{&ErrorHandling::setReportOpener,
                                                    [this](const QString &text) { reports.append(text); }};
    QuitHookScope m_quit{[this](int code) { quitRequests.append(code); }};
};

// What the filter shows: keyword label, count label, rows and the applied keyword.
struct Shown
{
    QString keyword;
    QString count;
    QList<QStringList> rows;
    QString searchText;

    static Shown of(const BrowserWindow *w)
    {
        return {w->labSearch()->Text(), w->labSearchNum()->Text(), shownRows(w->lbSearch()), w->searchText()};
    }
    // The display for keyword K applied as typed.
    static Shown applied(const QString &typed)
    {
        return {typed, Search::HitCountText(entryCount(typed)), expectedRows(typed), typed};
    }
    static Shown cleared() { return {QString(), QString(), {}, QString()}; }
    static Shown initial() { return {QStringLiteral("*"), QStringLiteral("."), {}, QString()}; }

    bool operator==(const Shown &o) const
    {
        return keyword == o.keyword && count == o.count && rows == o.rows && searchText == o.searchText;
    }
};

inline char *describe(const Shown &d)
{
    return QTest::toString(QStringLiteral("keyword \"%1\", count \"%2\", %3 rows, searchText \"%4\"")
                               .arg(d.keyword, d.count)
                               .arg(d.rows.size())
                               .arg(d.searchText));
}

} // namespace BrowserTest

namespace QTest {
template<>
inline char *toString(const BrowserTest::Shown &d)
{
    return BrowserTest::describe(d);
}
} // namespace QTest
