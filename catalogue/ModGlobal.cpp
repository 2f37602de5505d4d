#include "catalogue/ModGlobal.h"

#include "catalogue/CatalogueText.h"
#include "errors/CatchClause.h"
#include "toolkit/Files.h"
#include "toolkit/RuntimeException.h"
#include "toolkit/UserFolders.h"

namespace ModGlobal {

std::optional<KeywordDictionary> dictKeyGlobal;
std::optional<ChronDictionary> dictChronID_Global;
QString theFilter;
QString appSupportFolder;

namespace {

// The compiled-in tables live for the whole run, so the maps may point into them instead of
// copying 10,000 keys and values at every start.
QString textOf(QStringView part, TextStorage storage)
{
    return storage == TextStorage::Static ? QString::fromRawData(part.data(), part.size()) : part.toString();
}

// Calls f(line) for each line of text split at the line feed (the last line has none).
template<typename F>
void forEachLine(QStringView text, F &&f)
{
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start <= n) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = n;
        f(text.sliced(start, end - start));
        start = end + 1;
    }
}

// Room for every line without rehashing: index lines average 25 characters, catalogue rows 59.
qsizetype expectedLines(QStringView text, qsizetype averageLength) { return text.size() / averageLength + 16; }

QString entryKey(QStringView field, TextStorage storage)
{
    if (field.isEmpty() || field.size() > 18)
        return QString();
    qint64 value = 0;
    for (QChar c : field) {
        if (c < u'0' || c > u'9')
            return QString();
        value = value * 10 + (c.unicode() - u'0');
    }
    // The field already is the key when it has three digits or more and no leading zero.
    if (field.size() >= 3 && field.front() != u'0')
        return textOf(field, storage);
    return QString::number(value).rightJustified(3, u'0');
}

} // namespace

KeywordDictionary ParseKeywordIndex(QStringView text, TextStorage storage)
{
    KeywordDictionary dict;
    dict.reserve(expectedLines(text, 20));
    forEachLine(text, [&](QStringView line) {
        const qsizetype blank = line.indexOf(u' ');
        // Outside the format: no blank, no keyword, or no entry numbers.
        if (blank <= 0 || blank == line.size() - 1)
            return;
        dict.Value(textOf(line.first(blank), storage), textOf(line.sliced(blank + 1), storage));
    });
    return dict;
}

ChronDictionary ParseCatalogue(QStringView text, TextStorage storage)
{
    ChronDictionary dict;
    dict.reserve(expectedLines(text, 40));
    qint64 position = 0;
    forEachLine(text, [&](QStringView row) {
        const qint64 j = position++;
        if (row.isEmpty())
            return;
        qsizetype tab = row.indexOf(u'\t');
        const QStringView field = tab < 0 ? row : row.first(tab);
        const QString key = entryKey(field, storage);
        if (key.isEmpty())
            throw InvalidArgumentException(
                QStringLiteral("Catalogue row %1 has no entry number: %2").arg(j).arg(field.toString()));
        dict.insert(key, j);
    });
    return dict;
}

const KeywordDictionary &KeyGlobal()
{
    if (!dictKeyGlobal)
        throw NilObjectException();
    return *dictKeyGlobal;
}

const ChronDictionary &ChronIDGlobal()
{
    if (!dictChronID_Global)
        throw NilObjectException();
    return *dictChronID_Global;
}

QString KeywordEntries(QStringView keyword) { return KeyGlobal().Lookup(keyword, QString()); }

qint64 RowPosition(QStringView entryText)
{
    const ChronDictionary &dict = ChronIDGlobal();
    const auto it = dict.constFind(entryText.toString());
    return it == dict.cend() ? -1 : it.value();
}

QString EnsureAppSupportFolder()
{
    QString folder = Toolkit::SpecialFolder::ApplicationData() + u'/' + QLatin1String(kBundleIdentifier);
    // An existing folder is left untouched; a file of that name stops the load.
    Toolkit::Files::MakeFolders(folder);
    return folder;
}

void RunStartupLoad(const std::function<void()> &fillHelp)
{
    // The folder is recorded only once it exists, so appSupportFolder never names a missing one.
    appSupportFolder = EnsureAppSupportFolder();

    if (fillHelp)
        fillHelp();

    // Each map appears only when complete: a failed step leaves it absent, and a later search
    // reports that instead of quietly finding less.
    dictKeyGlobal.reset();
    dictKeyGlobal = ParseKeywordIndex(Catalogue::KEYWORDS_TEXT_View(), TextStorage::Static);

    dictChronID_Global.reset();
    dictChronID_Global = ParseCatalogue(Catalogue::DEPRECATIONS_TEXT_View(), TextStorage::Static);
}

void AppOpening(const std::function<void()> &fillHelp)
{
    static constexpr HandlerId id{"App", "", "Opening", HandlerKind::AppOpening, ClauseForm::Alert};
    Guard(id, [&] { RunStartupLoad(fillHelp); });
}

void resetForTests()
{
    dictKeyGlobal.reset();
    dictChronID_Global.reset();
    theFilter.clear();
    appSupportFolder.clear();
}

} // namespace ModGlobal
