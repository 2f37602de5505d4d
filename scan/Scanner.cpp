#include "scan/Scanner.h"

#include "scan/EmbeddedTables.h"

#include <QSet>

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

namespace Scan {

QString ConfidenceWord(Confidence c)
{
    switch (c) {
    case Confidence::Low:
        return QStringLiteral("low");
    case Confidence::Medium:
        return QStringLiteral("medium");
    case Confidence::High:
        break;
    }
    return QStringLiteral("high");
}

std::optional<Confidence> ConfidenceFromText(QStringView text)
{
    if (text.compare(u"low", Qt::CaseInsensitive) == 0)
        return Confidence::Low;
    if (text.compare(u"medium", Qt::CaseInsensitive) == 0)
        return Confidence::Medium;
    if (text.compare(u"high", Qt::CaseInsensitive) == 0)
        return Confidence::High;
    return std::nullopt;
}

namespace {

using Catalogue::Row;

struct StringHash
{
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};
template<typename V>
using StrMap = std::unordered_map<std::string, V, StringHash, std::equal_to<>>;
using StrSet = std::unordered_set<std::string, StringHash, std::equal_to<>>;

std::string lowerOf(std::string_view s)
{
    std::string out(s);
    for (char &c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return out;
}

std::string lowerOf(const QString &s) { return lowerOf(std::string_view(s.toUtf8().toStdString())); }

enum Keyword : quint8 {
    KwNone,
    KwAs,
    KwNew,
    KwIsA,
    KwInherits,
    KwMe,
    KwSelf,
    KwSuper,
    KwHandles,
    KwRem,
    KwSub,
    KwFunction,
    KwEvent,
    KwDeclare,
    KwDelegate,
};

enum class FunctionForm : quint8 {
    Call,
    Command,
    Value
};

struct Word
{
    int type = -1;     // index into Impl::rowList of a bare type
    int function = -1; // index into Impl::functions
    int member = -1;   // index into Impl::memberLists
    Keyword keyword = KwNone;
    std::string_view key; // the lowered identifier, set once the table is complete
};

// Identifier -> Word, keyed by the ASCII-lowered identifier, hashed while lowering: one probe
// per identifier of the scanned code.
class WordTable
{
public:
    // ASCII capitals of eight bytes at once made small; other bytes unchanged.
    static quint64 lower8(quint64 x)
    {
        constexpr quint64 ones = 0x0101010101010101ULL;
        const quint64 seven = x & (0x7F * ones);
        const quint64 atLeastA = seven + (0x80 - 'A') * ones;
        const quint64 aboveZ = seven + (0x80 - 'Z' - 1) * ones;
        const quint64 capital = atLeastA & ~aboveZ & ~x & (0x80 * ones);
        return x | (capital >> 2);
    }

    // Of an identifier in any letter case: its length and its first and last eight bytes
    // lowered, so the lexer hashes it with two loads instead of work per character.
    static quint64 hashOf(quint64 head, quint64 tail, size_t n)
    {
        quint64 h = (lower8(head) ^ (lower8(tail) * 0x9E3779B97F4A7C15ULL)) + n;
        h ^= h >> 29;
        h *= 0xBF58476D1CE4E5B9ULL;
        return h ^ (h >> 32);
    }
    static quint64 hashOf(const char *p, size_t n)
    {
        quint64 head = 0, tail = 0;
        std::memcpy(&head, p, std::min<size_t>(n, 8));
        if (n > 8)
            std::memcpy(&tail, p + n - 8, 8);
        return hashOf(head, tail, n);
    }

    Word &insert(std::string_view key)
    {
        if ((m_used + 1) * 2 > m_slots.size())
            grow();
        const quint64 h = hashOf(key.data(), key.size());
        Slot *s = probe(key, h);
        if (!s->used) {
            s->used = true;
            s->hash = h;
            s->key = std::string(key);
            ++m_used;
        }
        return s->word;
    }

    // Points each word at its own key; after this the table must not grow.
    void finalize()
    {
        for (Slot &s : m_slots)
            if (s.used)
                s.word.key = s.key;
    }

    const Word *find(std::string_view key, quint64 h) const
    {
        if (m_slots.empty())
            return nullptr;
        const Slot *s = const_cast<WordTable *>(this)->probe(key, h);
        return s->used ? &s->word : nullptr;
    }

    // An identifier as written, letter case ignored.
    const Word *findAnyCase(const char *p, size_t n, quint64 h) const
    {
        if (m_slots.empty())
            return nullptr;
        const size_t mask = m_slots.size() - 1;
        for (size_t i = size_t(h) & mask;; i = (i + 1) & mask) {
            const Slot &s = m_slots[i];
            if (!s.used)
                return nullptr;
            if (s.hash == h && s.key.size() == n) {
                size_t k = 0;
                while (k < n && (p[k] | ((p[k] >= 'A' && p[k] <= 'Z') ? 0x20 : 0)) == s.key[k])
                    ++k;
                if (k == n)
                    return &s.word;
            }
        }
    }

private:
    struct Slot
    {
        quint64 hash = 0;
        std::string key;
        Word word;
        bool used = false;
    };

    Slot *probe(std::string_view key, quint64 h)
    {
        const size_t mask = m_slots.size() - 1;
        for (size_t i = size_t(h) & mask;; i = (i + 1) & mask) {
            Slot &s = m_slots[i];
            if (!s.used || (s.hash == h && s.key == key))
                return &s;
        }
    }

    void grow()
    {
        std::vector<Slot> old = std::move(m_slots);
        m_slots.assign(old.empty() ? 256 : old.size() * 2, Slot());
        m_used = 0;
        for (Slot &s : old)
            if (s.used) {
                Slot *t = probe(s.key, s.hash);
                *t = std::move(s);
                ++m_used;
            }
    }

    std::vector<Slot> m_slots;
    size_t m_used = 0;
};

struct MemberRow
{
    std::string cls; // lower
    const Row *row;
};

} // namespace

struct ScanCatalogue::Impl
{
    WordTable words;
    std::vector<const Row *> typeRows;
    struct Function
    {
        const Row *row;
        FunctionForm form;
    };
    std::vector<Function> functions;
    std::vector<std::vector<MemberRow>> memberLists;
    StrMap<const Row *> types;               // full lower name -> row
    StrMap<StrMap<const Row *>> classMember; // "listbox" -> "cell" -> row
    StrSet knownClasses;                     // classes owning member rows, and bare types
    StrSet ambiguous;
    StrSet sameName; // members whose replacement keeps their name
    StrMap<std::string> frameworkSuper;

