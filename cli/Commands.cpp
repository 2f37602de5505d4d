#include "cli/Commands.h"

#include "catalogue/CatalogueRows.h"
#include "catalogue/CatalogueText.h"
#include "catalogue/ModGlobal.h"
#include "scan/Project.h"
#include "scan/Report.h"
#include "scan/Scanner.h"
#include "search/Lookup.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <unistd.h>

namespace Cli {

namespace {

void write(FILE *f, const QByteArray &bytes) { std::fwrite(bytes.constData(), 1, size_t(bytes.size()), f); }
void write(FILE *f, const QString &text) { write(f, text.toUtf8()); }

const char kMainHelp[] = R"(Usage: vantrel-cli COMMAND [OPTION]... ARGUMENT...

Looks words up in the catalogue of withdrawn Xojo API elements, and scans Xojo projects for
their uses.

Commands:
  lookup WORD...   the catalogue rows of each keyword, as the window finds them
  scan PATH...     deprecated, removed and de-emphasised elements used by a project

Options:
  -h, --help       this text; "vantrel-cli COMMAND --help" for a command's options
  --version        the program's version

Exit status: 0 success, 1 not found (lookup) or findings (scan), 2 error.
)";

const char kLookupHelp[] = R"(Usage: vantrel-cli lookup [--format text|json] WORD...

Cleans each WORD as the search field does (blanks and , ; : ' ] [ ( ) * & removed), looks it up
as a keyword, letter case ignored, and prints its catalogue rows: entry, name, status, release
and replacement. A word that is no keyword gets, on stderr, up to ten keywords starting with it.

Options:
  --format text|json   aligned columns (default) or JSON
  -h, --help           this text

Exit status: 0 every word found, 1 a word is no keyword, 2 usage error.
)";

const char kScanHelp[] = R"(Usage: vantrel-cli scan [OPTION]... PATH...

PATH is a .xojo_project or .rbvcp manifest, a folder holding one, a .xojo_xml_project, or item
files (.xojo_code, .xojo_window, .xojo_menu, .rbbas, .rbfrm ...). Only the items a manifest lists
are read; listed items that are missing, binary or unreadable are reported as not read. Binary
projects are detected and not read. Nothing is ever written into the project.

Options:
  --format FORMAT          text (default, grouped by element), compact (file:line:col: warning:
                           ...), json, sarif (2.1.0), github (workflow annotations), html (one
                           self-contained page)
  --target RELEASE         only what was withdrawn at or before RELEASE (e.g. 2019r3)
  --min-confidence LEVEL   high, medium (default) or low; low adds uses known by name only
  --exclude GLOB           skip items whose project path matches GLOB (repeatable); a folder
                           name excludes everything under it, e.g. --exclude 'Vendor'
  --fail-on LEVEL          removed, deprecated (default) or none: which findings make exit 1
                           (findings under #If XojoVersion / Target... guards never do)
  --color[=WHEN]           auto (default: on a terminal unless NO_COLOR is set), always, never
  -h, --help               this text

The report goes to stdout, a one-line summary to stderr.
Exit status: 0 nothing at or above the fail level, 1 findings or unread items, 2 error.
)";

struct Usage
{
    QString message;
};

// "--name=value" or "--name value".
bool optionValue(const QStringList &args, qsizetype &i, const QString &name, QString &value)
{
    const QString &a = args[i];
    if (a == name) {
        if (i + 1 >= args.size())
            throw Usage{QStringLiteral("%1 needs a value").arg(name)};
        value = args[++i];
        return true;
    }
    if (a.startsWith(name + u'=')) {
        value = a.sliced(name.size() + 1);
        return true;
    }
    return false;
}

int lookup(const QStringList &args, FILE *out, FILE *err)
{
    QStringList words;
    bool json = false;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString value;
        if (!optionsEnded && (args[i] == u"-h" || args[i] == u"--help")) {
            write(out, QByteArray(kLookupHelp));
            return Ok;
        }
        if (!optionsEnded && args[i] == u"--") {
            optionsEnded = true;
        } else if (!optionsEnded && optionValue(args, i, QStringLiteral("--format"), value)) {
            if (value == u"json")
                json = true;
            else if (value == u"text")
                json = false;
            else
                throw Usage{QStringLiteral("unknown format '%1' (text or json)").arg(value)};
        } else if (!optionsEnded && args[i].startsWith(u"--")) {
            throw Usage{QStringLiteral("unknown option '%1'").arg(args[i])};
        } else {
            words.append(args[i]);
        }
    }
    if (words.isEmpty())
        throw Usage{QStringLiteral("lookup needs a WORD")};

