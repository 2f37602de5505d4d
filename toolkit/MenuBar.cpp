#include "toolkit/MenuBar.h"

#include "toolkit/Application.h"
#include "toolkit/Controls.h"
#include "toolkit/Window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>

#include <optional>

namespace Toolkit::MenuBar {

namespace {

// What the Edit items can do to the focused control. Only text controls take part.
struct EditTarget
{
    QLineEdit *line = nullptr;
    QPlainTextEdit *plain = nullptr;
    QTextEdit *rich = nullptr;

    bool isText() const { return line || plain || rich; }

    bool readOnly() const
    {
        if (line)
            return line->isReadOnly();
        if (plain)
            return plain->isReadOnly();
        return rich && rich->isReadOnly();
    }

    bool hasSelection() const
    {
        if (line)
            return line->hasSelectedText() && line->echoMode() == QLineEdit::Normal;
        if (plain)
            return plain->textCursor().hasSelection();
        return rich && rich->textCursor().hasSelection();
    }

    bool hasText() const
    {
        if (line)
            return !line->text().isEmpty();
        if (plain)
            return !plain->document()->isEmpty();
        return rich && !rich->document()->isEmpty();
    }

    bool undoAvailable() const
    {
        if (readOnly())
            return false;
        if (line)
            return line->isUndoAvailable();
        if (plain)
            return plain->document()->isUndoAvailable();
        return rich && rich->document()->isUndoAvailable();
    }

    static bool clipboardHasText();

    bool canAct(const QString &item) const
    {
        if (!isText())
            return false;
        if (item == QLatin1String("EditUndo"))
            return undoAvailable();
        if (item == QLatin1String("EditCut") || item == QLatin1String("EditClear"))
            return hasSelection() && !readOnly();
        if (item == QLatin1String("EditCopy"))
            return hasSelection();
        if (item == QLatin1String("EditPaste"))
            return !readOnly() && clipboardHasText();
        if (item == QLatin1String("EditSelectAll"))
            return hasText();
        return false;
    }

    void act(const QString &item) const
    {
        if (!canAct(item))
            return;
        if (item == QLatin1String("EditUndo")) {
            // A text field of ours undoes through its own Undo, which the search field relies on.
            if (auto *field = qobject_cast<TextField *>(line))
                field->Undo();
            else if (line)
                line->undo();
            else if (plain)
                plain->undo();
            else
                rich->undo();
        } else if (item == QLatin1String("EditCut")) {
            if (line)
                line->cut();
            else if (plain)
                plain->cut();
            else
                rich->cut();
        } else if (item == QLatin1String("EditCopy")) {
            if (line)
                line->copy();
            else if (plain)
                plain->copy();
            else
                rich->copy();
        } else if (item == QLatin1String("EditPaste")) {
            if (line)
                line->paste();
            else if (plain)
                plain->paste();
            else
                rich->paste();
        } else if (item == QLatin1String("EditClear")) {
            // Delete removes the selection only, as the menu item does everywhere.
            if (line)
                line->del();
            else if (plain)
                plain->textCursor().removeSelectedText();
            else
                rich->textCursor().removeSelectedText();
        } else if (item == QLatin1String("EditSelectAll")) {
            if (line)
                line->selectAll();
            else if (plain)
                plain->selectAll();
            else
                rich->selectAll();
        }
    }
};

// Whether the clipboard holds text. Asking the clipboard can mean a round trip to another
// program, so the answer is kept until the clipboard reports a change, not asked per keystroke.
std::optional<bool> &clipboardTextCache()
{
    static std::optional<bool> cache;
    return cache;
}

bool EditTarget::clipboardHasText()
{
    std::optional<bool> &cache = clipboardTextCache();
    if (!cache) {
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        cache = data && data->hasText();
    }
    return *cache;
}

EditTarget focusedTarget()
{
    EditTarget t;
    QWidget *w = QApplication::focusWidget();
    if (!w)
        return t;
    t.line = qobject_cast<QLineEdit *>(w);
    if (!t.line)
        t.plain = qobject_cast<QPlainTextEdit *>(w);
    if (!t.line && !t.plain)
        t.rich = qobject_cast<QTextEdit *>(w);
    return t;
}

bool isEditItem(const QString &name)
{
    return name.startsWith(QLatin1String("Edit")) && !name.startsWith(QLatin1String("EditSeparator"))
        && name != QLatin1String("EditMenu");
}

// The Edit actions of every bar built, kept so that following the focus costs no search.
struct EditActions
{
    QPointer<QMenuBar> bar;
    QList<QPair<QString, QPointer<QAction>>> actions;
};

QList<EditActions> &builtBars()
{
    static QList<EditActions> bars;
    return bars;
}

// Follows the focused text control, so that the Edit items' enabled state (and with it their
// shortcuts) is right whether or not a menu is open.
class EditTracker : public QObject
{
public:
    explicit EditTracker(QObject *parent)
        : QObject(parent)
    {
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { follow(now); });
        connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [] {
            clipboardTextCache().reset();
            UpdateEditItems();
        });
    }

private:
    void follow(QWidget *w)
    {
        for (const QMetaObject::Connection &c : std::as_const(m_connections))
            disconnect(c);
        m_connections.clear();
        if (auto *line = qobject_cast<QLineEdit *>(w)) {
            m_connections << connect(line, &QLineEdit::selectionChanged, this, [] { UpdateEditItems(); })
                          << connect(line, &QLineEdit::textChanged, this, [] { UpdateEditItems(); });
        } else if (auto *plain = qobject_cast<QPlainTextEdit *>(w)) {
            m_connections << connect(plain, &QPlainTextEdit::selectionChanged, this, [] { UpdateEditItems(); })
                          << connect(plain, &QPlainTextEdit::textChanged, this, [] { UpdateEditItems(); });
        } else if (auto *rich = qobject_cast<QTextEdit *>(w)) {
            m_connections << connect(rich, &QTextEdit::selectionChanged, this, [] { UpdateEditItems(); })
                          << connect(rich, &QTextEdit::textChanged, this, [] { UpdateEditItems(); });
        }
        UpdateEditItems();
    }

