#pragma once
// The plain-text help window: one help topic in a text area the user cannot change, with a
// Done button. Help::ShowHelp makes a fresh one per request (through HelpWindows) and waits
// in PrepareAndShowWindow until it is closed.

#include "toolkit/Window.h"

#include <QString>

namespace Toolkit {
class Button;
class TextArea;
} // namespace Toolkit

class winHelpSimple : public Toolkit::ModalWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(winHelpSimple)

public:
    // Builds the window and runs its Opening handler, which sizes and places it for no text.
    explicit winHelpSimple(QWidget *parent = nullptr);
    ~winHelpSimple() override;

    Toolkit::TextArea *taHelp() const { return m_taHelp; }
    Toolkit::Button *pbDone() const { return m_pbDone; }

    // The plain-text content as passed in.
    QString contentSimpleText() const { return m_contentSimpleText; }

    // Sizes the window (width or height 0: to contentSimpleText, measured in the system font
    // at 14) and puts it near the top right of the main screen.
    void AdjustWindowSize(qint64 width, qint64 height);
    // Fills, sizes, titles and shows the window modally; returns once it has been closed.
    void PrepareAndShowWindow(const QString &content, const QString &title, qint64 width, qint64 height);

private:
    void Opening();
    void pbDone_Pressed();

    QString m_contentSimpleText;
    Toolkit::TextArea *m_taHelp = nullptr;
    Toolkit::Button *m_pbDone = nullptr;
};
