#include "about/StaticURL.h"

#include "errors/CatchClause.h"
#include "toolkit/System.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QtMath>

namespace {

// The toolkit's mouse positions are whole points; the leftmost column is x = 0.
QPoint wholePoints(const QPointF &p) { return QPoint(qFloor(p.x()), qFloor(p.y())); }

} // namespace

const QColor StaticURL::kLinkColor(0x00, 0x00, 0xFF);
const QColor StaticURL::kHoverColor(0x80, 0x00, 0x80);
const QColor StaticURL::kPressedColor(0xFF, 0x00, 0x00);
const QColor StaticURL::kInitialColor(0x00, 0x00, 0xCC);

StaticURL::StaticURL(QWidget *parent)
    : Toolkit::Label(parent)
{
    setTextColor(kInitialColor);
}

void StaticURL::setTextColor(const QColor &color)
{
    m_textColor = color;
    Toolkit::setFixedTextColor(this, color);
}

void StaticURL::Opening()
{
    static constexpr HandlerId id{"StaticURL", "", "Opening", HandlerKind::CustomControlEvent};
    Guard(id, [&] {
        setTextColor(kLinkColor);
        QFont f = font();
        f.setUnderline(true);
        setFont(f);
        if (OpenStaticURL)
            OpenStaticURL();
    });
}

void StaticURL::MouseEnter()
{
    static constexpr HandlerId id{"StaticURL", "", "MouseEnter", HandlerKind::CustomControlEvent};
    Guard(id, [&] { setTextColor(kHoverColor); });
}

void StaticURL::MouseExit()
{
    static constexpr HandlerId id{"StaticURL", "", "MouseExit", HandlerKind::CustomControlEvent};
    Guard(id, [&] { setTextColor(kLinkColor); });
}

bool StaticURL::MouseDown(int, int)
{
    static constexpr HandlerId id{"StaticURL", "", "MouseDown", HandlerKind::CustomControlEvent};
    return Guard(id, [&] {
        setTextColor(kPressedColor);
        return true;
    });
}

void StaticURL::MouseUp(int x, int y)
{
    static constexpr HandlerId id{"StaticURL", "", "MouseUp", HandlerKind::CustomControlEvent};
    Guard(id, [&] {
        // Strictly inside: a release on the leftmost column or the top row opens nothing.
        if (x > 0 && x < width() && y > 0 && y < height())
            Toolkit::GotoURL(URL.isEmpty() ? Text() : URL);
        setTextColor(kLinkColor);
    });
}

void StaticURL::enterEvent(QEnterEvent *event)
{
    Toolkit::Label::enterEvent(event);
    MouseEnter();
}

void StaticURL::leaveEvent(QEvent *event)
{
    Toolkit::Label::leaveEvent(event);
    MouseExit();
}

void StaticURL::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = wholePoints(event->position());
    // Accepting the press is what delivers the matching release to this control.
    if (MouseDown(p.x(), p.y()))
        event->accept();
    else
        event->ignore();
}

void StaticURL::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint p = wholePoints(event->position());
    MouseUp(p.x(), p.y());
    event->accept();
}
