#pragma once
// The program's one menu bar, as a definition table: four menus, each item with its name,
// caption (an ampersand marks the mnemonic) and shortcut. Every window that shows a menu bar
// builds its own QMenuBar from this table through Toolkit::MenuBar, which also dispatches the
// items and keeps the Edit items enabled.

#include "toolkit/MenuBar.h"

#include <QList>
#include <QString>

class QMenuBar;
class QWidget;

namespace Toolkit {
class WindowBase;
}

namespace MainMenuBar {

using ItemDefinition = Toolkit::MenuBar::ItemDefinition;
using MenuDefinition = Toolkit::MenuBar::MenuDefinition;

// The menus, left to right, with their items in order.
const QList<MenuDefinition> &Definition();

// Builds the program's bar. `owner` is the window whose handlers come first; with nullptr (the
// application's own bar on macOS) the active browser window is asked instead.
QMenuBar *Build(Toolkit::WindowBase *owner, QWidget *parent = nullptr);

// Runs the item as if the user had chosen it (handlers in dispatch order).
void Dispatch(Toolkit::WindowBase *owner, const QString &itemName);

} // namespace MainMenuBar
