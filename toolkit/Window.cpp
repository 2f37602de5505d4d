#include "toolkit/Window.h"

#include "toolkit/MenuBar.h"

#include <QEventLoop>
#include <QLayout>
#include <QMenuBar>
#include <QResizeEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace Toolkit {

ContentArea::ContentArea(QSize designSize, QWidget *parent)
    : QWidget(parent)
    , m_designSize(designSize)
{
    resize(designSize);
}

void ContentArea::place(QWidget *control, const QRect &frame, int anchors)
{
    if (control->parentWidget() != this)
        control->setParent(this);
    m_placements.append({control, frame, anchors});
    relayout();
}

void ContentArea::setDesignFrame(QWidget *control, const QRect &frame)
{
    for (Placement &p : m_placements) {
        if (p.control == control) {
            p.frame = frame;
            break;
        }
    }
    relayout();
}

QRect ContentArea::designFrame(QWidget *control) const
{
    for (const Placement &p : m_placements) {
        if (p.control == control)
            return p.frame;
    }
    return QRect();
}

int ContentArea::anchorsOf(QWidget *control) const
{
    for (const Placement &p : m_placements) {
        if (p.control == control)
            return p.anchors;
    }
    return 0;
}

QList<QWidget *> ContentArea::controls() const
{
    QList<QWidget *> list;
    for (const Placement &p : m_placements) {
        if (p.control)
            list.append(p.control);
    }
    return list;
}

void ContentArea::setDesignSize(QSize size)
{
    m_designSize = size;
    relayout();
}

void ContentArea::relayout()
{
    const int dw = width() - m_designSize.width();
    const int dh = height() - m_designSize.height();
    for (const Placement &p : m_placements) {
        if (!p.control)
            continue;
        QRect r = p.frame;
        // Anchored to both edges: stretch; to the far edge only: move with it.
        if ((p.anchors & AnchorLeft) && (p.anchors & AnchorRight))
            r.setWidth(r.width() + dw);
        else if (p.anchors & AnchorRight)
            r.moveLeft(r.left() + dw);
        if ((p.anchors & AnchorTop) && (p.anchors & AnchorBottom))
            r.setHeight(r.height() + dh);
        else if (p.anchors & AnchorBottom)
            r.moveTop(r.top() + dh);
        p.control->setGeometry(r);
    }
}

void ContentArea::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void WindowBase::initWindowBase(QWidget *window, ContentArea *content)
{
    m_widget = window;
    m_content = content;
}

namespace {

// activate() alone does nothing for a layout that has not been invalidated, which leaves the
// content area at a stale size while the window is hidden.
void settleLayout(QWidget *window)
{
    if (QLayout *layout = window->layout()) {
        layout->invalidate();
        layout->activate();
    }
}

} // namespace

int WindowBase::extraWidth() const
{
    settleLayout(m_widget);
    return m_widget->width() - m_content->width();
}

int WindowBase::extraHeight() const
{
    settleLayout(m_widget);
    return m_widget->height() - m_content->height();
}

int WindowBase::Left() const { return m_widget->geometry().x(); }

int WindowBase::Top() const { return m_widget->geometry().y(); }

int WindowBase::Width() const
{
    settleLayout(m_widget);
    return m_content->width();
}

int WindowBase::Height() const
{
    settleLayout(m_widget);
    return m_content->height();
}

void WindowBase::setLeft(int left)
{
    QRect g = m_widget->geometry();
    g.moveLeft(left);
    m_widget->setGeometry(g);
}

void WindowBase::setTop(int top)
{
    QRect g = m_widget->geometry();
    g.moveTop(top);
    m_widget->setGeometry(g);
}

void WindowBase::setWidth(int width)
{
    m_widget->resize(width + extraWidth(), m_widget->height());
    settleLayout(m_widget);
}

void WindowBase::setHeight(int height)
{
    m_widget->resize(m_widget->width(), height + extraHeight());
    settleLayout(m_widget);
}

void WindowBase::setContentSize(QSize size)
{
    settleLayout(m_widget);
    const QSize extra(m_widget->width() - m_content->width(), m_widget->height() - m_content->height());
    m_widget->resize(size + extra);
    settleLayout(m_widget);
}

void WindowBase::setContentMinimumSize(QSize size) { m_content->setMinimumSize(size); }

void WindowBase::setContentMaximumSize(QSize size) { m_content->setMaximumSize(size); }

void WindowBase::AddMenuHandler(const QString &itemName, std::function<bool()> handler)
{
    m_menuHandlers.add(itemName, std::move(handler));
}

bool WindowBase::HasMenuHandler(const QString &itemName) const { return m_menuHandlers.has(itemName); }

bool WindowBase::HandleMenuItem(const QString &itemName) { return m_menuHandlers.handle(itemName); }

DocumentWindow::DocumentWindow(QSize designSize, QWidget *parent)
    : QMainWindow(parent)
{
    auto *area = new ContentArea(designSize, this);
    setCentralWidget(area);
    initWindowBase(this, area);
    // Minimum and maximum of the content area bound the whole window.
    layout()->setSizeConstraint(QLayout::SetMinAndMaxSize);
    resize(designSize);
}

QAction *DocumentWindow::menuItem(const QString &name) const
{
    return MenuBar::Item(qobject_cast<QMenuBar *>(menuWidget()), name);
}

namespace {

// A content area filling the window, whose minimum and maximum bound the window.
ContentArea *fillWithContentArea(QWidget *window, QSize designSize)
{
    auto *area = new ContentArea(designSize, window);
    auto *box = new QVBoxLayout(window);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(area);
    box->setSizeConstraint(QLayout::SetMinAndMaxSize);
    return area;
}

} // namespace

PlainWindow::PlainWindow(QSize designSize, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    initWindowBase(this, fillWithContentArea(this, designSize));
    resize(designSize);
}

ModalWindow::ModalWindow(QSize designSize, QWidget *parent)
    : QDialog(parent)
{
    initWindowBase(this, fillWithContentArea(this, designSize));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    resize(designSize);
}

void ModalWindow::ShowModal()
{
    if (ModalWatcher *watcher = ModalWatcher::current()) {
        QPointer<QDialog> self(this);
        QTimer::singleShot(0, this, [self, watcher] {
            if (self && ModalWatcher::current() == watcher)
                watcher->windowShown(self);
        });
    }
    exec();
}

namespace {
ModalWatcher *g_watcher = nullptr;
}

ModalWatcher::ModalWatcher(std::function<void(QWidget *)> whenShown)
    : m_whenShown(std::move(whenShown))
    , m_previous(g_watcher)
{
    g_watcher = this;
}

ModalWatcher::~ModalWatcher() { g_watcher = m_previous; }

ModalWatcher *ModalWatcher::current() { return g_watcher; }

void ModalWatcher::windowShown(QWidget *window)
{
    ++m_shown;
    QPointer<QWidget> guard(window);
    if (m_whenShown)
        m_whenShown(window);
    if (guard && guard->isVisible())
        guard->close();
}

} // namespace Toolkit
