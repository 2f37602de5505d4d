#include "scan/Report.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QSet>
#include <QUrl>

#include <algorithm>
#include <cstdio>

namespace Scan {

QList<Finding> Filtered(const QList<Finding> &findings, const Filter &filter)
{
    QList<Finding> out;
    for (const Finding &f : findings) {
        if (f.confidence < filter.minConfidence)
            continue;
        if (filter.target) {
            const auto release = Catalogue::ParseRelease(f.row->release);
            if (release && *release > *filter.target)
                continue;
        }
        out.append(f);
    }
    return out;
}

std::optional<Format> FormatFromText(QStringView text)
{
    static const std::pair<const char16_t *, Format> names[] = {
        {u"text", Format::Text},   {u"compact", Format::Compact}, {u"json", Format::Json},
        {u"sarif", Format::Sarif}, {u"github", Format::Github},   {u"html", Format::Html}};
    for (const auto &[name, format] : names)
        if (text.compare(QStringView(name), Qt::CaseInsensitive) == 0)
            return format;
    return std::nullopt;
}

namespace {

QString statusPhrase(const Catalogue::Row &row)
{
    QString s = Catalogue::StatusWord(row.status);
    if (!row.release.isEmpty())
        s += (row.status == Catalogue::Status::Removed ? QStringLiteral(" in ") : QStringLiteral(" since "))
            + row.release;
    return s;
}

QString replacementText(const Catalogue::Row &row)
{
    return row.hasReplacement() ? row.replacement : QStringLiteral("no replacement");
}

QString location(const Finding &f)
{
    QString where = f.item;
    if (!f.member.isEmpty()) {
        where += QStringLiteral(" › ") + f.member;
        if (f.memberLine > 0)
            where += QStringLiteral(" › ") + QString::number(f.memberLine);
    }
    return where;
}

QString fileLocation(const Finding &f)
{
    return f.file + u':' + QString::number(f.line) + u':' + QString::number(f.column);
}

// Findings grouped by element: most severe status first, then by release, then by name.
QList<QList<const Finding *>> groups(const QList<Finding> &findings)
{
    QHash<const Catalogue::Row *, QList<const Finding *>> by;
    QList<const Catalogue::Row *> order;
    for (const Finding &f : findings) {
        auto it = by.find(f.row);
        if (it == by.end()) {
            order.append(f.row);
            it = by.insert(f.row, {});
        }
        it->append(&f);
    }
    std::stable_sort(order.begin(), order.end(), [](const Catalogue::Row *a, const Catalogue::Row *b) {
        if (a->status != b->status)
            return a->status > b->status;
        const auto ra = Catalogue::ParseRelease(a->release), rb = Catalogue::ParseRelease(b->release);
        if (ra != rb)
            return ra.value_or(Catalogue::Release{9999, 0, 0}) < rb.value_or(Catalogue::Release{9999, 0, 0});
        return a->name.compare(b->name, Qt::CaseInsensitive) < 0;
    });
    QList<QList<const Finding *>> out;
    for (const Catalogue::Row *row : order)
        out.append(by.value(row));
    return out;
}

const char *ansiFor(Catalogue::Status s)
{
    switch (s) {
    case Catalogue::Status::Removed:
        return "\x1b[1;31m";
    case Catalogue::Status::Deemphasized:
        return "\x1b[36m";
    case Catalogue::Status::Deprecated:
        break;
    }
    return "\x1b[33m";
}

QString paint(bool color, const char *code, const QString &text)
{
    return color ? QLatin1String(code) + text + QLatin1String("\x1b[0m") : text;
}

QByteArray renderText(const ReportData &d)
{
    QString out;
    for (const auto &group : groups(d.findings)) {
        const Catalogue::Row &row = *group.first()->row;
        out += paint(d.color, "\x1b[1m", row.name) + QStringLiteral("  ")
            + paint(d.color, ansiFor(row.status), statusPhrase(row)) + QStringLiteral(", use ") + replacementText(row)
            + QStringLiteral("  (%1 %2)\n").arg(group.size()).arg(group.size() == 1 ? u"use" : u"uses");
        for (const Finding *f : group) {
            out += QStringLiteral("    ") + location(*f) + QStringLiteral("    ")
                + paint(d.color, "\x1b[2m", fileLocation(*f)) + QStringLiteral("  [") + ConfidenceWord(f->confidence)
                + (f->guarded ? QStringLiteral(", guarded") : QString()) + QStringLiteral("]\n");
            for (const QString &note : f->notes)
                out += QStringLiteral("        ") + note + u'\n';
        }
        out += u'\n';
    }
    if (d.project)
        for (const Unread &u : d.project->unread)
            out += QStringLiteral("not read: %1: %2\n").arg(u.file, u.reason);
    return out.toUtf8();
}

QByteArray renderCompact(const ReportData &d)
{
    QString out;
    for (const Finding &f : d.findings) {
        const QString level = f.row->status == Catalogue::Status::Removed ? QStringLiteral("error")
            : f.row->status == Catalogue::Status::Deemphasized            ? QStringLiteral("note")
                                                                          : QStringLiteral("warning");
        out += fileLocation(f) + QStringLiteral(": ") + paint(d.color, ansiFor(f.row->status), level)
            + QStringLiteral(": ") + Message(f) + QStringLiteral(" [") + ConfidenceWord(f.confidence)
            + (f.guarded ? QStringLiteral(", guarded") : QString()) + QStringLiteral("]\n");
    }
    if (d.project)
        for (const Unread &u : d.project->unread)
            out += QStringLiteral("%1: warning: not read: %2\n").arg(u.file, u.reason);
    return out.toUtf8();
}

// JSON written directly: a large project has hundreds of thousands of findings, and building
// a QJsonObject for each costs seconds.
void jsonString(QByteArray &out, const QString &s)
{
    out += '"';
    const QByteArray utf8 = s.toUtf8();
    for (const char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned char>(c));
                out += buf;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void jsonField(QByteArray &out, const char *key, const QString &value, bool last = false)
{
    out += "            \"";
    out += key;
    out += "\": ";
    jsonString(out, value);
    out += last ? "\n" : ",\n";
}

void jsonField(QByteArray &out, const char *key, qint64 value)
{
    out += "            \"";
    out += key;
    out += "\": ";
    out += QByteArray::number(value);
    out += ",\n";
}

void jsonRaw(QByteArray &out, const char *key, const char *value)
{
    out += "            \"";
    out += key;
    out += "\": ";
    out += value;
    out += ",\n";
}

void findingJson(QByteArray &out, const Finding &f)
{
    static const char *const kinds[] = {"type", "control", "function", "member"};
    out += "        {\n";
    jsonField(out, "file", f.file);
    jsonField(out, "line", f.line);
    jsonField(out, "column", f.column);
    jsonField(out, "item", f.item);
    jsonField(out, "member", f.member);
    jsonField(out, "memberLine", f.memberLine);
    jsonField(out, "element", f.row->name);
    jsonField(out, "entry", f.row->entry);
    jsonField(out, "status", Catalogue::StatusWord(f.row->status));
    jsonField(out, "release", f.row->release);
    if (f.row->hasReplacement())
        jsonField(out, "replacement", f.row->replacement);
    else
        jsonRaw(out, "replacement", "null");
    jsonField(out, "confidence", ConfidenceWord(f.confidence));
    jsonRaw(out, "guarded", f.guarded ? "true" : "false");
    jsonField(out, "kind", QLatin1String(kinds[int(f.kind)]));
    jsonField(out, "message", Message(f));
    out += "            \"notes\": [";
    for (qsizetype i = 0; i < f.notes.size(); ++i) {
        if (i)
            out += ", ";
        jsonString(out, f.notes[i]);
    }
    out += "],\n";
    jsonField(out, "snippet", f.snippet, true);
    out += "        }";
}

QByteArray renderJson(const ReportData &d)
{
    QByteArray out;
    out.reserve(d.findings.size() * 700 + 256);
    out += "{\n    \"format\": 1,\n    \"findings\": [";
    for (qsizetype i = 0; i < d.findings.size(); ++i) {
        out += i ? ",\n" : "\n";
        findingJson(out, d.findings[i]);
    }
    out += d.findings.isEmpty() ? "],\n" : "\n    ],\n";
    out += "    \"unread\": [";
    const QList<Unread> unread = d.project ? d.project->unread : QList<Unread>();
    for (qsizetype i = 0; i < unread.size(); ++i) {
        out += i ? ",\n        {" : "\n        {";
        out += "\"file\": ";
        jsonString(out, unread[i].file);
        out += ", \"reason\": ";
        jsonString(out, unread[i].reason);
        out += "}";
    }
    out += unread.isEmpty() ? "],\n" : "\n    ],\n";
    out += "    \"errors\": [";
    for (qsizetype i = 0; i < d.errors.size(); ++i) {
        out += i ? ",\n        " : "\n        ";
        jsonString(out, d.errors[i]);
    }
    out += d.errors.isEmpty() ? "]\n}\n" : "\n    ]\n}\n";
    return out;
}

QString sarifLevel(Catalogue::Status s)
{
    switch (s) {
    case Catalogue::Status::Removed:
        return QStringLiteral("error");
    case Catalogue::Status::Deemphasized:
        return QStringLiteral("note");
    case Catalogue::Status::Deprecated:
        break;
    }
    return QStringLiteral("warning");
}

QString uriOf(const QString &path)
{
    QString p = path;
    p.replace(u'\\', u'/');
    return QString::fromLatin1(QUrl::toPercentEncoding(p, "/"));
}

QByteArray renderSarif(const ReportData &d)
{
    QJsonArray rules;
    QHash<const Catalogue::Row *, int> ruleIndex;
    for (const auto &group : groups(d.findings)) {
        const Catalogue::Row &row = *group.first()->row;
        ruleIndex.insert(&row, int(rules.size()));
        const QString text = QStringLiteral("%1 is %2; use %3").arg(row.name, statusPhrase(row), replacementText(row));
        rules.append(QJsonObject{
            {QStringLiteral("id"), row.name},
            {QStringLiteral("shortDescription"), QJsonObject{{QStringLiteral("text"), text}}},
            {QStringLiteral("defaultConfiguration"), QJsonObject{{QStringLiteral("level"), sarifLevel(row.status)}}},
            {QStringLiteral("properties"),
             QJsonObject{{QStringLiteral("entry"), row.entry},
                         {QStringLiteral("status"), Catalogue::StatusWord(row.status)},
                         {QStringLiteral("release"), row.release},
                         {QStringLiteral("replacement"), row.hasReplacement() ? row.replacement : QString()}}},
        });
    }
    // Results are written directly, one line each (a QJsonObject per finding costs seconds and
    // gigabytes on a large project), and put in place of a marker below.
    // Fingerprints leave out line numbers, so a finding keeps its identity when code above moves.
    QByteArray results = "[";
    QHash<QByteArray, int> occurrences;
    for (qsizetype i = 0; i < d.findings.size(); ++i) {
        const Finding &f = d.findings[i];
        QByteArray key =
            (f.file + u'\n' + f.row->name + u'\n' + f.item + u'\n' + f.member + u'\n' + f.snippet).toUtf8();
        const int n = occurrences[key]++;
        key += '\n' + QByteArray::number(n);
        const QByteArray fingerprint = QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(32);
        results += i ? ",\n        {" : "\n        {";
        results += "\"ruleId\": ";
        jsonString(results, f.row->name);
        results += ", \"ruleIndex\": " + QByteArray::number(ruleIndex.value(f.row));
        results += ", \"level\": ";
        jsonString(results, f.confidence == Confidence::Low ? QStringLiteral("note") : sarifLevel(f.row->status));
        results += ", \"message\": {\"text\": ";
        jsonString(results, Message(f));
        results += "}, \"locations\": [{\"physicalLocation\": {\"artifactLocation\": {\"uri\": ";
        jsonString(results, uriOf(f.file));
        results += "}, \"region\": {\"startLine\": " + QByteArray::number(qMax(1, f.line))
            + ", \"startColumn\": " + QByteArray::number(qMax(1, f.column)) + "}}";
        if (!f.item.isEmpty()) {
            results += ", \"logicalLocations\": [{\"fullyQualifiedName\": ";
            jsonString(results, f.member.isEmpty() ? f.item : f.item + u'.' + f.member);
            results += f.member.isEmpty() ? ", \"kind\": \"type\"}]" : ", \"kind\": \"member\"}]";
        }
        results += "}], \"partialFingerprints\": {\"vantrelFinding/v1\": \"" + fingerprint + "\"}";
        results += ", \"properties\": {\"confidence\": ";
        jsonString(results, ConfidenceWord(f.confidence));
        results += f.guarded ? ", \"guarded\": true}}" : ", \"guarded\": false}}";
    }
    results += d.findings.isEmpty() ? "]" : "\n    ]";
    QJsonArray notifications;
    if (d.project)
        for (const Unread &u : d.project->unread)
            notifications.append(QJsonObject{
                {QStringLiteral("level"), QStringLiteral("warning")},
                {QStringLiteral("message"),
                 QJsonObject{{QStringLiteral("text"), QStringLiteral("not read: ") + u.reason}}},
                {QStringLiteral("locations"),
                 QJsonArray{QJsonObject{{QStringLiteral("physicalLocation"),
                                         QJsonObject{{QStringLiteral("artifactLocation"),
                                                      QJsonObject{{QStringLiteral("uri"), uriOf(u.file)}}}}}}}}});
    for (const QString &e : d.errors)
        notifications.append(QJsonObject{{QStringLiteral("level"), QStringLiteral("error")},
                                         {QStringLiteral("message"), QJsonObject{{QStringLiteral("text"), e}}}});
    QJsonObject run{
        {QStringLiteral("tool"),
         QJsonObject{{QStringLiteral("driver"),
                      QJsonObject{{QStringLiteral("name"), QStringLiteral("vantrel-cli")},
                                  {QStringLiteral("version"), d.version},
                                  {QStringLiteral("rules"), rules}}}}},
        {QStringLiteral("columnKind"), QStringLiteral("unicodeCodePoints")},
        {QStringLiteral("results"), QStringLiteral("@results@")},
        {QStringLiteral("invocations"),
         QJsonArray{QJsonObject{{QStringLiteral("executionSuccessful"), d.errors.isEmpty()},
                                {QStringLiteral("toolExecutionNotifications"), notifications}}}},
    };
    if (d.project && !d.project->folder.isEmpty())
        run.insert(
            QStringLiteral("originalUriBaseIds"),
            QJsonObject{{QStringLiteral("PROJECTROOT"),
                         QJsonObject{{QStringLiteral("uri"),
                                      QUrl::fromLocalFile(d.project->folder + u'/').toString(QUrl::FullyEncoded)}}}});
    const QJsonObject root{{QStringLiteral("$schema"), QStringLiteral("https://json.schemastore.org/sarif-2.1.0.json")},
                           {QStringLiteral("version"), QStringLiteral("2.1.0")},
                           {QStringLiteral("runs"), QJsonArray{run}}};
    QByteArray out = QJsonDocument(root).toJson(QJsonDocument::Indented);
    const QByteArray marker = "\"@results@\"";
    out.replace(out.indexOf(marker), marker.size(), results);
    return out;
}

// Workflow-command escaping: data escapes %, CR, LF; properties also : and ,.
QString ghData(QString s)
{
    s.replace(u'%', QStringLiteral("%25"));
    s.replace(u'\r', QStringLiteral("%0D"));
    s.replace(u'\n', QStringLiteral("%0A"));
    return s;
}

QString ghProperty(const QString &s)
{
    QString e = ghData(s);
    e.replace(u':', QStringLiteral("%3A"));
    e.replace(u',', QStringLiteral("%2C"));
    return e;
}

QByteArray renderGithub(const ReportData &d)
{
    QString out;
    for (const Finding &f : d.findings) {
        const QString command = f.row->status == Catalogue::Status::Removed ? QStringLiteral("error")
            : (f.row->status == Catalogue::Status::Deemphasized || f.confidence == Confidence::Low)
            ? QStringLiteral("notice")
            : QStringLiteral("warning");
        // Concatenated, not arg(): a path may hold "%1".
        out += QStringLiteral("::") + command + QStringLiteral(" file=") + ghProperty(f.file) + QStringLiteral(",line=")
            + QString::number(f.line) + QStringLiteral(",col=") + QString::number(f.column) + QStringLiteral(",title=")
            + ghProperty(f.row->name + QStringLiteral(" (") + Catalogue::StatusWord(f.row->status) + u')')
            + QStringLiteral("::") + ghData(Message(f)) + u'\n';
    }
    if (d.project)
        for (const Unread &u : d.project->unread)
            out += QStringLiteral("::warning file=%1,title=not read::%2\n").arg(ghProperty(u.file), ghData(u.reason));
    return out.toUtf8();
}

QString esc(const QString &s) { return s.toHtmlEscaped().replace(u'\'', QStringLiteral("&#39;")); }

QString barChart(const QString &title, const QList<std::pair<QString, int>> &bars)
{
    int max = 1;
    for (const auto &b : bars)
        max = qMax(max, b.second);
    QString out = QStringLiteral("<section class=\"chart\"><h2>%1</h2><table>").arg(esc(title));
    for (const auto &[label, n] : bars)
        out += QStringLiteral(
                   "<tr><th>%3</th><td><div class=\"bar\" style=\"width:%1%\"></div></td><td class=\"n\">%2</td></tr>")
                   .arg(qMax(1, n * 100 / max))
                   .arg(n)
                   .arg(esc(label));
    return out + QStringLiteral("</table></section>\n");
}

QByteArray renderHtml(const ReportData &d)
{
    QMap<Catalogue::Release, int> perRelease;
    int unknownRelease = 0;
    QMap<int, int> perStatus;
    for (const Finding &f : d.findings) {
        if (const auto r = Catalogue::ParseRelease(f.row->release))
            ++perRelease[*r];
        else
            ++unknownRelease;
        ++perStatus[int(f.row->status)];
    }
    QList<std::pair<QString, int>> releaseBars, statusBars;
    for (auto it = perRelease.cbegin(); it != perRelease.cend(); ++it)
        releaseBars.append({it.key().dot
                                ? QStringLiteral("%1r%2.%3").arg(it.key().year).arg(it.key().number).arg(it.key().dot)
                                : QStringLiteral("%1r%2").arg(it.key().year).arg(it.key().number),
                            it.value()});
    if (unknownRelease)
        releaseBars.append({QStringLiteral("unknown"), unknownRelease});
    for (auto it = perStatus.cbegin(); it != perStatus.cend(); ++it)
        statusBars.append({Catalogue::StatusWord(Catalogue::Status(it.key())), it.value()});

    const QString title = d.project && !d.project->manifest.isEmpty() ? QDir(d.project->manifest).dirName()
                                                                      : QStringLiteral("Xojo items");
    QString h;
    h += QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
                        "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; style-src "
                        "'unsafe-inline'; img-src 'none'; script-src 'none'; base-uri 'none'; form-action 'none'\">\n"
                        "<meta name=\"viewport\" content=\"width=device-width\">\n");
    h += QStringLiteral("<title>Deprecated uses in %1</title>\n").arg(esc(title));
    h += QStringLiteral(
        "<style>body{font:14px/1.4 system-ui,sans-serif;margin:2em;color:#222}h1{font-size:1.4em}"
        "table{border-collapse:collapse}th,td{padding:2px 8px;text-align:left;vertical-align:top}"
        ".chart td{width:24em}.bar{background:#4a7;height:1em}.n{width:auto}"
        "details{margin:.5em 0;border:1px solid #ccc;border-radius:4px;padding:.3em .6em}"
        "summary{cursor:pointer}.removed{color:#b00}.deprecated{color:#a60}.de-emphasised{color:#068}"
        "code{background:#f4f4f4;padding:0 3px}.low{color:#777}.notes{color:#555;font-size:.9em}</style>\n"
        "</head><body>\n");
    h += QStringLiteral("<h1>Deprecated uses in %1</h1>\n").arg(esc(title));
    h += QStringLiteral("<p class=\"summary\">%1</p>\n").arg(esc(Summary(d)));
    h += barChart(QStringLiteral("Findings per release"), releaseBars);
    h += barChart(QStringLiteral("Findings per status"), statusBars);
    for (const auto &group : groups(d.findings)) {
        const Catalogue::Row &row = *group.first()->row;
        const QString status = Catalogue::StatusWord(row.status);
        h += QStringLiteral("<details open><summary><code>%2</code> <span class=\"%3\">%4</span>, use <code>%5</code> "
                            "&mdash; %1</summary>\n<table>\n")
                 .arg(group.size())
                 .arg(esc(row.name), esc(status), esc(statusPhrase(row)), esc(replacementText(row)));
        for (const Finding *f : group) {
            h += QStringLiteral("<tr class=\"%1\"><td>%2</td><td>%3</td><td>%4%5</td><td><code>%6</code>")
                     .arg(ConfidenceWord(f->confidence), esc(location(*f)), esc(fileLocation(*f)),
                          esc(ConfidenceWord(f->confidence)), f->guarded ? QStringLiteral(", guarded") : QString(),
                          esc(f->snippet));
            for (const QString &n : f->notes)
                h += QStringLiteral("<div class=\"notes\">%1</div>").arg(esc(n));
            h += QStringLiteral("</td></tr>\n");
        }
        h += QStringLiteral("</table></details>\n");
    }
    if (d.project && !d.project->unread.isEmpty()) {
        h += QStringLiteral("<h2>Not read</h2>\n<ul>\n");
        for (const Unread &u : d.project->unread)
            h += QStringLiteral("<li><code>%1</code>: %2</li>\n").arg(esc(u.file), esc(u.reason));
        h += QStringLiteral("</ul>\n");
    }
    if (!d.errors.isEmpty()) {
        h += QStringLiteral("<h2>Errors</h2>\n<ul>\n");
        for (const QString &e : d.errors)
            h += QStringLiteral("<li>%1</li>\n").arg(esc(e));
        h += QStringLiteral("</ul>\n");
    }
    h += QStringLiteral("</body></html>\n");
    return h.toUtf8();
}

} // namespace

QString Message(const Finding &f)
{
    const Catalogue::Row &row = *f.row;
    QString m;
    if (f.confidence == Confidence::Low)
        m = QStringLiteral("possibly %1, which is %2").arg(row.name, statusPhrase(row));
    else
        m = QStringLiteral("%1 is %2").arg(row.name, statusPhrase(row));
    if (row.hasReplacement())
        m += (f.confidence == Confidence::Low ? QStringLiteral("; if so use ") : QStringLiteral("; use "))
            + row.replacement;
    else
        m += QStringLiteral("; no replacement");
    if (f.guarded)
        m += QStringLiteral(" (inside a version or target guard)");
    for (const QString &n : f.notes)
        m += QStringLiteral("; ") + n;
    return m;
}

QByteArray Render(Format format, const ReportData &data)
{
    switch (format) {
    case Format::Text:
        return renderText(data);
    case Format::Compact:
        return renderCompact(data);
    case Format::Json:
        return renderJson(data);
    case Format::Sarif:
        return renderSarif(data);
    case Format::Github:
        return renderGithub(data);
    case Format::Html:
        return renderHtml(data);
    }
    return QByteArray();
}

QString Summary(const ReportData &d)
{
    int counts[3] = {0, 0, 0};
    QSet<QString> files;
    for (const Finding &f : d.findings) {
        ++counts[int(f.confidence)];
        files.insert(f.file);
    }
    QStringList parts;
    if (counts[2])
        parts.append(QStringLiteral("%1 high").arg(counts[2]));
    if (counts[1])
        parts.append(QStringLiteral("%1 medium").arg(counts[1]));
    if (counts[0])
        parts.append(QStringLiteral("%1 low").arg(counts[0]));
    const qsizetype n = d.findings.size();
    QString s = QStringLiteral("%1 %2").arg(n).arg(n == 1 ? u"finding" : u"findings");
    if (!parts.isEmpty())
        s += QStringLiteral(" (%1)").arg(parts.join(QStringLiteral(", ")));
    if (d.project) {
        const qsizetype items = d.project->items.size();
        s += QStringLiteral(" in %1 of %2 %3").arg(files.size()).arg(items).arg(items == 1 ? u"item" : u"items");
        const qsizetype unread = d.project->unread.size();
        if (unread)
            s += QStringLiteral("; %1 %2 not read").arg(unread).arg(unread == 1 ? u"item" : u"items");
    }
    if (!d.errors.isEmpty())
        s += QStringLiteral("; %1 %2").arg(d.errors.size()).arg(d.errors.size() == 1 ? u"error" : u"errors");
    return s;
}

} // namespace Scan
