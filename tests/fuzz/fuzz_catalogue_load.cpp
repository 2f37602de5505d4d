// The start-up parsers on any text: the keyword index and the catalogue's row positions,
// each against a model of its line format.

#include "catalogue/ModGlobal.h"
#include "tests/fuzz/FuzzCheck.h"
#include "toolkit/RuntimeException.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>

namespace {

bool isKeywordCharacter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'.' || c == u'_';
}

bool isWellFormedKeyword(QStringView keyword)
{
    if (keyword.isEmpty())
        return false;
    for (QChar c : keyword) {
        if (!isKeywordCharacter(c))
            return false;
    }
    return true;
}

void checkKeywordIndex(const QString &text)
{
    const ModGlobal::KeywordDictionary dict = ModGlobal::ParseKeywordIndex(text);

    // The model: every line is "keyword rest" split at its first blank; a later line replaces
    // an earlier one of the same keyword, letter case ignored.
    QHash<QString, QString> model;
    QList<QString> wellFormed;
    for (QStringView line : QStringView(text).split(u'\n')) {
        const qsizetype blank = line.indexOf(u' ');
        if (blank <= 0 || blank == line.size() - 1)
            continue;
        const QStringView keyword = line.first(blank);
        model.insert(keyword.toString().toCaseFolded(), line.sliced(blank + 1).toString());
        if (isWellFormedKeyword(keyword))
            wellFormed.append(keyword.toString());
    }

    // No value is empty, so the empty fallback tells "absent" apart.
    for (const QString &keyword : wellFormed) {
        const QString found = dict.Lookup(keyword, QString());
        FUZZ_CHECK(!found.isEmpty());
        FUZZ_CHECK(found == model.value(keyword.toCaseFolded()));
        FUZZ_CHECK(dict.HasKey(keyword.toUpper()) && dict.HasKey(keyword.toLower()));
    }
    FUZZ_CHECK(dict.KeyCount() == model.size());

    // Keys outside the text: a made-up one and each well-formed keyword with a character added.
    const QString fallback = QStringLiteral("\u2205 fallback");
    QList<QString> absent{QStringLiteral("no.such_keyword.0")};
    for (const QString &keyword : wellFormed)
        absent.append(keyword + u'#');
    for (const QString &key : absent) {
        if (model.contains(key.toCaseFolded()))
            continue;
        FUZZ_CHECK(!dict.HasKey(key));
        FUZZ_CHECK(dict.Lookup(key, fallback) == fallback);
    }
}

// The first field's own number when it is one the format accepts (decimal, at most 18 digits).
bool isEntryNumber(QStringView field)
{
    if (field.isEmpty() || field.size() > 18)
        return false;
    for (QChar c : field) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

void checkCatalogue(const QString &text)
{
    const QList<QStringView> rows = QStringView(text).split(u'\n');
    bool expectFailure = false;
    QHash<QString, qint64> plainKeys; // three digits or more, no leading zero: the key as written
    for (qsizetype j = 0; j < rows.size(); ++j) {
        const QStringView row = rows.at(j);
        if (row.isEmpty())
            continue;
        const qsizetype tab = row.indexOf(u'\t');
        const QStringView field = tab < 0 ? row : row.first(tab);
        if (!isEntryNumber(field)) {
            expectFailure = true;
            break;
        }
        if (field.size() >= 3 && field.front() != u'0')
            plainKeys.insert(field.toString(), j);
    }

    try {
        const ModGlobal::ChronDictionary dict = ModGlobal::ParseCatalogue(text);
        FUZZ_CHECK(!expectFailure);
        for (auto it = plainKeys.cbegin(); it != plainKeys.cend(); ++it) {
            FUZZ_CHECK(dict.contains(it.key()));
            // Another spelling of the same number (leading zeros) may name a later row.
            FUZZ_CHECK(dict.value(it.key()) >= it.value());
            FUZZ_CHECK(dict.value(it.key()) < rows.size());
        }
    } catch (const InvalidArgumentException &) {
        FUZZ_CHECK(expectFailure);
    } catch (const RuntimeException &) {
        // Only the documented failure belongs to a bad row.
        FUZZ_CHECK(false);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    checkKeywordIndex(text);
    checkCatalogue(text);
    return 0;
}