    const Row *memberRow(std::string_view cls, std::string_view member) const
    {
        const auto c = classMember.find(cls);
        if (c == classMember.end())
            return nullptr;
        const auto it = c->second.find(member);
        return it == c->second.end() ? nullptr : it->second;
    }
    const Row *typeRow(std::string_view name) const
    {
        const auto it = types.find(name);
        return it == types.end() ? nullptr : it->second;
    }
};

namespace {

// Character classes by table: 1 starts an identifier, 2 continues one.
struct CharClasses
{
    quint8 v[256] = {};
    constexpr CharClasses()
    {
        for (int c = 0; c < 256; ++c) {
            const bool start = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 0x80;
            v[c] = quint8((start ? 1 : 0) | ((start || (c >= '0' && c <= '9')) ? 2 : 0));
        }
    }
};
constexpr CharClasses kChars;

bool isIdentStart(char c) { return kChars.v[static_cast<unsigned char>(c)] & 1; }
bool isIdentChar(char c) { return kChars.v[static_cast<unsigned char>(c)] & 2; }

bool isDottedIdentifier(QStringView name)
{
    if (name.isEmpty())
        return false;
    bool start = true;
    for (QChar c : name) {
        if (c == u'.') {
            if (start)
                return false;
            start = true;
            continue;
        }
        if (!(c.isLetterOrNumber() || c == u'_'))
            return false;
        start = false;
    }
    return !start;
}

// Lines of a data file without comments and blanks.
QList<QStringList> dataLines(QStringView text)
{
    QList<QStringList> out;
    for (QStringView line : text.tokenize(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        out.append(line.toString().split(u' ', Qt::SkipEmptyParts));
    }
    return out;
}

} // namespace

ScanCatalogue::ScanCatalogue(const Catalogue::Rows &rows, QStringView functionsText, QStringView ambiguousText,
                             QStringView frameworkText)
    : m_rows(rows)
    , d(std::make_unique<Impl>())
{
    for (const QStringList &l : dataLines(frameworkText))
        if (l.size() >= 2)
            d->frameworkSuper.emplace(lowerOf(l[0]), lowerOf(l[1]));
    QHash<QString, FunctionForm> listed;
    for (const QStringList &l : dataLines(functionsText)) {
        FunctionForm form = FunctionForm::Call;
        if (l.size() > 1 && l[1] == u"command")
            form = FunctionForm::Command;
        else if (l.size() > 1 && l[1] == u"value")
            form = FunctionForm::Value;
        listed.insert(l[0].toLower(), form);
    }
    for (const QStringList &l : dataLines(ambiguousText))
        d->ambiguous.insert(lowerOf(l[0]));

    static const std::pair<const char *, Keyword> keywords[] = {
        {"as", KwAs},           {"new", KwNew},          {"isa", KwIsA},           {"inherits", KwInherits},
        {"me", KwMe},           {"self", KwSelf},        {"super", KwSuper},       {"handles", KwHandles},
        {"rem", KwRem},         {"sub", KwSub},          {"function", KwFunction}, {"event", KwEvent},
        {"declare", KwDeclare}, {"delegate", KwDelegate}};
    for (const auto &[word, kw] : keywords)
        d->words.insert(word).keyword = kw;

    // Classes first: a bare name that owns members is a class even when its replacement is a member.
    QSet<QString> owners;
    for (const Row &row : m_rows.all()) {
        const qsizetype dot = row.name.lastIndexOf(u'.');
        if (dot > 0 && isDottedIdentifier(row.name))
            owners.insert(row.name.first(dot).toLower());
    }
    for (const Row &row : m_rows.all()) {
        if (!isDottedIdentifier(row.name))
            continue;
        const std::string full = lowerOf(row.name);
        d->types.emplace(full, &row);
        const size_t dot = full.rfind('.');
        if (dot == std::string::npos) {
            const QString key = row.name.toLower();
            const bool function = listed.contains(key)
                || (!owners.contains(key) && row.replacement.contains(u'.') && !row.replacement.contains(u' '));
            Word &w = d->words.insert(full);
            if (function) {
                w.function = int(d->functions.size());
                d->functions.push_back({&row, listed.value(key, FunctionForm::Call)});
            } else {
                w.type = int(d->typeRows.size());
                d->typeRows.push_back(&row);
                d->knownClasses.insert(full);
            }
            continue;
        }
        const std::string cls = full.substr(0, dot);
        const std::string member = full.substr(dot + 1);
        d->classMember[cls].emplace(member, &row);
        d->knownClasses.insert(cls);
        Word &w = d->words.insert(member);
        if (w.member < 0) {
            w.member = int(d->memberLists.size());
            d->memberLists.emplace_back();
        }
        d->memberLists[size_t(w.member)].push_back({cls, &row});
        const qsizetype rdot = row.replacement.lastIndexOf(u'.');
        if (rdot > 0
            && row.replacement.sliced(rdot + 1).compare(row.name.sliced(qsizetype(dot) + 1), Qt::CaseInsensitive) == 0)
            d->sameName.insert(member);
    }
    d->words.finalize();
}

ScanCatalogue::~ScanCatalogue() = default;

QString ScanCatalogue::BuiltinFunctionsText() { return EmbeddedGlobalFunctions(); }
QString ScanCatalogue::BuiltinAmbiguousText() { return EmbeddedAmbiguousMembers(); }
QString ScanCatalogue::BuiltinFrameworkText() { return EmbeddedFrameworkClasses(); }

const ScanCatalogue &ScanCatalogue::Builtin()
{
    static const ScanCatalogue catalogue(Catalogue::Rows::Builtin(), BuiltinFunctionsText(), BuiltinAmbiguousText(),
                                         BuiltinFrameworkText());
    return catalogue;
}

namespace {

enum class Tk : quint8 {
    Ident,
    Dot,
    LParen,
    RParen,
    Comma,
    Eq,
    Str,
    Num,
    Op
};

struct Token
{
    Tk kind;
    int line;   // index in Item::lines
    int start;  // byte offset in the line
    int length; // bytes
    const char *p;
    const Word *word; // identifiers known to the catalogue or the lexer
};

// The tokens of one logical line; a plain growing array, cleared and reused line after line.
class TokenList
{
public:
    void push_back(const Token &t)
    {
        if (m_size == m_items.size())
            m_items.resize(m_items.size() * 2 + 64);
        m_items[m_size++] = t;
    }
    void pop_back() { --m_size; }
    void clear() { m_size = 0; }
    bool empty() const { return m_size == 0; }
    size_t size() const { return m_size; }
    const Token &operator[](size_t i) const { return m_items[i]; }
    const Token &front() const { return m_items[0]; }
    const Token &back() const { return m_items[m_size - 1]; }

private:
    std::vector<Token> m_items;
    size_t m_size = 0;
};

struct TypeRef
{
    std::string type; // lower, dotted
    bool array = false;
};

struct ClassInfo
{
    std::string name; // lower
    std::string super;
    const Item *item = nullptr;
    StrSet methods;
    StrSet hooks;
    StrMap<TypeRef> props;
    StrMap<std::string> controls; // lower name -> lower class
    bool isModule = false;
    const ClassInfo *superInfo = nullptr; // the super when it is the project's own class
};

class Scanner
{
public:
    Scanner(const Project &project, const ScanCatalogue &catalogue, Confidence minConfidence)
        : m_project(project)
        , m_cat(catalogue.impl())
        , m_minConfidence(minConfidence)
    {}

