#include "tools/KeywordIndex.h"

#include "search/KeywordOrder.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

namespace KeywordIndex {

namespace {

bool isUpper(QChar c) { return c >= u'A' && c <= u'Z'; }

bool isLower(QChar c) { return c >= u'a' && c <= u'z'; }

bool isLetter(QChar c) { return isUpper(c) || isLower(c); }

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

bool isIdentifierChar(QChar c) { return isLetter(c) || isDigit(c) || c == u'_' || c == u'.'; }

using KeywordOrder::asCapital;

// Words that hold small letters but are one word all the same.
constexpr QStringView kWholeWords[] = {u"SQLite", u"FSRef", u"VRef", u"iOS"};

// Prose words that carry no search value.
const std::set<QString> &stopWords()
{
    static const std::set<QString> words = {
        QStringLiteral("a"),     QStringLiteral("an"),   QStringLiteral("and"), QStringLiteral("are"),
        QStringLiteral("as"),    QStringLiteral("at"),   QStringLiteral("be"),  QStringLiteral("by"),
        QStringLiteral("e.g"),   QStringLiteral("etc"),  QStringLiteral("for"), QStringLiteral("from"),
        QStringLiteral("has"),   QStringLiteral("have"), QStringLiteral("i.e"), QStringLiteral("if"),
        QStringLiteral("in"),    QStringLiteral("into"), QStringLiteral("is"),  QStringLiteral("it"),
        QStringLiteral("its"),   QStringLiteral("of"),   QStringLiteral("on"),  QStringLiteral("or"),
        QStringLiteral("than"),  QStringLiteral("that"), QStringLiteral("the"), QStringLiteral("then"),
        QStringLiteral("this"),  QStringLiteral("to"),   QStringLiteral("was"), QStringLiteral("were"),
        QStringLiteral("which"), QStringLiteral("with"),
    };
    return words;
}

// A key the rules may give: valid, at least two characters and not a bare number. The
// one-character and numeric keys of the index come from the hand-edit file.
bool isRuleKey(QStringView key)
{
    if (key.size() < 2 || !IsValidKeyword(key))
        return false;
    return !std::all_of(key.begin(), key.end(), isDigit);
}

QString joined(const QStringList &words, qsizetype from, qsizetype to)
{
    QString s;
    for (qsizetype k = from; k < to; ++k)
        s += words.at(k);
    return s;
}

void addKey(QStringList &keys, const QString &key)
{
    if (isRuleKey(key))
        keys.append(key);
}

void sortUnique(QStringList &keys)
{
    std::sort(keys.begin(), keys.end(), [](const QString &a, const QString &b) { return KeywordLess(a, b); });
    keys.erase(std::unique(keys.begin(), keys.end(),
                           [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }),
               keys.end());
}

bool allSmallLettersOrDots(QStringView s)
{
    return std::all_of(s.begin(), s.end(), [](QChar c) { return isLower(c) || c == u'.'; });
}

QStringList proseKeys(QStringView field)
{
    QStringList keys;
    qsizetype i = 0;
    const qsizetype n = field.size();
    const auto inChunk = [](QChar c) {
        return isIdentifierChar(c) || c == u'\'' || c == QChar(0x2018) || c == QChar(0x2019);
    };
    while (i < n) {
        if (!inChunk(field[i])) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < n && inChunk(field[end]))
            ++end;
        QStringView chunk = field.sliced(i, end - i);
        i = end;
        // A word with an apostrophe (don't) is not a search word.
        if (!std::all_of(chunk.begin(), chunk.end(), isIdentifierChar))
            continue;
        while (!chunk.isEmpty() && chunk.front() == u'.')
            chunk = chunk.sliced(1);
        while (!chunk.isEmpty() && chunk.back() == u'.')
            chunk.chop(1);
        if (chunk.isEmpty())
            continue;
        QString word = chunk.toString();
        if (allSmallLettersOrDots(chunk)) {
            if (stopWords().count(word))
                continue;
            word[0] = word[0].toUpper();
        }
        keys += IdentifierKeys(word);
    }
    return keys;
}

QString entryText(int entry) { return QString::number(entry).rightJustified(3, u'0'); }

bool parseEntry(QStringView s, int &entry)
{
    if (s.isEmpty() || s.size() > 6 || !std::all_of(s.begin(), s.end(), isDigit))
        return false;
    entry = s.toInt();
    return true;
}

struct Line
{
    QString spelling;
    std::set<int> entries;
};

QString foldKey(QStringView key)
{
    QString folded;
    folded.reserve(key.size());
    for (QChar c : key)
        folded += QChar(asCapital(c.unicode()));
    return folded;
}

QStringView withoutComment(QStringView line)
{
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'#' && (i == 0 || line[i - 1].isSpace()))
            return line.first(i);
    }
    return line;
}

