#pragma once
// A label that behaves like a hyperlink: blue and underlined, purple while the mouse is over
// it, red while pressed, and opening its address when the press is released inside it.

#include "toolkit/Controls.h"

#include <QColor>
#include <QString>

#include <functional>

class StaticURL : public Toolkit::Label
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StaticURL)

public:
    explicit StaticURL(QWidget *parent = nullptr);

    // The address to open; when empty, the label's text is opened instead.
    QString URL;

    // Raised once from Opening, so the holding window can fill in the text and the address.
    std::function<void()> OpenStaticURL;

    // The control's own events. x and y are relative to the control's top-left corner.
    void Opening();
    void MouseEnter();
    void MouseExit();
    bool MouseDown(int x, int y);
    void MouseUp(int x, int y);

    QColor TextColor() const { return m_textColor; }

    static const QColor kLinkColor;    // 0000FF
    static const QColor kHoverColor;   // 800080
    static const QColor kPressedColor; // FF0000
    static const QColor kInitialColor; // 0000CC, until Opening runs

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void setTextColor(const QColor &color);

    QColor m_textColor;
};
