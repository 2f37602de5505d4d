#pragma once
// The two layouts of the browser window as tables: every control in creation order with its
// kind, frame in points (left, top, width, height) and the window edges it is anchored to,
// plus the window's title, size, size limits and tab order; and beside them, per control name,
// what the control shows (its looks), which both layouts share.

#include <QList>
#include <QSize>
#include <Qt>

namespace BrowserLayouts {

enum class Kind {
    Button,
    ListBox,
    TextField,
    Label,
    Rectangle
};

struct ControlRow
{
    const char *name;
    Kind kind;
    int left;
    int top;
    int width;
    int height;
    int anchors; // Toolkit::Anchor flags
};

struct LayoutTable
{
    const char *windowName;
    const char *title;
    QSize size;
    QSize minimumSize;
    QSize maximumSize;
    QList<ControlRow> controls;
    QList<const char *> tabOrder;
};

const LayoutTable &MainLayout();
const LayoutTable &ExpandFilterLayout();

// A colour as 0xRRGGBB; kNoColor leaves the control's own. (Plain integers keep the looks rows
// aggregates that designated initializers fill without warnings.)
inline constexpr int kNoColor = -1;

enum class FontRole {
    Default,
    Bold,        // the keyword
    Count,       // the hit count: bold, large
    Emoji,       // the magnifying glass
    SwitchGlyph, // the elephant and the mouse
};

// What a control shows, by name; a field left at its default leaves the control as built.
struct ControlLooks
{
    const char *name;
    const char *text = nullptr; // initial text (UTF-8)
    const char *accessibleName = nullptr;
    const char *accessibleDescription = nullptr;
    const char *tooltip = nullptr;
    int textColor = kNoColor;
    int background = kNoColor; // a rectangle's fill
    int border = kNoColor;     // rectangles only
    int borderThickness = 0;
    int cornerSize = 0;
    Qt::Alignment alignment = {};
    FontRole font = FontRole::Default;
    // A label that shows a result: its accessible name carries the value after its role.
    bool announcesValue = false;
    bool helpButton = false;
};

// The looks row of a control, or nullptr when it has none.
const ControlLooks *LooksOf(const char *name);

} // namespace BrowserLayouts