QList<QStringView> words(QStringView line)
{
    QList<QStringView> tokens;
    qsizetype i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i].isSpace())
            ++i;
        const qsizetype start = i;
        while (i < line.size() && !line[i].isSpace())
            ++i;
        if (i > start)
            tokens.append(line.sliced(start, i - start));
    }
    return tokens;
}

} // namespace

bool IsValidKeyword(QStringView key)
{
    return !key.isEmpty() && key.size() <= kMaxKeywordLength && std::all_of(key.begin(), key.end(), isIdentifierChar);
}

bool KeywordLess(QStringView a, QStringView b) { return KeywordOrder::Less(a, b); }

QStringList SplitWords(QStringView s)
{
    const qsizetype n = s.size();
    if (n == 0)
        return {};
    std::vector<bool> cut(size_t(n) + 1, false);
    for (qsizetype i = 1; i < n; ++i) {
        const QChar c = s[i];
        const QChar before = s[i - 1];
        // Camel case (ListBox), or an acronym followed by a capitalised word (HTMLViewer).
        if (isUpper(c) && (isLower(before) || (isUpper(before) && i + 1 < n && isLower(s[i + 1]))))
            cut[size_t(i)] = true;
    }
    for (QStringView whole : kWholeWords) {
        for (qsizetype at = s.indexOf(whole); at >= 0; at = s.indexOf(whole, at + 1)) {
            // Only where a word may begin: at the start, at a cut, or (for iOS) after a letter.
            const bool starts = at == 0 || cut[size_t(at)] || (isLower(whole.front()) && isLetter(s[at - 1]));
            if (!starts)
                continue;
            if (at > 0)
                cut[size_t(at)] = true;
            for (qsizetype k = at + 1; k < at + whole.size(); ++k)
                cut[size_t(k)] = false;
        }
    }
    QStringList words;
    qsizetype start = 0;
    for (qsizetype i = 1; i <= n; ++i) {
        if (i == n || cut[size_t(i)]) {
            words.append(s.sliced(start, i - start).toString());
            start = i;
        }
    }
    return words;
}

QStringList IdentifierKeys(QStringView identifier)
{
    QStringView id = identifier;
    while (!id.isEmpty() && id.front() == u'.')
        id = id.sliced(1);
    while (!id.isEmpty() && id.back() == u'.')
        id.chop(1);
    QList<QStringView> parts;
    for (QStringView part : id.split(u'.', Qt::SkipEmptyParts))
        parts.append(part);
    if (parts.isEmpty())
        return {};

    // Only the last dot counts: the parts before it make one class part.
    QStringList classWords;
    for (qsizetype p = 0; p + 1 < parts.size(); ++p)
        classWords += SplitWords(parts.at(p));
    const QStringList memberWords = SplitWords(parts.back());
    const QStringList all = classWords + memberWords;

    QStringList keys;
    for (qsizetype from = 0; from < all.size(); ++from) {
        for (qsizetype to = from + 1; to <= all.size(); ++to)
            addKey(keys, joined(all, from, to));
    }
    const qsizetype a = classWords.size();
    for (qsizetype tail = 0; tail < a; ++tail) {
        const QString classTail = joined(classWords, tail, a);
        addKey(keys, classTail + u'.');
        for (qsizetype head = 1; head <= memberWords.size(); ++head)
            addKey(keys, classTail + u'.' + joined(memberWords, 0, head));
    }
    sortUnique(keys);
    return keys;
}

QStringList FieldKeys(QStringView field)
{
    const QStringView text = field.trimmed();
    if (text.isEmpty())
        return {};
    if (text == u"No Replacement")
        return {QStringLiteral("NoReplacement")};
    if (std::all_of(text.begin(), text.end(), isIdentifierChar))
        return IdentifierKeys(text);
    QStringList keys = proseKeys(text);
    sortUnique(keys);
    return keys;
}

