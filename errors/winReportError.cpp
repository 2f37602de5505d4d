#include "errors/winReportError.h"

#include "errors/CatchClause.h"
#include "errors/ErrorHandling.h"
#include "toolkit/Controls.h"
#include "toolkit/Desktop.h"

namespace {

int g_failNextConstructions = 0;

} // namespace

winReportError::winReportError(const QString &reportText)
    : Toolkit::PlainWindow(QSize(424, 200))
{
    static constexpr HandlerId id{"winReportError", "", "Constructor", HandlerKind::ReportWindowConstructor};
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Oops! Error Message"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setContentMinimumSize(QSize(200, 100));
    setContentMaximumSize(QSize(600, 600));
    Guard(id, [&] {
        if (g_failNextConstructions > 0) {
            --g_failNextConstructions;
            throw UnsupportedOperationException(QStringLiteral("The report window could not be built"), 1);
        }
        m_labMessage = new Toolkit::Label;
        m_labMessage->setObjectName(QStringLiteral("labMessage"));
        m_labMessage->setWordWrap(true);
        m_labMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        m_labMessage->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        Toolkit::setFixedTextColor(m_labMessage, Qt::black);
        m_labMessage->setAccessibleName(QStringLiteral("Error report"));
        content()->place(m_labMessage, QRect(20, 20, 384, 160), Toolkit::AnchorAll);
        m_labMessage->setTextValue(reportText);

        const Toolkit::ScreenInfo screen = Toolkit::Screen0();
        move(screen.AvailableLeft + (screen.AvailableWidth - 424) / 2,
             screen.AvailableTop + (screen.AvailableHeight - 200) / 2);
        show();
    });
}

void winReportError::installAsReportOpener()
{
    ErrorHandling::setReportOpener([](const QString &text) {
        // Owned by itself: deleted when the user closes it.
        auto *window = new winReportError(text);
        if (!window->labMessage()) {
            // The constructor failed and reported that itself; this window has nothing to show.
            window->close();
        }
    });
}

void winReportError::failNextConstructionsForTests(int count) { g_failNextConstructions = count; }
