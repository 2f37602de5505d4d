#pragma once
// What the two help windows share: their design layout and limits, the Done button, and a
// content control that the user can read and scroll but not change.

#include "help/HelpLayout.h"

#include <QRect>
#include <QSize>

class QAbstractScrollArea;
class QFont;
class QString;

namespace Toolkit {
class Button;
class ModalWindow;
} // namespace Toolkit

namespace HelpWindowParts {

inline constexpr QSize kDesignSize{414, 446};
inline constexpr QRect kContentFrame{20, 20, 374, 379};
inline constexpr QRect kDoneFrame{314, 411, 80, 20};

// The help text is measured in this size (and a window's font: "Helvetica" for HTML, the
// system font for plain text) and shown in it too, so that a window sized to its text fits it.
inline constexpr double kTextPointSize = 14;
QFont textFont(const QString &fontName);

// Title, size limits and object name of a fresh help window.
void setUpWindow(Toolkit::ModalWindow *window, const QString &objectName, const QString &designTitle);

// Disables the content control so it cannot be edited or clicked, while its text keeps the
// colours of an enabled control and the mouse wheel still scrolls it: a help text longer
// than the window must stay readable.
void makeReadOnlyContent(QAbstractScrollArea *area);

// The "Done" button at its place, the window's default button (Return presses it).
Toolkit::Button *addDoneButton(Toolkit::ModalWindow *window);

// AdjustWindowSize for either window: sizes the window (to the measured text when width or
// height is 0) and places it near the top right of the main screen.
void sizeAndPlace(Toolkit::ModalWindow *window, const HelpLayout::TextHeightMeasurer &textHeight, qint64 width,
                  qint64 height);

// With the Option key (Alt) down, writes the window's size and title to the Desktop as
// "WindowSizeInfo", the record from which a topic's width and height are chosen.
void writeSizeRecordIfAltKey(Toolkit::ModalWindow *window);

} // namespace HelpWindowParts
