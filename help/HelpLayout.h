#pragma once
// The widget-free half of the two help windows: the text the HTML window measures, and the
// rule that sizes a help window to its text and puts it near the top right of the screen.

#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

namespace HelpLayout {

// The plain text of an HTML help topic, used only to measure it: the body (when there is
// one), paragraphs and breaks as line feeds, tags removed, runs of white space shortened to two.
QString RawTextFromHTML(const QString &html);

// Height of the topic's text wrapped at the given width, truncated to whole points.
using TextHeightMeasurer = std::function<int(int wrapWidth)>;

struct WindowFrame
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The help windows' own size limits.
inline constexpr QSize kMinimumSize{200, 200};
inline constexpr QSize kMaximumSize{1500, 3000};

// The window's frame for a requested size. Both sides given: that size. Either side 0: a
// width of 340, 440, 640, 840 or 1040 chosen by how much the text still shrinks when wrapped
// wider, a height to match, neither above 80 % of the available screen. The window's own
// limits apply last, as the window itself would apply them. Top is the available top + 22;
// left is the available width - width - 4.
WindowFrame AdjustWindowSize(const TextHeightMeasurer &textHeight, qint64 width, qint64 height, const QRect &available,
                             QSize minimum = kMinimumSize, QSize maximum = kMaximumSize);

} // namespace HelpLayout