Result Build(QStringView catalogueText, QStringView handEditText)
{
    Result result;
    // Keyed by the capitalised keyword, so keys that differ only in case share one line.
    std::map<QString, Line> lines;
    std::set<int> rows;

    const auto addTo = [&lines](const QString &key, int entry, bool respell) {
        Line &line = lines[foldKey(key)];
        if (line.spelling.isEmpty() || respell)
            line.spelling = key;
        if (entry >= 0)
            line.entries.insert(entry);
    };

    qsizetype rowNumber = 0;
    for (QStringView row : catalogueText.split(u'\n')) {
        ++rowNumber;
        const QList<QStringView> fields = row.split(u'\t');
        int entry = 0;
        if (fields.size() != 5 || !parseEntry(fields.at(0), entry)) {
            result.errors.append(
                QStringLiteral("catalogue row %1: not five tab-separated fields with an entry number: %2")
                    .arg(rowNumber)
                    .arg(row.toString()));
            continue;
        }
        if (!rows.insert(entry).second) {
            result.errors.append(QStringLiteral("catalogue row %1: entry %2 appears twice").arg(rowNumber).arg(entry));
            continue;
        }
        for (const QString &key : FieldKeys(fields.at(1)))
            addTo(key, entry, false);
        for (const QString &key : FieldKeys(fields.at(4)))
            addTo(key, entry, false);
    }

    std::set<int> excluded;
    qsizetype editNumber = 0;
    for (QStringView rawLine : handEditText.split(u'\n')) {
        ++editNumber;
        const QStringView line = withoutComment(rawLine).trimmed();
        if (line.isEmpty())
            continue;
        const QList<QStringView> tokens = words(line);
        const auto fail = [&](const QString &why) {
            result.errors.append(QStringLiteral("hand-edit line %1: %2: %3").arg(editNumber).arg(why, line.toString()));
        };
        const QStringView op = tokens.front();
        const bool exclude = op == u"!";
        if (op != u"+" && op != u"-" && !exclude) {
            fail(QStringLiteral("expected +, - or !"));
            continue;
        }
        const qsizetype firstEntry = exclude ? 1 : 2;
        if (!exclude && (tokens.size() < 2 || !IsValidKeyword(tokens.at(1)))) {
            fail(QStringLiteral("expected a keyword of letters, digits, \".\" and \"_\", at most 42 characters"));
            continue;
        }
        if ((op == u"+" || exclude) && tokens.size() <= firstEntry) {
            fail(QStringLiteral("expected entry numbers"));
            continue;
        }
        std::vector<int> entries;
        bool ok = true;
        for (qsizetype t = firstEntry; t < tokens.size(); ++t) {
            int entry = 0;
            if (!parseEntry(tokens.at(t), entry)) {
                fail(QStringLiteral("not an entry number: ") + tokens.at(t).toString());
                ok = false;
                break;
            }
            entries.push_back(entry);
        }
        if (!ok)
            continue;

        if (exclude) {
            excluded.insert(entries.begin(), entries.end());
            continue;
        }
        const QString keyword = tokens.at(1).toString();
        if (op == u"+") {
            for (int entry : entries) {
                if (!rows.count(entry)) {
                    result.warnings.append(
                        QStringLiteral("hand-edit line %1: entry %2 is not in the catalogue; skipped")
                            .arg(editNumber)
                            .arg(entryText(entry)));
                    continue;
                }
                addTo(keyword, entry, true);
            }
            continue;
        }
        const auto it = lines.find(foldKey(keyword));
        if (it == lines.end()) {
            result.warnings.append(QStringLiteral("hand-edit line %1: %2 is not in the index; nothing removed")
                                       .arg(editNumber)
                                       .arg(keyword));
            continue;
        }
        if (entries.empty())
            lines.erase(it);
        else
            for (int entry : entries)
                it->second.entries.erase(entry);
    }

    if (!result.ok())
        return result;

    std::vector<const Line *> order;
    order.reserve(lines.size());
    for (auto &[folded, line] : lines) {
        for (int entry : excluded)
            line.entries.erase(entry);
        if (!line.entries.empty())
            order.push_back(&line);
    }
    std::sort(order.begin(), order.end(),
              [](const Line *a, const Line *b) { return KeywordLess(a->spelling, b->spelling); });

    QString &text = result.text;
    for (const Line *line : order) {
        if (!text.isEmpty())
            text += u'\n';
        text += line->spelling;
        for (int entry : line->entries) {
            text += u' ';
            text += entryText(entry);
        }
    }
    return result;
}

} // namespace KeywordIndex
