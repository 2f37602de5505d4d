#include "toolkit/Desktop.h"

#include "toolkit/System.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>

namespace Toolkit {

void installDesktopServices()
{
    setMessageBoxHook([](const QString &text) {
        QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        // The text is shown as it is: a message that happens to hold a tag is not markup.
        box.setTextFormat(Qt::PlainText);
        box.exec();
    });
    setBeepHook([] { QApplication::beep(); });
    setGotoURLHook([](const QString &url) { QDesktopServices::openUrl(QUrl(url)); });
}

namespace {
std::optional<QRect> g_pinnedScreen;
std::optional<bool> g_pinnedAlt;
} // namespace

ScreenInfo Screen0()
{
    QRect area;
    if (g_pinnedScreen) {
        area = *g_pinnedScreen;
    } else if (QScreen *screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    } else {
        area = QRect(0, 0, 1024, 768);
    }
    return {area.left(), area.top(), area.width(), area.height()};
}

void pinScreenForTests(std::optional<QRect> area) { g_pinnedScreen = area; }

double TextHeight(const QString &text, const QString &fontName, double pointSize, int wrapWidth)
{
    QFont font = fontName.compare(QLatin1String("System"), Qt::CaseInsensitive) == 0
        ? QFontDatabase::systemFont(QFontDatabase::GeneralFont)
        : QFont(fontName);
    font.setPointSizeF(pointSize);
    const QFontMetricsF metrics(font);
    const QRectF bounds =
        metrics.boundingRect(QRectF(0, 0, wrapWidth, 1e9), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    return bounds.height();
}

QPixmap PictureNamed(const QString &name)
{
    return QPixmap(QStringLiteral(":/resources/") + name + QStringLiteral(".png"));
}

namespace Keyboard {

bool AsyncAltKey()
{
    if (g_pinnedAlt)
        return *g_pinnedAlt;
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::AltModifier);
}

void pinAltKeyForTests(std::optional<bool> down) { g_pinnedAlt = down; }

} // namespace Keyboard

QString ToolkitVersion() { return QStringLiteral("Qt ") + QString::fromLatin1(qVersion()); }

} // namespace Toolkit
