#include "help/HelpWindowParts.h"

#include "help/HelpLayout.h"
#include "toolkit/Controls.h"
#include "toolkit/Desktop.h"
#include "toolkit/Window.h"
#include "util/FileTools.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFontDatabase>
#include <QLayout>
#include <QScrollBar>
#include <QWheelEvent>

namespace HelpWindowParts {

namespace {

// A disabled widget drops wheel events before its own handlers see them; this filter sits
// on the viewport, where filters still run, and moves the scroll bars itself.
class WheelScroller : public QObject
{
public:
    explicit WheelScroller(QAbstractScrollArea *area)
        : QObject(area)
        , m_area(area)
    {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Wheel || m_area->isEnabled())
            return QObject::eventFilter(watched, event);
        const auto *wheel = static_cast<QWheelEvent *>(event);
        const QPoint delta = wheel->angleDelta();
        const bool horizontal = qAbs(delta.x()) > qAbs(delta.y());
        QScrollBar *bar = horizontal ? m_area->horizontalScrollBar() : m_area->verticalScrollBar();
        const int angle = horizontal ? delta.x() : delta.y();
        // Same step as an enabled scroll area: wheelScrollLines single steps per 120 eighths of a degree.
        m_remainder += angle * bar->singleStep() * QApplication::wheelScrollLines();
        const int steps = m_remainder / 120;
        m_remainder -= steps * 120;
        bar->setValue(bar->value() - steps);
        event->accept();
        return true;
    }

private:
    QAbstractScrollArea *m_area;
    int m_remainder = 0;
};

// The toolkit reads and sets a window's size through its content area, which the layout of a
// window not yet shown only follows when asked again. Bring it up to date around each change.
void syncContentArea(Toolkit::ModalWindow *window)
{
    if (QLayout *layout = window->layout()) {
        layout->invalidate();
        layout->activate();
    }
}

} // namespace

QFont textFont(const QString &fontName)
{
    // Resolved as the text measurer resolves it.
    QFont font = fontName.compare(QLatin1String("System"), Qt::CaseInsensitive) == 0
        ? QFontDatabase::systemFont(QFontDatabase::GeneralFont)
        : QFont(fontName);
    font.setPointSizeF(kTextPointSize);
    return font;
}

void setUpWindow(Toolkit::ModalWindow *window, const QString &objectName, const QString &designTitle)
{
    window->setObjectName(objectName);
    window->setWindowTitle(designTitle);
    window->setContentMinimumSize(HelpLayout::kMinimumSize);
    window->setContentMaximumSize(HelpLayout::kMaximumSize);
}

void makeReadOnlyContent(QAbstractScrollArea *area)
{
    area->setEnabled(false);
    // A disabled control greys its text; help text has to stay as readable as when enabled.
    QPalette p = area->palette();
    for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::Base, QPalette::Window, QPalette::Link,
                      QPalette::LinkVisited}) {
        p.setColor(QPalette::Disabled, role, p.color(QPalette::Active, role));
    }
    area->setPalette(p);
    area->viewport()->installEventFilter(new WheelScroller(area));
}

Toolkit::Button *addDoneButton(Toolkit::ModalWindow *window)
{
    auto *button = new Toolkit::Button(window->content());
    button->setObjectName(QStringLiteral("pbDone"));
    button->setText(QStringLiteral("Done"));
    button->setDefault(true);
    window->content()->place(button, kDoneFrame, Toolkit::AnchorRight | Toolkit::AnchorBottom);
    return button;
}

void sizeAndPlace(Toolkit::ModalWindow *window, const HelpLayout::TextHeightMeasurer &textHeight, qint64 width,
                  qint64 height)
{
    const Toolkit::ScreenInfo screen = Toolkit::Screen0();
    const QRect available(screen.AvailableLeft, screen.AvailableTop, screen.AvailableWidth, screen.AvailableHeight);
    const HelpLayout::WindowFrame frame = HelpLayout::AdjustWindowSize(textHeight, width, height, available);
    syncContentArea(window);
    window->setWidth(frame.width);
    syncContentArea(window);
    window->setHeight(frame.height);
    syncContentArea(window);
    window->setTop(frame.top);
    window->setLeft(frame.left);
}

void writeSizeRecordIfAltKey(Toolkit::ModalWindow *window)
{
    if (!Toolkit::Keyboard::AsyncAltKey())
        return;
    const QString record = QStringLiteral("Width: ") + QString::number(window->Width()) + QStringLiteral("   Height: ")
        + QString::number(window->Height()) + QStringLiteral("  Title: ") + window->windowTitle();
    FileTools::TextToFile(record, QStringLiteral("WindowSizeInfo"), QStringLiteral("Desktop"), 4);
}

} // namespace HelpWindowParts