    const ModGlobal::KeywordDictionary index =
        ModGlobal::ParseKeywordIndex(Catalogue::KEYWORDS_TEXT_View(), ModGlobal::TextStorage::Static);
    const Catalogue::Rows &rows = Catalogue::Rows::Builtin();
    int status = Ok;
    QJsonArray results;
    QString text;
    for (const QString &word : std::as_const(words)) {
        const Search::LookupResult r = Search::Lookup(word, index, rows);
        if (!r.found) {
            status = NotFound;
            const QStringList hints = Search::KeywordsStartingWith(word, index, 10);
            QString msg =
                QStringLiteral("vantrel-cli: '%1' is not a keyword\n").arg(r.cleaned.isEmpty() ? word : r.cleaned);
            if (!hints.isEmpty())
                msg += QStringLiteral("keywords starting with '%1': %2\n")
                           .arg(r.cleaned, hints.join(QStringLiteral(", ")));
            write(err, msg);
            if (json) {
                QJsonArray h;
                for (const QString &k : hints)
                    h.append(k);
                results.append(QJsonObject{{QStringLiteral("word"), word},
                                           {QStringLiteral("keyword"), r.cleaned},
                                           {QStringLiteral("found"), false},
                                           {QStringLiteral("rows"), QJsonArray()},
                                           {QStringLiteral("suggestions"), h}});
            }
            continue;
        }
        if (json) {
            QJsonArray list;
            for (const Catalogue::Row *row : r.rows)
                list.append(QJsonObject{{QStringLiteral("entry"), row->entry},
                                        {QStringLiteral("name"), row->name},
                                        {QStringLiteral("status"), row->statusText},
                                        {QStringLiteral("release"), row->release},
                                        {QStringLiteral("replacement"), row->replacement}});
            results.append(QJsonObject{{QStringLiteral("word"), word},
                                       {QStringLiteral("keyword"), r.cleaned},
                                       {QStringLiteral("found"), true},
                                       {QStringLiteral("rows"), list}});
            continue;
        }
        // Aligned columns; the widths are measured in characters.
        const QStringList headers = {QStringLiteral("Entry"), QStringLiteral("Name"), QStringLiteral("Status"),
                                     QStringLiteral("Release"), QStringLiteral("Replacement")};
        QList<QStringList> table;
        for (const Catalogue::Row *row : r.rows)
            table.append({row->entry, row->name, row->statusText, row->release, row->replacement});
        QList<qsizetype> width;
        for (const QString &h : headers)
            width.append(h.size());
        for (const QStringList &line : std::as_const(table))
            for (qsizetype c = 0; c < line.size(); ++c)
                width[c] = qMax(width[c], line[c].size());
        auto format = [&](const QStringList &line) {
            QString s;
            for (qsizetype c = 0; c < line.size(); ++c)
                s += c + 1 < line.size() ? line[c].leftJustified(width[c] + 2) : line[c];
            return s.trimmed() + u'\n';
        };
        if (!text.isEmpty())
            text += u'\n';
        text += r.cleaned + QStringLiteral(": %1 %2\n").arg(r.rows.size()).arg(r.rows.size() == 1 ? u"row" : u"rows");
        text += format(headers);
        for (const QStringList &line : std::as_const(table))
            text += format(line);
    }
    if (json)
        write(out,
              QJsonDocument(QJsonObject{{QStringLiteral("format"), 1}, {QStringLiteral("lookups"), results}})
                  .toJson(QJsonDocument::Indented));
    else
        write(out, text);
    return status;
}

