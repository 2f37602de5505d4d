#pragma once
// The HTML help window: one help topic shown in an HTML viewer that loads nothing from
// outside the topic and runs no script, with a Done button. Help::ShowHelp makes a fresh one
// per request (through HelpWindows) and waits in PrepareAndShowWindow until it is closed.

#include "toolkit/Window.h"

#include <QString>
#include <QTextBrowser>

namespace Toolkit {
class Button;
}

// The viewer of winHelp: shows HTML given as a string. It follows no link and fetches no
// resource (image, style sheet), not even a local file; what the topic does not hold inline
// is simply missing.
class HelpHTMLViewer : public QTextBrowser
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HelpHTMLViewer)

public:
    explicit HelpHTMLViewer(QWidget *parent = nullptr);

    // LoadPage with a string and no base location.
    void LoadPage(const QString &html);

    QVariant loadResource(int type, const QUrl &name) override;
};

class winHelp : public Toolkit::ModalWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(winHelp)

public:
    // Builds the window and runs its Opening handler, which sizes and places it for no text.
    explicit winHelp(QWidget *parent = nullptr);
    ~winHelp() override;

    HelpHTMLViewer *HV_Help() const { return m_HV_Help; }
    Toolkit::Button *pbDone() const { return m_pbDone; }

    // The HTML content as passed in, and the plain text made from it for measuring.
    QString contentHTML() const { return m_contentHTML; }
    QString justTextHTML() const { return m_justTextHTML; }

    // The plain text of an HTML topic (empty when it fails).
    QString RawTextFromHTML(const QString &html);
    // Sizes the window (width or height 0: to `text`, measured in Helvetica 14) and puts it
    // near the top right of the main screen.
    void AdjustWindowSize(const QString &text, qint64 width, qint64 height);
    // Fills, sizes, titles and shows the window modally; returns once it has been closed.
    void PrepareAndShowWindow(const QString &content, const QString &title, qint64 width, qint64 height);

private:
    void Opening();
    void pbDone_Pressed();

    QString m_contentHTML;
    QString m_justTextHTML;
    HelpHTMLViewer *m_HV_Help = nullptr;
    Toolkit::Button *m_pbDone = nullptr;
};
