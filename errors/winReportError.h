#pragma once
// The report window: one per reported failure, non-modal, showing the report text in a
// selectable label that grows and shrinks with the window.

#include "toolkit/Window.h"

namespace Toolkit {
class Label;
}

class winReportError : public Toolkit::PlainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(winReportError)

public:
    explicit winReportError(const QString &reportText);

    Toolkit::Label *labMessage() const { return m_labMessage; }

    // Installs this window as the way ErrorHandling::HandleException shows a report.
    static void installAsReportOpener();

    // Test seam: the next `count` constructions fail as if the window could not be built.
    static void failNextConstructionsForTests(int count);

private:
    Toolkit::Label *m_labMessage = nullptr;
};
