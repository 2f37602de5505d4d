#include "help/Help.h"

#include "errors/CatchClause.h"
#include "toolkit/System.h"
#include "util/FileTools.h"
#include "util/StringUtils.h"

#include <QStringList>

#include <utility>

namespace Help {

QString sHelpText;
std::optional<QMap<qint64, QString>> helpDict;

namespace {

const QString kTerminator = QStringLiteral("<#CR>");
const QChar kSeparator = QLatin1Char('\t');
const QString kDesktop = QStringLiteral("Desktop");
constexpr qint64 kStampStyle = 4;

std::optional<QString> &sourceOverride()
{
    static std::optional<QString> source;
    return source;
}

HelpWindowOpener &windowOpener()
{
    static HelpWindowOpener opener;
    return opener;
}

const QString &source()
{
    const std::optional<QString> &over = sourceOverride();
    return over ? *over : HELP_TEXT();
}

QString withoutTrailingTerminator(QString text)
{
    if (text.endsWith(kTerminator, Qt::CaseInsensitive))
        text.chop(kTerminator.size());
    return text;
}

QString trimmedEnd(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

// Digits only, and few enough for the 64-bit number that the store and the windows read: a longer
// one would read as 0 and turn into another topic or size.
bool isNumberField(const QString &field)
{
    bool fits = false;
    field.toLongLong(&fits);
    return StringUtils::IsPosInteger(field) && fits;
}

void rejectHelpText(const QString &message, const QString &original)
{
    Toolkit::MessageBox(message);
    FileTools::TextToFile(original, QStringLiteral("BadOriginal"), kDesktop, kStampStyle);
}

} // namespace

void CleanHelpText()
{
    static constexpr HandlerId id{"Help", "", "CleanHelpText", HandlerKind::ModuleMethod};
    Guard(id, [] {
        // A copy: the source may be the store text that is cleared next.
        const QString original = source(); // NOLINT(performance-unnecessary-copy-initialization)
        // Start empty, so a text that fails validation never leaves an earlier run's topics behind.
        sHelpText.clear();

        QStringList records =
            withoutTrailingTerminator(original.trimmed()).split(kTerminator, Qt::KeepEmptyParts, Qt::CaseInsensitive);
        for (QString &record : records) {
            QStringList fields = record.trimmed().split(kSeparator);
            const qsizetype shortfall = 5 - fields.size();
            if (shortfall < 0 || shortfall > 3) {
                rejectHelpText(QStringLiteral("HELP_TEXT is incorrectly formatted. Some entries not correctly "
                                              "broken up by unit separators."),
                               original);
                return;
            }
            if (shortfall == 3) {
                // Number and one text: the text is the content, the title stays empty.
                fields << QString() << QString() << QString();
                fields[2] = fields[1];
                fields[1].clear();
                fields[3] = QStringLiteral("0");
                fields[4] = QStringLiteral("0");
            } else if (shortfall == 2) {
                fields << QStringLiteral("0") << QStringLiteral("0");
            } else if (shortfall == 1) {
                fields << QStringLiteral("0");
            }
            if (fields[2].isEmpty() && !fields[1].isEmpty()) {
                fields[2] = fields[1];
                fields[1].clear();
            }
            if (!isNumberField(fields[0]) || !isNumberField(fields[3]) || !isNumberField(fields[4])) {
                rejectHelpText(
                    QStringLiteral("HELP_TEXT is incorrectly formatted. Does not have digits in right place."),
                    original);
                return;
            }
            if (fields[2].isEmpty() || StringUtils::IsPosInteger(fields[2])) {
                rejectHelpText(QStringLiteral("HELP_TEXT is incorrectly formatted. No appropriate data for content."),
                               original);
                return;
            }

            // A window is either sized to its text (0 x 0) or given both sides, each at least 100.
            const qint64 w = fields[3].toLongLong();
            const qint64 h = fields[4].toLongLong();
            if (w != 0 && h == 0)
                fields[4] = QStringLiteral("100");
            if (w == 0 && h != 0)
                fields[3] = QStringLiteral("100");
            if (w != 0 && w < 100)
                fields[3] = QStringLiteral("100");
            if (h != 0 && h < 100)
                fields[4] = QStringLiteral("100");

            record = fields.join(kSeparator);
        }

        QString cleaned;
        for (const QString &record : std::as_const(records))
            cleaned += record + kTerminator + QLatin1Char('\n');
        sHelpText = cleaned.trimmed();

        if (sHelpText.compare(original, Qt::CaseInsensitive) != 0) {
            FileTools::TextToFile(sHelpText, QStringLiteral("Cleaned"), kDesktop, kStampStyle);
            FileTools::TextToFile(original, QStringLiteral("Original"), kDesktop, kStampStyle);
        }
    });
}

void FillDictionaryFromHELP_TEXT()
{
    static constexpr HandlerId id{"Help", "", "FillDictionaryFromHELP_TEXT", HandlerKind::ModuleMethod};
    Guard(id, [] {
        CleanHelpText();
        helpDict.emplace();
        const QStringList pieces =
            withoutTrailingTerminator(sHelpText).split(kTerminator, Qt::KeepEmptyParts, Qt::CaseInsensitive);
        for (const QString &raw : pieces) {
            const QString piece = raw.trimmed();
            const qsizetype tab = piece.indexOf(kSeparator);
            // Only the empty text of a failed validation has a piece without a tab: no topic.
            if (tab < 0)
                continue;
            helpDict->insert(piece.left(tab).toLongLong(), trimmedEnd(piece.mid(tab + 1)));
        }
    });
}

void ShowHelp(qint64 topic)
{
    static constexpr HandlerId id{"Help", "", "ShowHelp", HandlerKind::ModuleMethod};
    Guard(id, [topic] {
        if (!helpDict)
            throw NilObjectException(QStringLiteral("The help topics have not been loaded."));
        const auto entry = helpDict->constFind(topic);
        if (entry == helpDict->cend()) {
            Toolkit::MessageBox(QStringLiteral("No Dictionary Entry for Key ") + QString::number(topic));
            return;
        }
        const QStringList parts = entry.value().split(kSeparator);
        if (parts.size() < 4)
            throw OutOfBoundsException(
                QStringLiteral("Help topic %1 has %2 fields, not 4.").arg(topic).arg(parts.size()));
        QString title = parts.at(0).trimmed();
        if (title.isEmpty())
            title = QStringLiteral("Help");
        const QString content = parts.at(1).trimmed();
        const qint64 width = parts.at(2).toLongLong();
        const qint64 height = parts.at(3).toLongLong();

        // Copy: the opener may replace itself while its modal window is open.
        const HelpWindowOpener open = windowOpener();
        if (!open)
            throw NilObjectException(QStringLiteral("No help window is available."));
        open(IsHTML(content), content, title, width, height);
    });
}

bool IsHTML(const QString &text)
{
    static constexpr HandlerId id{"Help", "", "IsHTML", HandlerKind::ModuleMethod};
    return Guard(id, [&text] {
        // "<h" also catches html, head, hr and the h1 to h6 headings.
        static const QString markers[] = {
            QStringLiteral("<p>"),    QStringLiteral("<i>"),    QStringLiteral("<b>"),     QStringLiteral("<em>"),
            QStringLiteral("<body>"), QStringLiteral("<span>"), QStringLiteral("<style="), QStringLiteral("<h"),
        };
        for (const QString &marker : markers) {
            if (text.contains(marker, Qt::CaseInsensitive))
                return true;
        }
        return false;
    });
}

HelpWindowOpener setWindowOpener(HelpWindowOpener opener) { return std::exchange(windowOpener(), std::move(opener)); }

std::optional<QString> setHelpSourceForTests(std::optional<QString> source)
{
    return std::exchange(sourceOverride(), std::move(source));
}

} // namespace Help
