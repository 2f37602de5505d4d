#pragma once
// Building a browser window's controls from its tables: each control from its layout row, then
// what it shows from its looks row. The window itself only wires handlers to them.

#include "windows/BrowserLayouts.h"

#include <QString>

class QLabel;
class QWidget;

namespace Toolkit {
class Label;
class TextField;
} // namespace Toolkit

namespace BrowserControls {

// A new control of the row's kind, named after it; lists get their headers, widths and sort rules.
QWidget *Create(const BrowserLayouts::ControlRow &row);

// Applies the looks row of the control's name (none: the control stays as built).
void ApplyLooks(QWidget *control);

// Shows a result in a label; a label that announces its value gets it in its accessible name,
// so a screen reader hears the change ("Number of hits: 4 hits"). The cleared state is read as
// "none", the marker the window starts with ("*", ".") as "none yet".
void SetResultLabel(Toolkit::Label *label, const QString &value);

// Shows a selection line in its text field; with nothing selected its accessible name says so.
void SetSelectionLine(Toolkit::TextField *line, const QString &text);

// The hit count at its full size when it fits its label, else a little smaller: a clipped
// "272 hits" would show a wrong number.
void FitCountFont(QLabel *label);

} // namespace BrowserControls