    ScanResult run()
    {
        buildSymbols();
        // Findings come out item by item, nearly in place order: each item's run is sorted by
        // place, then the runs by file name, so no comparison of file names per finding.
        std::vector<std::pair<qsizetype, qsizetype>> runs;
        for (const Item &item : m_project.items) {
            const qsizetype start = m_result.findings.size();
            m_itemStart = start;
            scanItem(item);
            const auto byPlace = [](const Finding &a, const Finding &b) {
                return a.line != b.line ? a.line < b.line : a.column < b.column;
            };
            if (!std::is_sorted(m_result.findings.cbegin() + start, m_result.findings.cend(), byPlace))
                std::stable_sort(m_result.findings.begin() + start, m_result.findings.end(), byPlace);
            if (m_result.findings.size() > start)
                runs.emplace_back(start, m_result.findings.size());
        }
        std::stable_sort(runs.begin(), runs.end(), [this](const auto &a, const auto &b) {
            return m_result.findings[a.first].file < m_result.findings[b.first].file;
        });
        QList<Finding> ordered;
        ordered.reserve(m_result.findings.size());
        for (const auto &[from, to] : runs)
            for (qsizetype i = from; i < to; ++i)
                ordered.append(std::move(m_result.findings[i]));
        m_result.findings = std::move(ordered);
        return std::move(m_result);
    }

private:
    // --- the project's symbol table -----------------------------------------------------------

    static bool splitDecl(std::string_view line, std::string &name, TypeRef &type)
    {
        // "[Shared] name[()] As [New] Type[.Sub] [= value]"
        size_t pos = 0;
        auto skipBlank = [&] {
            while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
                ++pos;
        };
        auto word = [&] {
            skipBlank();
            const size_t s = pos;
            while (pos < line.size() && (isIdentChar(line[pos]) || line[pos] == '.'))
                ++pos;
            return line.substr(s, pos - s);
        };
        std::string_view w = word();
        for (const char *mod : {"shared", "private", "public", "protected"})
            if (lowerOf(w) == mod)
                w = word();
        if (w.empty())
            return false;
        name = lowerOf(w);
        skipBlank();
        if (pos < line.size() && line[pos] == '(') {
            type.array = true;
            while (pos < line.size() && line[pos] != ')')
                ++pos;
            if (pos < line.size()) // an unclosed "(" ends the declaration
                ++pos;
        }
        if (lowerOf(word()) != "as")
            return false;
        std::string_view t = word();
        if (lowerOf(t) == "new")
            t = word();
        type.type = lowerOf(t);
        return !type.type.empty();
    }