int scan(const QStringList &args, FILE *out, FILE *err)
{
    QStringList paths;
    Scan::Format format = Scan::Format::Text;
    Scan::Filter filter;
    Scan::ReadOptions readOptions;
    enum {
        FailRemoved,
        FailDeprecated,
        FailNone
    } failOn = FailDeprecated;
    enum {
        Auto,
        Always,
        Never
    } color = Auto;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        QString value;
        if (optionsEnded || !a.startsWith(u'-') || a == u"-") {
            paths.append(a);
        } else if (a == u"--") {
            optionsEnded = true;
        } else if (a == u"-h" || a == u"--help") {
            write(out, QByteArray(kScanHelp));
            return Ok;
        } else if (optionValue(args, i, QStringLiteral("--format"), value)) {
            const auto f = Scan::FormatFromText(value);
            if (!f)
                throw Usage{
                    QStringLiteral("unknown format '%1' (text, compact, json, sarif, github or html)").arg(value)};
            format = *f;
        } else if (optionValue(args, i, QStringLiteral("--target"), value)) {
            filter.target = Catalogue::ParseRelease(value);
            if (!filter.target)
                throw Usage{QStringLiteral("'%1' is not a Xojo release (e.g. 2019r3 or 2021r3.1)").arg(value)};
        } else if (optionValue(args, i, QStringLiteral("--min-confidence"), value)) {
            const auto c = Scan::ConfidenceFromText(value);
            if (!c)
                throw Usage{QStringLiteral("unknown confidence '%1' (high, medium or low)").arg(value)};
            filter.minConfidence = *c;
        } else if (optionValue(args, i, QStringLiteral("--exclude"), value)) {
            readOptions.excludeGlobs.append(value);
        } else if (optionValue(args, i, QStringLiteral("--fail-on"), value)) {
            if (value == u"removed")
                failOn = FailRemoved;
            else if (value == u"deprecated")
                failOn = FailDeprecated;
            else if (value == u"none")
                failOn = FailNone;
            else
                throw Usage{QStringLiteral("unknown --fail-on level '%1' (removed, deprecated or none)").arg(value)};
        } else if (a == u"--color") {
            color = Always;
        } else if (a.startsWith(u"--color=")) {
            const QString when = a.sliced(8);
            if (when == u"auto")
                color = Auto;
            else if (when == u"always")
                color = Always;
            else if (when == u"never")
                color = Never;
            else
                throw Usage{QStringLiteral("unknown --color value '%1' (auto, always or never)").arg(when)};
        } else {
            throw Usage{QStringLiteral("unknown option '%1'").arg(a)};
        }
    }
    if (paths.isEmpty())
        throw Usage{QStringLiteral("scan needs a PATH")};

    const Scan::Project project = Scan::ReadProject(paths, readOptions);
    const Scan::ScanResult result = Scan::ScanProject(project, Scan::ScanCatalogue::Builtin(), filter.minConfidence);

    Scan::ReportData data;
    data.project = &project;
    data.findings = Scan::Filtered(result.findings, filter);
    data.errors = project.errors + result.errors;
    data.version = QStringLiteral(VANTREL_VERSION);
    const bool terminal = isatty(fileno(out)) && qEnvironmentVariableIsEmpty("NO_COLOR");
    data.color = (color == Always || (color == Auto && terminal))
        && (format == Scan::Format::Text || format == Scan::Format::Compact);

    write(out, Scan::Render(format, data));
    std::fflush(out);
    for (const QString &e : std::as_const(data.errors))
        write(err, QStringLiteral("vantrel-cli: error: %1\n").arg(e));
    const bool nothingRead = project.items.isEmpty() && !project.unread.isEmpty();
    if (nothingRead && data.errors.isEmpty())
        write(err, QStringLiteral("vantrel-cli: error: nothing could be read\n"));
    write(err, Scan::Summary(data) + u'\n');

    if (!data.errors.isEmpty() || nothingRead)
        return Error;
    if (failOn == FailNone)
        return Ok;
    if (!project.unread.isEmpty())
        return Findings;
    for (const Scan::Finding &f : std::as_const(data.findings)) {
        // Code under a version or target guard is old on purpose; it is reported, not failed on.
        if (f.guarded)
            continue;
        if (f.row->status == Catalogue::Status::Removed)
            return Findings;
        if (failOn == FailDeprecated && f.row->status == Catalogue::Status::Deprecated)
            return Findings;
    }
    return Ok;
}

} // namespace

int Run(const QStringList &args, FILE *out, FILE *err)
{
    try {
        if (args.isEmpty()) {
            write(err, QByteArray(kMainHelp));
            return Error;
        }
        const QString &command = args.first();
        if (command == u"-h" || command == u"--help" || command == u"help") {
            write(out, QByteArray(kMainHelp));
            return Ok;
        }
        if (command == u"--version") {
            write(out, QStringLiteral("vantrel-cli %1\n").arg(QStringLiteral(VANTREL_VERSION)));
            return Ok;
        }
        if (command == u"lookup")
            return lookup(args.mid(1), out, err);
        if (command == u"scan")
            return scan(args.mid(1), out, err);
        throw Usage{QStringLiteral("unknown command '%1'").arg(command)};
    } catch (const Usage &u) {
        write(err, QStringLiteral("vantrel-cli: %1\nTry 'vantrel-cli --help'.\n").arg(u.message));
        return Error;
    }
}

} // namespace Cli
