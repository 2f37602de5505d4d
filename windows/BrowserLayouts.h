#pragma once
// The two layouts of the browser window as tables: every control in creation order with its
// kind, frame in points (left, top, width, height) and the window edges it is anchored to,
// plus the window's title, size, size limits and tab order.

#include <QList>
#include <QSize>

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

} // namespace BrowserLayouts
