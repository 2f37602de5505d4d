#include "toolkit/Controls.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>
#include <limits>

namespace Toolkit {

void setFixedTextColor(QWidget *w, const QColor &color)
{
    QPalette p = w->palette();
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        p.setColor(QPalette::Active, role, color);
        p.setColor(QPalette::Inactive, role, color);
    }
    w->setPalette(p);
}

void setFixedBackgroundColor(QWidget *w, const QColor &color)
{
    QPalette p = w->palette();
    for (auto role : {QPalette::Base, QPalette::Window}) {
        p.setColor(QPalette::All, role, color);
    }
    w->setPalette(p);
}

TextField::TextField(QWidget *parent)
    : QLineEdit(parent)
{
    // QLineEdit cuts text at 32,767 characters without a word; a paste must arrive whole.
    setMaxLength(std::numeric_limits<int>::max());
    // QLineEdit emits textChanged synchronously for typing and for setText with a different
    // text, and never for the same text: exactly the event the filter relies on.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (TextChanged)
            TextChanged();
    });
}

void TextField::replaceTextAsEdit(const QString &value)
{
    const QString current = text();
    if (value == current)
        return;
    // Only the part that differs is replaced: the field's undo history keeps every character an
    // edit removes or inserts, and a field open all day would otherwise store its whole text twice
    // for each cleaned keystroke. insert() replaces the selection as one undoable edit and emits
    // textChanged once.
    const qsizetype shorter = std::min(current.size(), value.size());
    qsizetype head = 0;
    while (head < shorter && current.at(head) == value.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && current.at(current.size() - 1 - tail) == value.at(value.size() - 1 - tail))
        ++tail;
    setSelection(int(head), int(current.size() - head - tail));
    insert(value.mid(head, value.size() - head - tail));
}

void TextField::Undo()
{
    ++m_undoing;
    undo();
    --m_undoing;
}

void TextField::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Undo)) {
        Undo();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

Label::Label(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void Label::setTextValue(const QString &value)
{
    m_text = value;
    // A carriage return would start a second line in a one-line label; show it as nothing.
    QString shown = value;
    if (!wordWrap())
        shown.remove(QLatin1Char('\r'));
    setText(shown);
}

TextArea::TextArea(QWidget *parent)
    : QPlainTextEdit(parent)
{}

Button::Button(QWidget *parent)
    : QPushButton(parent)
{
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        if (Pressed)
            Pressed();
    });
}

void Button::setButtonStyle(Style style)
{
    m_style = style;
    if (style == HelpStyle)
        setText(QString());
    update();
}

void Button::paintEvent(QPaintEvent *event)
{
    if (m_style != HelpStyle) {
        QPushButton::paintEvent(event);
        return;
    }
    // The round help button with a question mark, as desktop help buttons look.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int side = qMin(width(), height()) - 3;
    const QRectF circle((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    const bool down = isDown();
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(down ? QColor(210, 210, 210) : QColor(250, 250, 250));
    p.drawEllipse(circle);
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(circle.adjusted(-1, -1, 1, 1));
    }
    QFont f = font();
    f.setBold(true);
    f.setPixelSize(qMax(8, int(side * 0.6)));
    p.setFont(f);
    p.setPen(QColor(60, 60, 60));
    p.drawText(circle, Qt::AlignCenter, QStringLiteral("?"));
}

Rectangle::Rectangle(QWidget *parent)
    : QWidget(parent)
{}

void Rectangle::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal half = BorderThickness / 2.0;
    const QRectF r = QRectF(rect()).adjusted(half, half, -half, -half);
    p.setPen(BorderThickness > 0 ? QPen(BorderColor, BorderThickness) : QPen(Qt::NoPen));
    p.setBrush(FillColor);
    p.drawRoundedRect(r, CornerSize / 2.0, CornerSize / 2.0);
}

Canvas::Canvas(QWidget *parent)
    : QWidget(parent)
{}

void Canvas::setBackdrop(const QPixmap &picture)
{
    m_backdrop = picture;
    update();
}

void Canvas::paintEvent(QPaintEvent *)
{
    if (m_backdrop.isNull())
        return;
    QPainter p(this);
    p.drawPixmap(0, 0, m_backdrop);
}

} // namespace Toolkit
