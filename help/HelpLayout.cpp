#include "help/HelpLayout.h"

#include <QRegularExpression>

#include <algorithm>

namespace HelpLayout {

namespace {

void replaceAll(QString &text, const QString &before, const QString &after)
{
    text.replace(before, after, Qt::CaseInsensitive);
}

} // namespace

QString RawTextFromHTML(const QString &html)
{
    QString text = html;

    const QString bodyOpen = QStringLiteral("<body>");
    const QString bodyClose = QStringLiteral("</body>");
    const qsizetype open = text.indexOf(bodyOpen, 0, Qt::CaseInsensitive);
    const qsizetype close = text.indexOf(bodyClose, 0, Qt::CaseInsensitive);
    if (open >= 0 && close >= 0 && open + bodyOpen.size() <= close)
        text = text.mid(open + bodyOpen.size(), close - open - bodyOpen.size());

    // With paragraph tags the source's own line feeds are only layout; the tags make the breaks.
    if (text.contains(QStringLiteral("<p>"), Qt::CaseInsensitive)) {
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        replaceAll(text, QStringLiteral("<p>"), QStringLiteral("\n"));
    }
    replaceAll(text, QStringLiteral("&nbsp"), QStringLiteral(" "));
    replaceAll(text, QStringLiteral("<br/>"), QStringLiteral("\n"));
    replaceAll(text, QStringLiteral("</p>"), QStringLiteral("\n"));

    static const QRegularExpression tag(QStringLiteral("<[^<>]+>"), QRegularExpression::CaseInsensitiveOption);
    text.remove(tag);
    text = text.trimmed();

    // One pass shortens each run of three by one character; repeat until no run is left.
    static const QRegularExpression longRun(QStringLiteral("(\\s\\s)\\s"), QRegularExpression::CaseInsensitiveOption);
    while (text.contains(longRun))
        text.replace(longRun, QStringLiteral("\\1"));
    return text;
}

WindowFrame AdjustWindowSize(const TextHeightMeasurer &textHeight, qint64 width, qint64 height, const QRect &available,
                             QSize minimum, QSize maximum)
{
    qint64 newWidth = width;
    qint64 newHeight = height;
    if (width == 0 || height == 0) {
        const qint64 h300 = textHeight(300);
        const qint64 h400 = textHeight(400);
        const qint64 h600 = textHeight(600);
        const qint64 h800 = textHeight(800);
        const qint64 h1000 = textHeight(1000);

        // Go wider only while that still saves more than 80 points; the last test that holds wins.
        qint64 chosen = 300;
        qint64 chosenHeight = h300;
        if (h300 - h400 > 80) {
            chosen = 400;
            chosenHeight = h400;
        }
        if (h400 - h600 > 80) {
            chosen = 600;
            chosenHeight = h600;
        }
        if (h600 - h800 > 80) {
            chosen = 800;
            chosenHeight = h800;
        }
        if (h800 - h1000 > 80) {
            chosen = 1000;
            chosenHeight = h1000;
        }

        newWidth = chosen + 40;
        // 1.2 x height, truncated, in whole numbers so no rounding of 1.2 creeps in.
        newHeight = chosenHeight * 6 / 5 + (chosen == 300 ? 180 : 216);

        const qint64 heightLimit = qint64(available.height()) * 4 / 5;
        const qint64 widthLimit = qint64(available.width()) * 4 / 5;
        newHeight = std::min(newHeight, heightLimit);
        newWidth = std::min(newWidth, widthLimit);
    }

    WindowFrame frame;
    frame.width = int(std::clamp<qint64>(newWidth, minimum.width(), maximum.width()));
    frame.height = int(std::clamp<qint64>(newHeight, minimum.height(), maximum.height()));
    frame.top = available.top() + 22;
    frame.left = available.width() - frame.width - 4;
    return frame;
}

} // namespace HelpLayout