    void buildSymbols()
    {
        for (const Item &item : m_project.items) {
            ClassInfo info;
            info.name = lowerOf(item.name);
            info.item = &item;
            info.isModule = item.kind.compare(u"Module", Qt::CaseInsensitive) == 0;
            if (item.isLayout && !item.controls.isEmpty()) {
                info.super = lowerOf(item.controls.first().className);
                for (qsizetype i = 1; i < item.controls.size(); ++i)
                    info.controls.emplace(lowerOf(item.controls[i].name), lowerOf(item.controls[i].className));
                m_windows.insert(info.name);
            } else {
                info.super = lowerOf(item.super);
            }
            for (const Member &m : item.members) {
                const std::string name = lowerOf(m.name);
                if (m.kind == MemberKind::Hook) {
                    info.hooks.insert(name);
                } else if (m.kind == MemberKind::Property) {
                    std::string pname;
                    TypeRef type;
                    if (m.firstLine < int(item.lines.size())
                        && splitDecl(item.lines[size_t(m.firstLine)], pname, type)) {
                        if (info.isModule)
                            m_globals.emplace(pname, type);
                        info.props.emplace(pname, type);
                    }
                } else if (!m.isEvent && m.control.isEmpty() && !m.isMenuHandler) {
                    info.methods.insert(name);
                    m_projectMethods.insert(name);
                }
            }
            m_classes.emplace(info.name, std::move(info));
        }
        for (auto &[name, info] : m_classes)
            info.superInfo = projectClass(info.super);
        // A cycle of Inherits is reported once per class on it.
        for (const auto &[name, info] : m_classes) {
            std::string cycle;
            framework(name, &cycle);
            if (!cycle.empty() && !m_cycleReported.contains(cycle)) {
                m_cycleReported.insert(cycle);
                m_result.errors.append(QStringLiteral("%1: Inherits forms a cycle: %2")
                                           .arg(info.item->file, QString::fromStdString(cycle)));
            }
        }
    }

    const ClassInfo *projectClass(std::string_view name) const
    {
        const auto it = m_classes.find(name);
        return it == m_classes.end() ? nullptr : &it->second;
    }

    // The first framework class up the project's Inherits chain, or empty. A cycle gives empty.
    std::string framework(std::string_view cls, std::string *cycle = nullptr) const
    {
        std::string current(cls);
        std::vector<std::string> seen;
        while (const ClassInfo *c = projectClass(current)) {
            if (std::find(seen.begin(), seen.end(), current) != seen.end()) {
                if (cycle) {
                    std::vector<std::string> loop(std::find(seen.begin(), seen.end(), current), seen.end());
                    std::sort(loop.begin(), loop.end());
                    for (const std::string &s : loop)
                        cycle->append(cycle->empty() ? "" : " -> ").append(projectClass(s)->item->name.toStdString());
                }
                return std::string();
            }
            seen.push_back(current);
            current = c->super;
            if (current.empty())
                return std::string();
        }
        return current;
    }

    // The catalogue row of member M on class cls, walking the project's classes first: a
    // member the project declares itself is the project's.
    const Row *memberOf(std::string_view cls, std::string_view member, bool array = false) const
    {
        if (array)
            return m_cat.memberRow("array", member);
        std::string_view current = cls;
        const ClassInfo *c = projectClass(cls);
        for (int guard = 0; c && guard < 64; ++guard) {
            if (c->methods.contains(member) || c->props.contains(member) || c->hooks.contains(member))
                return nullptr;
            current = c->super;
            c = c->superInfo;
        }
        if (c || current.empty())
            return nullptr; // a cycle, or no framework class at the top
        // Up the framework's own classes: RectControl's members belong to every control.
        for (int guard = 0; guard < 16 && !current.empty(); ++guard) {
            if (const Row *row = m_cat.memberRow(current, member))
                return row;
            const auto it = m_cat.frameworkSuper.find(current);
            if (it == m_cat.frameworkSuper.end())
                break;
            current = it->second;
        }
        return nullptr;
    }

    // A name's type among a class's properties and controls, up the project's chain.
    std::optional<TypeRef> fieldOf(std::string_view cls, std::string_view name) const
    {
        return fieldOf(projectClass(cls), name);
    }

    std::optional<TypeRef> fieldOf(const ClassInfo *c, std::string_view name) const
    {
        for (int guard = 0; c && guard < 64; ++guard) {
            if (auto it = c->props.find(name); it != c->props.end())
                return it->second;
            if (auto it = c->controls.find(name); it != c->controls.end())
                return TypeRef{it->second, false};
            c = c->superInfo;
        }
        return std::nullopt;
    }

    // --- scanning -----------------------------------------------------------------------------

    struct Context
    {
        const Item *item = nullptr;
        const Member *member = nullptr;
        std::string selfClass; // the item's class
        std::string meClass;   // the control in a control's handler, else selfClass
        std::vector<std::pair<std::string, TypeRef>> locals;
        QString memberName; // as reported: "Refresh", "SaveButton.Action"
        bool isModule = false;
        const ClassInfo *selfInfo = nullptr; // the item's entry in the symbol table
        bool guarded = false;

        const TypeRef *local(std::string_view name) const
        {
            for (auto it = locals.rbegin(); it != locals.rend(); ++it)
                if (it->first == name)
                    return &it->second;
            return nullptr;
        }
    };

    static int codePoints(std::string_view s)
    {
        int n = 0;
        for (char c : s)
            n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        return n;
    }