    QList<QMetaObject::Connection> m_connections;
};

void ensureTracker()
{
    static QPointer<EditTracker> tracker;
    if (!tracker)
        tracker = new EditTracker(qApp);
}

} // namespace

QMenuBar *Build(const QList<MenuDefinition> &menus, WindowBase *owner, QWidget *parent)
{
    ensureTracker();
    auto *bar = new QMenuBar(parent);
    bar->setObjectName(QStringLiteral("MainMenuBar"));
    for (const MenuDefinition &menuDef : menus) {
        QMenu *menu = bar->addMenu(QString::fromUtf8(menuDef.caption));
        menu->setObjectName(QString::fromLatin1(menuDef.name));
        menu->menuAction()->setObjectName(QString::fromLatin1(menuDef.name));
        for (const ItemDefinition &itemDef : menuDef.items) {
            const QString name = QString::fromLatin1(itemDef.name);
            QAction *action = nullptr;
            if (qstrcmp(itemDef.caption, "-") == 0) {
                action = menu->addSeparator();
            } else {
                action = menu->addAction(QString::fromUtf8(itemDef.caption));
                if (*itemDef.shortcut)
                    action->setShortcut(
                        QKeySequence(QString::fromLatin1(itemDef.shortcut), QKeySequence::PortableText));
                if (itemDef.applicationItem)
                    action->setMenuRole(QAction::AboutRole);
                else if (name == QLatin1String("FileQuit"))
                    action->setMenuRole(QAction::QuitRole);
                else
                    action->setMenuRole(QAction::NoRole);
                QObject::connect(action, &QAction::triggered, action, [owner, name] { Dispatch(owner, name); });
            }
            action->setObjectName(name);
        }
        if (qstrcmp(menuDef.name, "EditMenu") == 0)
            QObject::connect(menu, &QMenu::aboutToShow, menu, [] { UpdateEditItems(); });
    }
    EditActions edit{bar, {}};
    for (QAction *action : bar->findChildren<QAction *>()) {
        if (isEditItem(action->objectName()) && !action->isSeparator())
            edit.actions.append({action->objectName(), action});
    }
    builtBars().append(edit);
    UpdateEditItems();
    return bar;
}

QAction *Item(const QMenuBar *bar, const QString &name)
{
    if (!bar || name.isEmpty())
        return nullptr;
    for (QAction *action : bar->findChildren<QAction *>(name)) {
        if (action->objectName() == name)
            return action;
    }
    return nullptr;
}

void Dispatch(WindowBase *owner, const QString &itemName)
{
    WindowBase *window = owner;
    if (!window)
        window = dynamic_cast<WindowBase *>(QApplication::activeWindow());
    if (window && window->HandleMenuItem(itemName))
        return;
    Application *application = Application::instance();
    if (application && application->HandleMenuItem(itemName))
        return;
    // The standard behaviour of the standard item names.
    if (itemName == QLatin1String("FileQuit"))
        Application::Quit(0);
    else if (isEditItem(itemName))
        focusedTarget().act(itemName);
}

void UpdateEditItems()
{
    const EditTarget target = focusedTarget();
    QList<EditActions> &bars = builtBars();
    bars.removeIf([](const EditActions &e) { return e.bar.isNull(); });
    for (const EditActions &edit : std::as_const(bars)) {
        for (const auto &[name, action] : edit.actions) {
            if (action)
                action->setEnabled(target.canAct(name));
        }
    }
}

} // namespace Toolkit::MenuBar
