#pragma once
// Windows as the toolkit knows them: a content area whose controls are placed by left, top,
// width and height in points and keep their distances to the anchored edges on every resize;
// Left/Top/Width/Height of the content area; menu handlers registered by item name; and modal
// windows whose ShowModal a test can watch and close.

#include "toolkit/MenuHandlers.h"

#include <QDialog>
#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QVector>

#include <functional>

class QAction;

namespace Toolkit {

enum Anchor {
    AnchorLeft = 1,
    AnchorTop = 2,
    AnchorRight = 4,
    AnchorBottom = 8,
    AnchorTopLeft = AnchorLeft | AnchorTop,
    AnchorAll = AnchorLeft | AnchorTop | AnchorRight | AnchorBottom,
};

// The content area of a window: holds the controls and applies their anchors.
class ContentArea : public QWidget
{
    Q_OBJECT

public:
    explicit ContentArea(QSize designSize, QWidget *parent = nullptr);

    // Places `control` (made a child of this area) at `frame` for the design size.
    void place(QWidget *control, const QRect &frame, int anchors);
    // Changes a control's frame as if it had been designed there (keeps its anchors).
    void setDesignFrame(QWidget *control, const QRect &frame);
    QRect designFrame(QWidget *control) const;
    int anchorsOf(QWidget *control) const;
    // Controls in creation order.
    QList<QWidget *> controls() const;
    // Changes the design height, e.g. when a stacked control is hidden and the rest move up.
    void setDesignSize(QSize size);
    QSize designSize() const { return m_designSize; }

    void relayout();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Placement
    {
        QPointer<QWidget> control;
        QRect frame;
        int anchors;
    };
    QSize m_designSize;
    QVector<Placement> m_placements;
};

// What every window of the program offers (mixed into the Qt window classes below).
class WindowBase
{
public:
    virtual ~WindowBase() = default;

    ContentArea *content() const { return m_content; }

    // Position and size of the content area in points, as the program reads and sets them.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void setLeft(int left);
    void setTop(int top);
    void setWidth(int width);
    void setHeight(int height);
    // Both at once: the layout is settled once before and once after, not twice each.
    void setContentSize(QSize size);
    void setContentMinimumSize(QSize size);
    void setContentMaximumSize(QSize size);

    // Menu handlers by item name; true = handled.
    void AddMenuHandler(const QString &itemName, std::function<bool()> handler);
    bool HasMenuHandler(const QString &itemName) const;
    // Runs this window's handler for the item; false when it has none or it declined.
    bool HandleMenuItem(const QString &itemName);

    QWidget *widget() const { return m_widget; }

protected:
    void initWindowBase(QWidget *window, ContentArea *content);

private:
    int extraWidth() const;
    int extraHeight() const;

    QWidget *m_widget = nullptr;
    ContentArea *m_content = nullptr;
    MenuHandlers m_menuHandlers;
};

// A document window with a menu bar (the browser windows).
class DocumentWindow : public QMainWindow, public WindowBase
{
    Q_OBJECT

public:
    explicit DocumentWindow(QSize designSize, QWidget *parent = nullptr);

    // An item (or, for a menu name, the menu's action) of this window's menu bar, by name;
    // nullptr when the bar has none of that name.
    QAction *menuItem(const QString &name) const;
};

// A plain document window without a menu bar (the error report window).
class PlainWindow : public QWidget, public WindowBase
{
    Q_OBJECT

public:
    explicit PlainWindow(QSize designSize, QWidget *parent = nullptr);
};

// A movable modal window (help windows, about box).
class ModalWindow : public QDialog, public WindowBase
{
    Q_OBJECT

public:
    explicit ModalWindow(QSize designSize, QWidget *parent = nullptr);

    // Shows the window modally; returns when it has been closed.
    void ShowModal();
};

// Test seam: while it lives, every ShowModal (and every window passed to notifyShown) calls
// `whenShown` with the window once it is on screen; the callback acts like a user and should
// close it. A window still open after the callback is closed, so no test can hang.
class ModalWatcher
{
public:
    explicit ModalWatcher(std::function<void(QWidget *)> whenShown);
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher &) = delete;
    ModalWatcher &operator=(const ModalWatcher &) = delete;

    int shownCount() const { return m_shown; }

    static ModalWatcher *current();
    void windowShown(QWidget *window);

private:
    std::function<void(QWidget *)> m_whenShown;
    ModalWatcher *m_previous;
    int m_shown = 0;
};

} // namespace Toolkit