    void addFinding(const Context &ctx, int lineIndex, int byteStart, const Row *row, Confidence conf, UseKind kind,
                    QStringList notes = {}, const QString *member = nullptr)
    {
        if (conf < m_minConfidence)
            return;
        const Item &item = *ctx.item;
        const std::string_view text =
            lineIndex < int(item.lines.size()) ? item.lines[size_t(lineIndex)] : std::string_view();
        const int line = item.fileLineOf(lineIndex);
        const int column = item.columnBaseOf(lineIndex) + codePoints(text.substr(0, size_t(byteStart))) + 1;
        // The same element at the same place twice (As New T seen from As and from New).
        if (m_result.findings.size() > m_itemStart) {
            const Finding &last = m_result.findings.last();
            if (last.line == line && last.column == column && last.row == row)
                return;
        }
        Finding f;
        f.file = item.file;
        f.line = line;
        f.column = column;
        f.item = item.name;
        if (ctx.member) {
            f.member = ctx.memberName;
            f.memberLine = lineIndex - ctx.member->firstLine + 1;
        }
        if (member)
            f.member = *member;
        f.row = row;
        f.confidence = conf;
        f.kind = kind;
        f.guarded = ctx.guarded;
        f.notes = std::move(notes);
        std::string_view snip = text;
        while (!snip.empty() && (snip.front() == ' ' || snip.front() == '\t'))
            snip.remove_prefix(1);
        if (snip.size() > 200)
            snip = snip.substr(0, 200);
        f.snippet = QString::fromUtf8(snip.data(), qsizetype(snip.size()));
        m_result.findings.append(std::move(f));
    }

    // Renamed events of a legacy class among the handlers given.
    // Renamed events of a legacy class among the handlers given. With via, the control's class is
    // the project's own: an event that class (or one above it) defines as a hook is its own.
    QStringList eventNotes(const Item &item, const QString &control, const std::string &cls,
                           const ClassInfo *via = nullptr) const
    {
        QStringList notes;
        for (const Member &m : item.members) {
            if (!m.isEvent || m.control.compare(control, Qt::CaseInsensitive) != 0)
                continue;
            const std::string event = lowerOf(m.name);
            bool hook = false;
            const ClassInfo *c = via;
            for (int guard = 0; c && !hook && guard < 64; ++guard, c = c->superInfo)
                hook = c->hooks.contains(event);
            if (hook)
                continue;
            if (const Row *row = m_cat.memberRow(cls, event))
                notes.append(row->hasReplacement()
                                 ? QStringLiteral("event %1: use %2").arg(m.name, row->replacement)
                                 : QStringLiteral("event %1 is %2").arg(m.name, Catalogue::StatusWord(row->status)));
        }
        return notes;
    }

    void scanItem(const Item &item)
    {
        Context ctx;
        ctx.item = &item;
        ctx.selfClass = lowerOf(item.name);
        ctx.isModule = item.kind.startsWith(u"Module", Qt::CaseInsensitive);
        ctx.selfInfo = projectClass(ctx.selfClass);
        // Inherits and the Begin tree.
        if (!item.super.isEmpty() && item.superLine >= 0) {
            const std::string super = lowerOf(item.super);
            if (!projectClass(super))
                if (const Row *row = m_cat.typeRow(super)) {
                    const int byte = byteOfColumn(item, item.superLine, item.superColumn);
                    addFinding(ctx, item.superLine, byte, row, Confidence::High, UseKind::Type,
                               eventNotes(item, QString(), super));
                }
        }
        for (qsizetype i = 0; i < item.controls.size(); ++i) {
            const Control &c = item.controls[i];
            const std::string cls = lowerOf(c.className);
            // A control of the project's own class is a legacy control when that class comes
            // from one: each one's handlers carry the event renames.
            const ClassInfo *own = projectClass(cls);
            const std::string base = own ? framework(cls) : cls;
            if (base.empty())
                continue;
            if (const Row *row = m_cat.typeRow(base)) {
                const int byte = byteOfColumn(item, c.line, c.column);
                const QString control = i == 0 ? QString() : c.name;
                QStringList notes;
                if (own)
                    notes.append(QStringLiteral("through the project's class %1").arg(c.className));
                notes += eventNotes(item, control, base, own);
                addFinding(ctx, c.line, byte, row, Confidence::High, UseKind::Control, notes, &control);
            }
        }
        for (const Member &m : item.members) {
            ctx.member = &m;
            ctx.memberName = m.control.isEmpty() ? m.name : m.control + u'.' + m.name;
            ctx.locals.clear();
            ctx.meClass = ctx.selfClass;
            if (!m.control.isEmpty()) {
                if (const ClassInfo *c = projectClass(ctx.selfClass))
                    if (auto it = c->controls.find(lowerOf(m.control)); it != c->controls.end())
                        ctx.meClass = it->second;
            }
            scanMember(ctx, m);
        }
    }

    static int byteOfColumn(const Item &item, int line, int column)
    {
        if (line < 0 || line >= int(item.lines.size()))
            return 0;
        const std::string_view s = item.lines[size_t(line)];
        int cp = 0;
        size_t i = 0;
        for (; i < s.size() && cp < column; ++i)
            if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80 && ++cp > column)
                break;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80)
            ++i;
        return int(i);
    }

