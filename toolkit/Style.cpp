#include "toolkit/Style.h"

#include <QApplication>
#include <QIcon>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>

#include <optional>

namespace Toolkit {

namespace {

// An icon that asks its style for the real one the first time anything of it is needed.
class DeferredIconEngine : public QIconEngine
{
public:
    DeferredIconEngine(const QStyle *style, QStyle::StandardPixmap which)
        : m_style(style)
        , m_which(which)
    {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    // Asked for while the owning button is built: answered without making the icon.
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return m_icon ? m_icon->actualSize(size, mode, state) : size;
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return m_icon ? m_icon->isNull() : !m_style; }
    QIconEngine *clone() const override { return new DeferredIconEngine(m_style, m_which); }

private:
    const QIcon &icon()
    {
        if (!m_icon)
            m_icon = m_style ? m_style->standardIcon(m_which) : QIcon();
        return *m_icon;
    }

    QPointer<const QStyle> m_style;
    QStyle::StandardPixmap m_which;
    std::optional<QIcon> m_icon;
};

class DeferredIconStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const override
    {
        if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton)
            return QIcon(new DeferredIconEngine(baseStyle(), which));
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

} // namespace

void useDeferredStandardIcons()
{
    if (dynamic_cast<DeferredIconStyle *>(QApplication::style()))
        return;
    // The proxy wraps a style of the platform's own kind and takes ownership of it.
    QApplication::setStyle(new DeferredIconStyle(QApplication::style()->name()));
}

} // namespace Toolkit
