#pragma once
// Menu bars built from a definition table: menus, each item with its name, caption (an
// ampersand marks the mnemonic) and shortcut. The actions carry the item names as object
// names, so an item is found by name in any bar built here.
//
// A chosen item goes to the frontmost window's handler first, then to the application's, and
// last to the standard behaviour of the standard item names: FileQuit quits, the Edit items act
// on the focused text control (and are enabled only when they can act on it).

#include <QList>
#include <QString>

class QAction;
class QMenuBar;
class QWidget;

namespace Toolkit {

class WindowBase;

namespace MenuBar {

struct ItemDefinition
{
    const char *name;
    const char *caption;  // "-" is a separator
    const char *shortcut; // portable text ("Ctrl+Q" shows as Cmd+Q on macOS); "" for none
    bool applicationItem; // shown in the application menu on macOS (About)
};

struct MenuDefinition
{
    const char *name;
    const char *caption;
    QList<ItemDefinition> items;
};

// Builds a menu bar from the table (menus left to right, items in order). `owner` is the
// window whose handlers come first; with nullptr (the application's own bar on macOS) the
// active window is asked instead.
QMenuBar *Build(const QList<MenuDefinition> &menus, WindowBase *owner, QWidget *parent = nullptr);

// The action (or, for a menu name, the menu's action) of that name in a bar built here;
// nullptr when the bar has none of that name.
QAction *Item(const QMenuBar *bar, const QString &name);

// Runs the item as if the user had chosen it (handlers in dispatch order).
void Dispatch(WindowBase *owner, const QString &itemName);

// Enables the Edit items of every built bar according to the focused text control.
void UpdateEditItems();

} // namespace MenuBar
} // namespace Toolkit