    // Lexes one physical line onto toks; false when the line ends in a continuation " _".
    bool lexLine(const Item &item, int lineIndex, TokenList &toks) const
    {
        const std::string_view s = item.lines[size_t(lineIndex)];
        const char *p = s.data();
        const int n = int(s.size());
        int i = 0;
        while (i < n) {
            const char c = p[i];
            if (c == ' ' || c == '\t' || c == '\r') {
                ++i;
                continue;
            }
            if (c == '\'' || (c == '/' && i + 1 < n && p[i + 1] == '/'))
                break;
            const int start = i;
            if (c == '"') {
                // To the closing quote; "" inside is a quote, not the end.
                ++i;
                while (i < n) {
                    const void *q = std::memchr(p + i, '"', size_t(n - i));
                    if (!q) {
                        i = n;
                        break;
                    }
                    i = int(static_cast<const char *>(q) - p) + 1;
                    if (i < n && p[i] == '"') {
                        ++i;
                        continue;
                    }
                    break;
                }
                toks.push_back({Tk::Str, lineIndex, start, i - start, p + start, nullptr});
                continue;
            }
            if (isIdentStart(c)) {
                while (i < n && isIdentChar(p[i]))
                    ++i;
                const int len = i - start;
                // A masked eight-byte load is the zero-padded copy hashOf(p, n) makes (little-endian).
                static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);
                quint64 head = 0, tail = 0;
                if (start + 8 <= n) {
                    std::memcpy(&head, p + start, 8);
                    if (len < 8)
                        head &= (quint64(1) << (8 * len)) - 1;
                } else {
                    std::memcpy(&head, p + start, size_t(std::min(len, 8)));
                }
                if (len > 8)
                    std::memcpy(&tail, p + i - 8, 8);
                const Word *w =
                    m_cat.words.findAnyCase(p + start, size_t(len), WordTable::hashOf(head, tail, size_t(len)));
                if (w && w->keyword == KwRem)
                    break;
                toks.push_back({Tk::Ident, lineIndex, start, len, p + start, w});
                continue;
            }
            if (c >= '0' && c <= '9') {
                while (i < n && (isIdentChar(p[i]) || p[i] == '.'))
                    ++i;
                toks.push_back({Tk::Num, lineIndex, start, i - start, p + start, nullptr});
                continue;
            }
            if (c == '&' && i + 1 < n && isIdentStart(p[i + 1])) {
                // &h, &b, &o, &c, &u literals: the letter and its digits.
                i += 2;
                while (i < n && isIdentChar(p[i]))
                    ++i;
                toks.push_back({Tk::Num, lineIndex, start, i - start, p + start, nullptr});
                continue;
            }
            Tk k = Tk::Op;
            switch (c) {
            case '.':
                k = Tk::Dot;
                break;
            case '(':
                k = Tk::LParen;
                break;
            case ')':
                k = Tk::RParen;
                break;
            case ',':
                k = Tk::Comma;
                break;
            case '=':
                k = Tk::Eq;
                break;
            default:
                break;
            }
            ++i;
            toks.push_back({k, lineIndex, start, 1, p + start, nullptr});
        }
        if (!toks.empty() && toks.back().kind == Tk::Ident && toks.back().length == 1 && toks.back().p[0] == '_'
            && toks.back().line == lineIndex) {
            toks.pop_back();
            return false;
        }
        return true;
    }

    static std::string lowerTok(const Token &t)
    {
        return t.word ? std::string(t.word->key) : lowerOf(std::string_view(t.p, size_t(t.length)));
    }

    void scanMember(Context &ctx, const Member &m)
    {
        const Item &item = *ctx.item;
        std::vector<bool> guards;
        TokenList &toks = m_tokens;
        toks.clear();
        const int end = std::min(m.endLine, int(item.lines.size()));
        for (int li = m.firstLine; li < end; ++li) {
            const std::string_view raw = item.lines[size_t(li)];
            size_t k = 0;
            while (k < raw.size() && (raw[k] == ' ' || raw[k] == '\t'))
                ++k;
            if (toks.empty() && k < raw.size() && raw[k] == '#') {
                directive(raw.substr(k + 1), guards);
                ctx.guarded = std::find(guards.begin(), guards.end(), true) != guards.end();
                continue;
            }
            if (!lexLine(item, li, toks) && li + 1 < end)
                continue;
            if (!toks.empty())
                matchLine(ctx, m, toks, li == m.firstLine || toks.front().line == m.firstLine);
            toks.clear();
        }
    }

    static void directive(std::string_view d, std::vector<bool> &guards)
    {
        auto word = [&](std::string_view s) {
            size_t i = 0;
            while (i < s.size() && isIdentChar(s[i]))
                ++i;
            return lowerOf(s.substr(0, i));
        };
        const std::string w = word(d);
        auto mentionsGuard = [&] {
            const std::string rest = lowerOf(d);
            return rest.find("xojoversion") != std::string::npos || rest.find("rbversion") != std::string::npos
                || rest.find("target") != std::string::npos;
        };
        if (w == "if") {
            guards.push_back(mentionsGuard());
        } else if (w == "elseif") {
            if (!guards.empty() && mentionsGuard())
                guards.back() = true;
        } else if (w == "endif") {
            if (!guards.empty())
                guards.pop_back();
        }
    }

    std::optional<TypeRef> typeOfName(const Context &ctx, std::string_view name) const
    {
        if (const TypeRef *t = ctx.local(name))
            return *t;
        if (auto f = fieldOf(ctx.selfInfo, name))
            return f;
        if (auto it = m_globals.find(name); it != m_globals.end())
            return it->second;
        if (m_windows.contains(name))
            return TypeRef{std::string(name), false};
        return std::nullopt;
    }

