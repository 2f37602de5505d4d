#include "scan/Project.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

#include <cstring>

namespace Scan {

namespace {

constexpr char kBinaryMagic[] = "RbBF";

bool isSpace(char c) { return c == ' ' || c == '\t'; }

std::string_view trimLeft(std::string_view s)
{
    size_t i = 0;
    while (i < s.size() && isSpace(s[i]))
        ++i;
    return s.substr(i);
}

std::string_view trim(std::string_view s)
{
    s = trimLeft(s);
    while (!s.empty() && (isSpace(s.back()) || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool startsWithWord(std::string_view s, std::string_view word)
{
    if (s.size() < word.size() || qstrnicmp(s.data(), word.data(), qsizetype(word.size())) != 0)
        return false;
    return s.size() == word.size() || isSpace(s[word.size()]);
}

bool equalsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && qstrnicmp(a.data(), b.data(), qsizetype(a.size())) == 0;
}

bool isIdentChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'
        || (static_cast<unsigned char>(c) >= 0x80);
}

// The next identifier from pos (blanks skipped); pos moves past it.
std::string_view nextWord(std::string_view s, size_t &pos)
{
    while (pos < s.size() && isSpace(s[pos]))
        ++pos;
    const size_t start = pos;
    while (pos < s.size() && (isIdentChar(s[pos]) || s[pos] == '.'))
        ++pos;
    return s.substr(start, pos - start);
}

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

int codePoints(std::string_view s)
{
    int n = 0;
    for (char c : s)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char &c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return out;
}

// The name declared by a signature: "Private Function Foo(...)" -> "Foo", "Event Open()" -> "Open",
// "Attributes( deprecated ) Sub Old()" -> "Old", "Declare Function X Lib ..." -> "X", "Get" -> "Get".
QString signatureName(std::string_view sig)
{
    size_t pos = 0;
    sig = trimLeft(sig);
    if (startsWithWord(sig, "Attributes") || (sig.size() > 10 && equalsNoCase(sig.substr(0, 10), "attributes"))) {
        int depth = 0;
        for (pos = 0; pos < sig.size(); ++pos) {
            if (sig[pos] == '(')
                ++depth;
            else if (sig[pos] == ')' && --depth == 0) {
                ++pos;
                break;
            }
        }
    }
    static const char *const skip[] = {"private", "public",   "protected", "global",  "shared",   "static",
                                       "sub",     "function", "event",     "declare", "delegate", "soft"};
    while (pos < sig.size()) {
        const std::string_view w = nextWord(sig, pos);
        if (w.empty())
            break;
        bool skipped = false;
        for (const char *k : skip)
            if (equalsNoCase(w, k))
                skipped = true;
        if (!skipped)
            return qs(w);
    }
    return QString();
}

struct TagLine
{
    std::string word; // lower case
    std::string_view rest;
};

bool parseTag(std::string_view t, TagLine &tag)
{
    if (t.size() < 5 || t[0] != '#' || qstrnicmp(t.data() + 1, "tag", 3) != 0 || !isSpace(t[4]))
        return false;
    size_t pos = 4;
    while (pos < t.size() && isSpace(t[pos]))
        ++pos;
    const size_t start = pos;
    while (pos < t.size() && isIdentChar(t[pos]))
        ++pos;
    tag.word = lower(t.substr(start, pos - start));
    tag.rest = t.substr(pos);
    return true;
}

bool isCodeTag(const std::string &w)
{
    return w == "method" || w == "event" || w == "menuhandler" || w == "getter" || w == "setter" || w == "hook"
        || w == "externalmethod" || w == "delegatedeclaration";
}

bool isSkipTag(const std::string &w)
{
    return w == "note" || w == "viewbehavior" || w == "constant" || w == "enum" || w == "structure"
        || w == "imagespecification" || w == "buildautomation" || w == "webstyle" || w == "webstylestate"
        || w == "enumvalues" || w == "viewproperty";
}

} // namespace

qsizetype SplitLines(std::string_view data, std::vector<std::string_view> &lines)
{
    lines.clear();
    qsizetype longest = 0;
    size_t start = 0;
    const size_t n = data.size();
    const char *p = data.data();
    lines.reserve(n / 32 + 1);
    // Files saved by the IDE end lines with LF alone: one memchr a line.
    if (!std::memchr(p, '\r', n)) {
        while (start < n) {
            const void *hit = std::memchr(p + start, '\n', n - start);
            const size_t end = hit ? size_t(static_cast<const char *>(hit) - p) : n;
            lines.push_back(data.substr(start, end - start));
            longest = std::max<qsizetype>(longest, qsizetype(end - start));
            start = end + 1;
        }
        return longest;
    }
    while (start < n) {
        const void *hitLf = std::memchr(p + start, '\n', n - start);
        size_t end = hitLf ? size_t(static_cast<const char *>(hitLf) - p) : n;
        // A lone CR ends a line too; look for one only up to the next LF.
        const void *hitCr = std::memchr(p + start, '\r', end - start);
        size_t next = end + 1;
        if (hitCr) {
            const size_t cr = size_t(static_cast<const char *>(hitCr) - p);
            next = (cr + 1 == end) ? end + 1 : cr + 1;
            end = cr;
        }
        lines.push_back(data.substr(start, end - start));
        longest = std::max<qsizetype>(longest, qsizetype(end - start));
        start = next;
    }
    return longest;
}

bool IsValidUtf8(std::string_view data)
{
    const auto *s = reinterpret_cast<const unsigned char *>(data.data());
    const size_t n = data.size();
    size_t i = 0;
    while (i < n) {
        // ASCII runs, eight bytes at a time.
        while (i + 8 <= n) {
            quint64 word;
            std::memcpy(&word, s + i, 8);
            if (word & 0x8080808080808080ULL)
                break;
            i += 8;
        }
        if (i >= n)
            break;
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra;
        quint32 cp;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + size_t(extra) >= n)
            return false;
        for (int k = 1; k <= extra; ++k) {
            if ((s[i + size_t(k)] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (s[i + size_t(k)] & 0x3F);
        }
        const bool overlong = (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000);
        if (overlong || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return false;
        i += size_t(extra) + 1;
    }
    return true;
}

bool ParseTextItem(Item &item, QString *why)
{
    if (item.lines.empty()) {
        std::string_view data(item.data.constData(), size_t(item.data.size()));
        if (data.size() >= 3 && std::memcmp(data.data(), "\xEF\xBB\xBF", 3) == 0)
            data.remove_prefix(3);
        SplitLines(data, item.lines);
    }

    struct Open
    {
        std::string endTag;
        enum {
            Code,
            Property,
            Skip
        } region;
        int member;
    };
    std::vector<Open> stack;
    QString control;
    QStringList layout;   // names of the open Begin blocks
    QList<int> accessors; // getter/setter members waiting for their property's name
    bool sawTag = false;

    for (int idx = 0; idx < int(item.lines.size()); ++idx) {
        const std::string_view raw = item.lines[size_t(idx)];
        const std::string_view t = trim(raw);
        TagLine tag;
        if (parseTag(t, tag)) {
            if (tag.word.starts_with("encrypt")) {
                if (why)
                    *why = QStringLiteral("encrypted: not readable");
                return false;
            }
            if (!sawTag) {
                sawTag = true;
                item.kind = qs(t.substr(5)).trimmed().section(u',', 0, 0).trimmed();
            }
            if (!stack.empty() && tag.word == stack.back().endTag) {
                if (stack.back().region == Open::Code)
                    item.members[stack.back().member].endLine = idx;
                stack.pop_back();
                continue;
            }
            if (!stack.empty() && stack.back().region == Open::Skip)
                continue;
            if (isCodeTag(tag.word)) {
                Member m;
                m.kind = tag.word == "hook" ? MemberKind::Hook : MemberKind::Method;
                m.isEvent = tag.word == "event";
                m.isMenuHandler = tag.word == "menuhandler";
                m.control = control;
                m.firstLine = idx + 1;
                m.endLine = int(item.lines.size());
                if (tag.word == "getter" || tag.word == "setter") {
                    m.name = tag.word == "getter" ? QStringLiteral("Get") : QStringLiteral("Set");
                    accessors.append(int(item.members.size()));
                }
                item.members.append(m);
                stack.push_back({"end" + tag.word, Open::Code, int(item.members.size()) - 1});
            } else if (tag.word == "property" || tag.word == "computedproperty") {
                stack.push_back({"end" + tag.word, Open::Property, -1});
            } else if (isSkipTag(tag.word)) {
                stack.push_back({"end" + tag.word, Open::Skip, -1});
            } else if (tag.word == "events") {
                control = qs(trim(tag.rest));
            } else if (tag.word == "endevents") {
                control.clear();
            }
            continue;
        }
        if (!stack.empty()) {
            const Open &open = stack.back();
            if (open.region == Open::Code) {
                Member &m = item.members[open.member];
                if (m.name.isEmpty() || (m.firstLine == idx && t.empty())) {
                    if (t.empty()) {
                        m.firstLine = idx + 1;
                    } else {
                        m.firstLine = idx;
                        m.name = signatureName(t);
                    }
                } else if (m.firstLine == idx + 1 && t.empty() && (m.name == u"Get" || m.name == u"Set")) {
                    m.firstLine = idx + 1;
                }
            } else if (open.region == Open::Property && !t.empty()) {
                Member m;
                m.kind = MemberKind::Property;
                m.firstLine = idx;
                m.endLine = idx + 1;
                size_t pos = 0;
                std::string_view w = nextWord(t, pos);
                while (equalsNoCase(w, "shared") || equalsNoCase(w, "private") || equalsNoCase(w, "public")
                       || equalsNoCase(w, "protected"))
                    w = nextWord(t, pos);
                m.name = qs(w);
                for (int a : std::as_const(accessors))
                    item.members[a].name = m.name + u'.' + item.members[a].name;
                accessors.clear();
                item.members.append(m);
            }
            continue;
        }
        // Outside members: the item's header, its Inherits line and its Begin tree.
        if (startsWithWord(t, "Begin")) {
            size_t pos = 5;
            const std::string_view cls = nextWord(t, pos);
            const size_t clsEnd = pos;
            const std::string_view name = nextWord(t, pos);
            Control c;
            c.className = qs(cls);
            c.name = qs(name);
            c.line = idx;
            c.column = codePoints(raw.substr(0, size_t(t.data() - raw.data()) + clsEnd - cls.size()));
            c.parent = layout.isEmpty() ? QString() : layout.last();
            if (layout.isEmpty() && item.controls.isEmpty())
                item.isLayout = true;
            item.controls.append(c);
            layout.append(c.name);
        } else if (equalsNoCase(t, "End") && !layout.isEmpty()) {
            layout.removeLast();
        } else if (startsWithWord(t, "Inherits") && item.superLine < 0) {
            size_t pos = 8;
            const std::string_view super = nextWord(t, pos);
            item.super = qs(super);
            item.superLine = idx;
            item.superColumn = codePoints(raw.substr(0, size_t(super.data() - raw.data())));
        } else if (item.name.isEmpty()) {
            size_t pos = 0;
            std::string_view w = nextWord(t, pos);
            while (equalsNoCase(w, "protected") || equalsNoCase(w, "private") || equalsNoCase(w, "public")
                   || equalsNoCase(w, "global"))
                w = nextWord(t, pos);
            if (equalsNoCase(w, "class") || equalsNoCase(w, "module") || equalsNoCase(w, "interface"))
                item.name = qs(nextWord(t, pos));
        }
    }
    if (!sawTag) {
        if (why)
            *why = QStringLiteral("not a Xojo item file (no #tag header)");
        return false;
    }
    if (item.isLayout && item.name.isEmpty())
        item.name = item.controls.first().name;
    if (item.name.isEmpty())
        item.name = QFileInfo(item.file).completeBaseName();
    return true;
}

namespace {

// A glob over project paths: * and ? stay inside one folder name, ** crosses folders.
QRegularExpression globToRegex(const QString &glob)
{
    QString re = QStringLiteral("^");
    for (qsizetype i = 0; i < glob.size(); ++i) {
        const QChar c = glob[i];
        if (c == u'*' && i + 1 < glob.size() && glob[i + 1] == u'*') {
            re += QStringLiteral(".*");
            ++i;
        } else if (c == u'*') {
            re += QStringLiteral("[^/]*");
        } else if (c == u'?') {
            re += QStringLiteral("[^/]");
        } else if (c == u'\\') {
            re += u'/';
        } else {
            re += QRegularExpression::escape(QString(c));
        }
    }
    re += u'$';
    return QRegularExpression(re, QRegularExpression::CaseInsensitiveOption);
}

class Reader
{
public:
    Reader(Project &project, const ReadOptions &options)
        : m_project(project)
        , m_options(options)
    {
        for (const QString &glob : options.excludeGlobs)
            m_excludes.append(globToRegex(glob));
    }

    void readPath(const QString &path)
    {
        const QFileInfo info(path);
        if (!info.exists()) {
            m_project.errors.append(QStringLiteral("%1: no such file or folder").arg(path));
            return;
        }
        if (info.isDir()) {
            const QStringList found = QDir(path).entryList(
                {QStringLiteral("*.xojo_project"), QStringLiteral("*.rbvcp"), QStringLiteral("*.xojo_xml_project"),
                 QStringLiteral("*.xojo_binary_project"), QStringLiteral("*.rbp")},
                QDir::Files, QDir::Name | QDir::IgnoreCase);
            if (found.isEmpty()) {
                m_project.errors.append(QStringLiteral("%1: no Xojo project in this folder").arg(path));
                return;
            }
            for (const QString &name : found)
                readPath(QDir(path).filePath(name));
            return;
        }
        const QString suffix = info.suffix().toLower();
        if (suffix == u"xojo_project" || suffix == u"rbvcp") {
            readManifest(info);
        } else if (suffix == u"xojo_xml_project" || suffix == u"rbvcp_xml") {
            readXmlProject(info);
        } else {
            // The same file named twice (or also listed by a manifest) is read once.
            const QString abs = QDir::cleanPath(info.absoluteFilePath());
            if (m_seen.contains(abs))
                return;
            m_seen.insert(abs);
            readItem(path, path, QString());
        }
    }

private:
    bool excluded(const QString &rel) const
    {
        for (const QRegularExpression &re : m_excludes) {
            if (re.match(rel).hasMatch())
                return true;
            // A glob naming a folder excludes everything under it.
            for (qsizetype slash = rel.indexOf(u'/'); slash > 0; slash = rel.indexOf(u'/', slash + 1))
                if (re.match(rel.first(slash)).hasMatch())
                    return true;
        }
        return false;
    }

    bool loadFile(const QString &absPath, const QString &display, QByteArray &data)
    {
        QFile file(absPath);
        if (!file.open(QIODevice::ReadOnly)) {
            m_project.unread.append({display, QStringLiteral("cannot be read: %1").arg(file.errorString())});
            return false;
        }
        data = file.readAll();
        m_project.bytesRead += data.size();
        return true;
    }

    // A manifest path, case-insensitive on disk and allowed to climb out of the folder.
    QString resolve(const QString &base, QString rel)
    {
        rel.replace(u'\\', u'/');
        // Most paths are written as they are on disk: one stat settles them.
        const bool absolute = rel.startsWith(u'/');
        QString direct = QDir::cleanPath(absolute ? rel : base + u'/' + rel);
        if (QFileInfo::exists(direct))
            return direct;
        QString current = absolute ? QStringLiteral("/") : QDir::cleanPath(base);
        const QStringList parts = rel.split(u'/', Qt::SkipEmptyParts);
        for (const QString &part : parts) {
            if (part == u".")
                continue;
            if (part == u"..") {
                current = QDir::cleanPath(current + QStringLiteral("/.."));
                continue;
            }
            const QString exact = QDir::cleanPath(current + u'/' + part);
            if (QFileInfo::exists(exact)) {
                current = exact;
                continue;
            }
            auto it = m_listings.find(current);
            if (it == m_listings.end())
                it = m_listings.insert(
                    current,
                    QDir(current).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System));
            QString match;
            for (const QString &entry : it.value())
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    match = entry;
                    break;
                }
            if (match.isEmpty())
                return QString();
            current = current + u'/' + match;
        }
        return QDir::cleanPath(current);
    }

    void readManifest(const QFileInfo &info)
    {
        const QString display = info.filePath();
        QByteArray data;
        if (!loadFile(info.filePath(), display, data)) {
            m_project.errors.append(m_project.unread.takeLast().file + QStringLiteral(": cannot be read"));
            return;
        }
        if (data.startsWith(kBinaryMagic) || data.contains('\0')
            || !IsValidUtf8({data.constData(), size_t(data.size())})) {
            m_project.errors.append(
                QStringLiteral("%1: not a Xojo project manifest (binary or not UTF-8 text)").arg(display));
            return;
        }
        const QString text = QString::fromUtf8(data);
        const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
        struct Listed
        {
            QString kind, name, path;
        };
        QList<Listed> listed;
        bool sawKey = false;
        for (const QString &line : lines) {
            const qsizetype eq = line.indexOf(u'=');
            if (eq <= 0)
                continue;
            const QString key = line.first(eq).trimmed();
            const QString value = line.sliced(eq + 1);
            if (key.compare(u"Type", Qt::CaseInsensitive) == 0) {
                m_project.projectType = value.trimmed();
                sawKey = true;
            } else if (key.compare(u"RBProjectVersion", Qt::CaseInsensitive) == 0
                       || key.compare(u"MinIDEVersion", Qt::CaseInsensitive) == 0
                       || key.compare(u"OrigIDEVersion", Qt::CaseInsensitive) == 0) {
                sawKey = true;
            }
            const QStringList fields = value.split(u';');
            if (fields.size() >= 4 && fields[2].startsWith(u"&h", Qt::CaseInsensitive))
                listed.append({key, fields[0], fields[1]});
        }
        if (!sawKey && listed.isEmpty()) {
            m_project.errors.append(
                QStringLiteral("%1: not a Xojo project manifest (no Type=, RBProjectVersion= or item lines)")
                    .arg(display));
            return;
        }
        m_project.manifest = info.absoluteFilePath();
        if (m_project.folder.isEmpty())
            m_project.folder = info.absolutePath();
        static const QSet<QString> notCode = {
            QStringLiteral("folder"),     QStringLiteral("picture"),     QStringLiteral("multiimage"),
            QStringLiteral("rawdata"),    QStringLiteral("plist"),       QStringLiteral("filetypeset"),
            QStringLiteral("buildsteps"), QStringLiteral("sound"),       QStringLiteral("movie"),
            QStringLiteral("colorgroup"), QStringLiteral("imageset"),    QStringLiteral("launchimages"),
            QStringLiteral("appicon"),    QStringLiteral("textencoding")};
        const QDir folder(info.absolutePath());
        const QString manifestPath = QDir::cleanPath(info.absoluteFilePath());
        for (const Listed &l : std::as_const(listed)) {
            if (notCode.contains(l.kind.toLower()))
                continue;
            QString rel = l.path;
            rel.replace(u'\\', u'/');
            if (excluded(QDir::cleanPath(rel)))
                continue;
            const QString abs = resolve(info.absolutePath(), rel);
            if (abs.isEmpty()) {
                m_project.unread.append(
                    {QDir::cleanPath(rel),
                     QStringLiteral("missing: listed in the manifest as %1 %2 but not on disk").arg(l.kind, l.name)});
                continue;
            }
            // Paths come out of resolve() clean and spelled as on disk, so equal text is the same file.
            const QString &canonical = abs;
            if (canonical == manifestPath) {
                m_project.errors.append(
                    QStringLiteral("%1: the manifest lists itself as item %2").arg(display, l.name));
                continue;
            }
            if (m_seen.contains(canonical))
                continue;
            m_seen.insert(canonical);
            const QString shown = QDir::cleanPath(folder.relativeFilePath(abs));
            if (QFileInfo(abs).isDir()) {
                m_project.unread.append({shown, QStringLiteral("is a folder, not an item file")});
                continue;
            }
            readItem(abs, shown, l.name);
        }
    }

    void readItem(const QString &absPath, const QString &display, const QString &name)
    {
        Item item;
        item.file = display;
        item.absPath = absPath;
        item.name = name;
        if (!loadFile(absPath, display, item.data))
            return;
        if (item.data.startsWith(kBinaryMagic)) {
            m_project.unread.append(
                {display,
                 QStringLiteral("binary format, which is not read (save the project as text or XML to scan it)")});
            return;
        }
        const std::string_view view(item.data.constData(), size_t(item.data.size()));
        if (item.data.contains('\0')) {
            m_project.unread.append({display, QStringLiteral("binary data: not a text item")});
            return;
        }
        if (!IsValidUtf8(view)) {
            m_project.unread.append({display, QStringLiteral("not UTF-8 text")});
            return;
        }
        std::string_view text = view;
        if (text.size() >= 3 && std::memcmp(text.data(), "\xEF\xBB\xBF", 3) == 0)
            text.remove_prefix(3);
        const qsizetype longest = SplitLines(text, item.lines);
        if (longest > m_options.maxLineBytes) {
            m_project.unread.append({display,
                                     QStringLiteral("a line of %1 bytes is longer than the %2 bytes read")
                                         .arg(longest)
                                         .arg(m_options.maxLineBytes)});
            return;
        }
        QString why;
        if (!ParseTextItem(item, &why)) {
            m_project.unread.append({display, why});
            return;
        }
        m_project.items.append(std::move(item));
    }

    void readXmlProject(const QFileInfo &info)
    {
        const QString display = info.filePath();
        QByteArray data;
        if (!loadFile(info.filePath(), display, data)) {
            m_project.errors.append(m_project.unread.takeLast().file + QStringLiteral(": cannot be read"));
            return;
        }
        if (m_project.folder.isEmpty())
            m_project.folder = info.absolutePath();
        m_project.manifest = info.absoluteFilePath();
        const QString shown = QDir(m_project.folder).relativeFilePath(info.absoluteFilePath());
        QXmlStreamReader xml(data);
        if (!xml.readNextStartElement() || xml.name() != u"RBProject") {
            m_project.errors.append(QStringLiteral("%1: not a Xojo XML project (no RBProject element)").arg(display));
            return;
        }
        while (xml.readNextStartElement()) {
            if (xml.name() == u"block")
                readBlock(xml, shown);
            else
                xml.skipCurrentElement();
        }
        if (xml.hasError())
            m_project.errors.append(
                QStringLiteral("%2:%1: XML error: %3").arg(xml.lineNumber()).arg(display, xml.errorString()));
    }

    struct XmlLine
    {
        QByteArray text;
        int line;
        int column;
    };

    // The text of a SourceLine, with <Hex> parts decoded.
    XmlLine readSourceLine(QXmlStreamReader &xml)
    {
        XmlLine l{QByteArray(), int(xml.lineNumber()), int(xml.columnNumber())};
        while (!xml.atEnd()) {
            const auto token = xml.readNext();
            if (token == QXmlStreamReader::Characters)
                l.text += xml.text().toUtf8();
            else if (token == QXmlStreamReader::StartElement && xml.name() == u"Hex")
                l.text += QByteArray::fromHex(xml.readElementText().toLatin1());
            else if (token == QXmlStreamReader::StartElement)
                xml.skipCurrentElement();
            else if (token == QXmlStreamReader::EndElement)
                break;
        }
        return l;
    }

    void readBlock(QXmlStreamReader &xml, const QString &file)
    {
        struct Pending
        {
            Member member;
            std::vector<XmlLine> lines;
        };
        std::vector<Pending> members;
        Item item;
        item.file = file;
        item.kind = xml.attributes().value(QLatin1String("type")).toString();
        QList<Control> controls;
        int superLine = 0, superColumn = 0;

        // Reads a member element (Method, HookInstance, ...) whose name and source are children.
        auto readMember = [&](const QString &control, bool isEvent, MemberKind kind, bool menu) {
            Pending p;
            p.member.control = control;
            p.member.isEvent = isEvent;
            p.member.kind = kind;
            p.member.isMenuHandler = menu;
            while (xml.readNextStartElement()) {
                const auto n = xml.name();
                if (n == u"ItemName") {
                    p.member.name = xml.readElementText();
                } else if (n == u"ItemSource") {
                    while (xml.readNextStartElement()) {
                        if (xml.name() == u"SourceLine")
                            p.lines.push_back(readSourceLine(xml));
                        else
                            xml.skipCurrentElement();
                    }
                } else if (n == u"ItemDeclaration" && kind == MemberKind::Property) {
                    p.lines.push_back(readSourceLine(xml));
                } else {
                    xml.skipCurrentElement();
                }
            }
            members.push_back(std::move(p));
        };
        auto memberTag = [&](QStringView n, const QString &control) {
            if (n == u"Method" || n == u"MenuHandler" || n == u"ExternalMethod" || n == u"Getter" || n == u"Setter") {
                readMember(control, false, MemberKind::Method, n == u"MenuHandler");
            } else if (n == u"HookInstance") {
                readMember(control, true, MemberKind::Method, false);
            } else if (n == u"Hook") {
                readMember(control, false, MemberKind::Hook, false);
            } else if (n == u"Property") {
                readMember(control, false, MemberKind::Property, false);
            } else {
                return false;
            }
            return true;
        };

        while (xml.readNextStartElement()) {
            const QString n = xml.name().toString();
            if (n == u"ObjName") {
                item.name = xml.readElementText();
            } else if (n == u"Superclass") {
                superLine = int(xml.lineNumber());
                superColumn = int(xml.columnNumber());
                item.super = xml.readElementText();
            } else if (n == u"Control") {
                Control c;
                c.line = int(xml.lineNumber());
                while (xml.readNextStartElement()) {
                    if (xml.name() == u"ObjName" || xml.name() == u"ItemName")
                        c.name = xml.readElementText();
                    else if (xml.name() == u"Superclass" || xml.name() == u"ControlClass") {
                        c.line = int(xml.lineNumber());
                        c.column = int(xml.columnNumber());
                        c.className = xml.readElementText();
                    } else
                        xml.skipCurrentElement();
                }
                controls.append(c);
            } else if (n == u"ControlBehavior") {
                QString control;
                while (xml.readNextStartElement()) {
                    const QString cn = xml.name().toString();
                    if (cn == u"ObjName" || cn == u"ItemName")
                        control = xml.readElementText();
                    else if (!memberTag(cn, control))
                        xml.skipCurrentElement();
                }
            } else if (!memberTag(n, QString())) {
                xml.skipCurrentElement();
            }
        }
        if (item.name.isEmpty() && item.kind.isEmpty())
            return;
        if (excluded(item.name))
            return;

        // Source lines become one text with one line per source line; each remembers its place.
        for (const Pending &p : members)
            for (const XmlLine &l : p.lines) {
                item.xmlText += l.text;
                item.xmlText += '\n';
            }
        std::string_view all(item.xmlText.constData(), size_t(item.xmlText.size()));
        size_t offset = 0;
        for (Pending &p : members) {
            p.member.firstLine = int(item.lines.size());
            for (const XmlLine &l : p.lines) {
                item.lines.push_back(all.substr(offset, size_t(l.text.size())));
                offset += size_t(l.text.size()) + 1;
                item.fileLines.push_back(l.line);
                item.columnBase.push_back(qMax(0, l.column));
            }
            p.member.endLine = int(item.lines.size());
            if (p.member.kind == MemberKind::Property && p.member.name.isEmpty() && !p.lines.empty())
                p.member.name = QString::fromUtf8(p.lines.front().text).section(u' ', 0, 0);
            item.members.append(p.member);
        }
        // Places outside the source lines (Superclass, Control) are file lines with no source
        // line of their own: they get one each, so findings there carry their file line.
        auto addPlace = [&](int line, int column) {
            item.lines.push_back(std::string_view());
            item.fileLines.push_back(line);
            item.columnBase.push_back(qMax(0, column));
            return int(item.lines.size()) - 1;
        };
        if (!item.super.isEmpty()) {
            item.superLine = addPlace(superLine, superColumn);
            item.superColumn = 0;
        }
        const bool layout = !controls.isEmpty() || item.kind.contains(u"Window", Qt::CaseInsensitive);
        if (layout) {
            Control self;
            self.name = item.name;
            self.className = item.super.isEmpty() ? item.kind : item.super;
            self.line = item.superLine >= 0 ? item.superLine : addPlace(0, 0);
            item.controls.append(self);
            item.isLayout = true;
            item.super.clear(); // reported as the layout's Begin, not again as Inherits
            item.superLine = -1;
            for (Control c : std::as_const(controls)) {
                c.line = addPlace(c.line, c.column);
                c.column = 0;
                c.parent = item.name;
                item.controls.append(c);
            }
        }
        m_project.items.append(std::move(item));
    }

    Project &m_project;
    const ReadOptions &m_options;
    QList<QRegularExpression> m_excludes;
    QHash<QString, QStringList> m_listings;
    QSet<QString> m_seen;
};

} // namespace

Project ReadProject(const QStringList &paths, const ReadOptions &options)
{
    Project project;
    Reader reader(project, options);
    for (const QString &path : paths)
        reader.readPath(path);
    return project;
}

} // namespace Scan
