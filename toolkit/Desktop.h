#pragma once
// Desktop services for the widget layer: the real modal message box, beep and URL opener, the
// main screen's available area, text measuring, pictures by name and the keyboard state.
// Each has a seam so a test can pin what the machine would otherwise decide.

#include <QPixmap>
#include <QRect>
#include <QString>

#include <optional>

namespace Toolkit {

// Installs the desktop message box, beep and URL opener in place of the logging defaults.
void installDesktopServices();

// Screen(0): the main screen's available area, in points.
struct ScreenInfo
{
    int AvailableLeft = 0;
    int AvailableTop = 0;
    int AvailableWidth = 0;
    int AvailableHeight = 0;
};
ScreenInfo Screen0();
// Test seam: pins Screen0() to `area` while set; std::nullopt restores the real screen.
void pinScreenForTests(std::optional<QRect> area);

// Height of `text` wrapped at `wrapWidth` points in `fontName` ("System" is the system font)
// at `pointSize`, as a 1 x 1 picture's graphics would measure it.
double TextHeight(const QString &text, const QString &fontName, double pointSize, int wrapWidth);

// A picture compiled into the program, by its resource name ("VantrelSmaller64").
QPixmap PictureNamed(const QString &name);

namespace Keyboard {
// Whether the Option key (Alt where there is none) is down at this moment.
bool AsyncAltKey();
// Test seam: pins AsyncAltKey() while set; std::nullopt restores the real keyboard.
void pinAltKeyForTests(std::optional<bool> down);
} // namespace Keyboard

// The toolkit's full version string, e.g. "Qt 6.4.2".
QString ToolkitVersion();

} // namespace Toolkit