    // The class of the receiver of the member at toks[i] (toks[i-1] is the dot), if known.
    std::optional<TypeRef> receiver(const Context &ctx, const TokenList &toks, size_t i) const
    {
        if (i >= 2 && toks[i - 2].kind == Tk::RParen)
            return castReceiver(ctx, toks, i - 2);
        if (i < 2 || toks[i - 2].kind != Tk::Ident)
            return std::nullopt;
        const Token &r = toks[i - 2];
        const bool qualified = i >= 4 && toks[i - 3].kind == Tk::Dot;
        const std::string rname = lowerTok(r);
        auto simple = [&](const Token &t, const std::string &name) -> std::optional<TypeRef> {
            if (t.word && t.word->keyword == KwMe)
                return TypeRef{ctx.meClass, false};
            if (t.word && t.word->keyword == KwSelf)
                return TypeRef{ctx.selfClass, false};
            if (t.word && t.word->keyword == KwSuper) {
                const ClassInfo *c = projectClass(ctx.selfClass);
                return c ? std::optional<TypeRef>(TypeRef{c->super, false}) : std::nullopt;
            }
            if (auto ty = typeOfName(ctx, name))
                return ty;
            if (projectClass(name) || m_cat.knownClasses.contains(name))
                return TypeRef{name, false};
            return std::nullopt;
        };
        if (!qualified)
            return simple(r, rname);
        if (toks[i - 4].kind != Tk::Ident)
            return std::nullopt;
        const Token &q = toks[i - 4];
        if (i >= 5 && toks[i - 5].kind == Tk::Dot)
            return std::nullopt;
        const auto qt = simple(q, lowerTok(q));
        if (!qt || qt->array)
            return std::nullopt;
        if (auto f = fieldOf(qt->type, rname))
            return f;
        return std::nullopt;
    }

    // "ListBox(c).Cell": a cast names the receiver's class. A call of anything else does not.
    std::optional<TypeRef> castReceiver(const Context &ctx, const TokenList &toks, size_t close) const
    {
        int depth = 0;
        size_t j = close;
        for (;; --j) {
            if (toks[j].kind == Tk::RParen)
                ++depth;
            else if (toks[j].kind == Tk::LParen && --depth == 0)
                break;
            if (j == 0)
                return std::nullopt;
        }
        if (j == 0 || toks[j - 1].kind != Tk::Ident || (j >= 2 && toks[j - 2].kind == Tk::Dot))
            return std::nullopt;
        const std::string name = lowerTok(toks[j - 1]);
        if (ctx.local(name) || m_projectMethods.contains(name) || (toks[j - 1].word && toks[j - 1].word->function >= 0))
            return std::nullopt;
        if (projectClass(name) || m_cat.knownClasses.contains(name) || m_cat.frameworkSuper.contains(name))
            return TypeRef{name, false};
        return std::nullopt;
    }

    // The dotted name starting at toks[i]; i moves past it.
    static std::string dottedName(const TokenList &toks, size_t &i)
    {
        std::string name;
        while (i < toks.size() && toks[i].kind == Tk::Ident) {
            name += lowerTok(toks[i]);
            if (i + 2 < toks.size() && toks[i + 1].kind == Tk::Dot && toks[i + 2].kind == Tk::Ident) {
                name += '.';
                i += 2;
                continue;
            }
            ++i;
            break;
        }
        return name;
    }

    void typePosition(Context &ctx, const Token &at, const std::string &name)
    {
        if (name.empty() || projectClass(name))
            return;
        if (const Row *row = m_cat.typeRow(name))
            addFinding(ctx, at.line, at.start, row, Confidence::High, UseKind::Type);
    }

    void recordLocal(Context &ctx, const TokenList &toks, size_t asIndex, const std::string &type)
    {
        if (asIndex == 0)
            return;
        size_t j = asIndex - 1;
        bool array = false;
        if (toks[j].kind == Tk::RParen) {
            int depth = 0;
            for (;; --j) {
                if (toks[j].kind == Tk::RParen)
                    ++depth;
                else if (toks[j].kind == Tk::LParen && --depth == 0)
                    break;
                if (j == 0)
                    return;
            }
            if (j == 0)
                return;
            --j;
            array = true;
        }
        if (toks[j].kind != Tk::Ident)
            return;
        if (j > 0 && toks[j - 1].word
            && (toks[j - 1].word->keyword == KwSub || toks[j - 1].word->keyword == KwFunction
                || toks[j - 1].word->keyword == KwEvent || toks[j - 1].word->keyword == KwDeclare))
            return; // a return type
        ctx.locals.emplace_back(lowerTok(toks[j]), TypeRef{type, array});
        // "Dim a, b As T": the names before share the type.
        while (j >= 2 && toks[j - 1].kind == Tk::Comma && toks[j - 2].kind == Tk::Ident && !toks[j - 2].word) {
            j -= 2;
            ctx.locals.emplace_back(lowerTok(toks[j]), TypeRef{type, array});
        }
    }

    bool shadowsFunction(const Context &ctx, std::string_view name) const
    {
        return m_projectMethods.contains(name) || ctx.local(name) || fieldOf(ctx.selfInfo, name)
            || m_globals.contains(name);
    }

    void matchLine(Context &ctx, const Member &m, const TokenList &toks, bool signature)
    {
        const bool declaration = m.kind == MemberKind::Property;
        for (size_t i = 0; i < toks.size(); ++i) {
            const Token &t = toks[i];
            if (t.kind != Tk::Ident || !t.word)
                continue;
            const Word &w = *t.word;
            const bool afterDot = i > 0 && toks[i - 1].kind == Tk::Dot;
            if (!afterDot && w.keyword != KwNone) {
                switch (w.keyword) {
                case KwHandles:
                    return;
                case KwAs:
                case KwNew:
                case KwIsA:
                case KwInherits: {
                    size_t j = i + 1;
                    if (j < toks.size() && toks[j].word && toks[j].word->keyword == KwNew)
                        ++j;
                    if (j >= toks.size())
                        break;
                    const Token &at = toks[j];
                    const std::string name = dottedName(toks, j);
                    typePosition(ctx, at, name);
                    if (w.keyword == KwAs)
                        recordLocal(ctx, toks, i, name);
                    i = j - 1;
                    continue;
                }
                case KwSub:
                case KwFunction:
                case KwEvent:
                case KwDeclare:
                case KwDelegate:
                    if (signature || w.keyword == KwDeclare) {
                        // The declared name is the project's own.
                        size_t j = i + 1;
                        while (j < toks.size() && toks[j].kind == Tk::Ident && toks[j].word
                               && toks[j].word->keyword >= KwSub)
                            ++j;
                        i = j;
                        continue;
                    }
                    break;
                default:
                    break;
                }
                continue;
            }
            if (declaration && i == 0)
                continue; // a property's own name
            if (afterDot) {
                if (w.member >= 0)
                    memberUse(ctx, toks, i, w);
                continue;
            }
            const bool nextParen = i + 1 < toks.size() && toks[i + 1].kind == Tk::LParen;
            const Tk next = i + 1 < toks.size() ? toks[i + 1].kind : Tk::Op;
            const bool atEnd = i + 1 >= toks.size();
            if (w.function >= 0) {
                const auto &fn = m_cat.functions[size_t(w.function)];
                bool call = nextParen;
                if (fn.form == FunctionForm::Command)
                    call = call || (!atEnd && (next == Tk::Str || next == Tk::Ident || next == Tk::Num));
                if (fn.form == FunctionForm::Value)
                    call = call || atEnd || (next != Tk::Eq && next != Tk::Dot);
                if (call && !(i + 1 < toks.size() && next == Tk::Dot) && !shadowsFunction(ctx, lowerTok(t))) {
                    addFinding(ctx, t.line, t.start, fn.row, Confidence::High, UseKind::Function);
                    continue;
                }
            }
            if (w.type >= 0 && nextParen) {
                const std::string name = lowerTok(t);
                if (!ctx.local(name) && !projectClass(name) && !m_projectMethods.contains(name)) {
                    addFinding(ctx, t.line, t.start, m_cat.typeRows[size_t(w.type)], Confidence::High, UseKind::Type);
                    continue;
                }
            }
            if (w.member >= 0 && !ctx.isModule) {
                // A bare member name inside a class: its own (inherited) member, through Self.
                const std::string name = lowerTok(t);
                if (!ctx.local(name))
                    if (const Row *row = memberOf(ctx.selfClass, name))
                        addFinding(ctx, t.line, t.start, row, Confidence::High, UseKind::Member);
            }
        }
    }

    void memberUse(Context &ctx, const TokenList &toks, size_t i, const Word &w)
    {
        const Token &t = toks[i];
        const std::string member = lowerTok(t);
        // A fully qualified name: Xojo.Core.Timer.Action, RecordSet.EOF.
        {
            size_t j = i - 1;
            std::string prefix;
            bool ok = true;
            while (j >= 1 && toks[j].kind == Tk::Dot && toks[j - 1].kind == Tk::Ident) {
                std::string part = lowerTok(toks[j - 1]);
                if (!prefix.empty()) {
                    part += '.';
                    part += prefix;
                }
                prefix = std::move(part);
                if (j < 2 || toks[j - 2].kind != Tk::Dot)
                    break;
                j -= 2;
            }
            if (prefix.find('.') != std::string::npos && ok && m_cat.knownClasses.contains(prefix)) {
                if (const Row *row = m_cat.memberRow(prefix, member)) {
                    addFinding(ctx, t.line, t.start, row, Confidence::High, UseKind::Member);
                    return;
                }
            }
        }
        if (const auto type = receiver(ctx, toks, i)) {
            if (const Row *row = memberOf(type->type, member, type->array))
                addFinding(ctx, t.line, t.start, row, Confidence::High, UseKind::Member);
            return;
        }
        const auto &candidates = m_cat.memberLists[size_t(w.member)];
        if (candidates.empty())
            return;
        // Array's members are ListBox's and Dictionary's too (AddRow, Count): a name alone is no clue.
        if (candidates.size() == 1 && candidates.front().cls != "array" && !m_cat.ambiguous.contains(member)
            && !m_cat.sameName.contains(member)) {
            addFinding(ctx, t.line, t.start, candidates.front().row, Confidence::Medium, UseKind::Member);
            return;
        }
        QStringList others;
        for (size_t k = 1; k < candidates.size() && others.size() < 4; ++k)
            others.append(candidates[k].row->name);
        QStringList notes;
        if (!others.isEmpty())
            notes.append(QStringLiteral("or %1").arg(others.join(QStringLiteral(", "))));
        addFinding(ctx, t.line, t.start, candidates.front().row, Confidence::Low, UseKind::Member, notes);
    }

    const Project &m_project;
    const ScanCatalogue::Impl &m_cat;
    ScanResult m_result;
    StrMap<ClassInfo> m_classes;
    StrSet m_windows;
    StrSet m_projectMethods;
    StrMap<TypeRef> m_globals;
    StrSet m_cycleReported;
    Confidence m_minConfidence;
    qsizetype m_itemStart = 0; // the current item's first finding
    TokenList m_tokens;
};

} // namespace

ScanResult ScanProject(const Project &project, const ScanCatalogue &catalogue, Confidence minConfidence)
{
    Scanner scanner(project, catalogue, minConfidence);
    return scanner.run();
}

} // namespace Scan
