#pragma once
// The program's view of the desktop's message and system services. Every modal message box,
// log line, beep and URL opening goes through here, so a test can record them instead of
// blocking or leaving the machine. The widget layer installs the real message box at start.

#include <QLoggingCategory>
#include <QString>
#include <QStringList>

#include <functional>

Q_DECLARE_LOGGING_CATEGORY(lcVantrel)

namespace Toolkit {

// Modal message box: returns when the user has dismissed it.
void MessageBox(const QString &text);
// One line to the system log (Qt logging: the journal, or stderr).
void DebugLog(const QString &text);
void Beep();
void GotoURL(const QString &url);

using TextHook = std::function<void(const QString &)>;
using VoidHook = std::function<void()>;

// Each setter returns the hook it replaced, so a scope can restore it.
TextHook setMessageBoxHook(TextHook hook);
VoidHook setBeepHook(VoidHook hook);
TextHook setGotoURLHook(TextHook hook);

// Test seam: records message boxes, beeps and URL openings while it lives.
class MessageRecorder
{
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    QStringList messages;
    QStringList urls;
    int beeps = 0;
    // Runs inside the "modal" message box, as a user acting while it is open would.
    std::function<void(const QString &)> onMessage;

private:
    TextHook m_previousMessage;
    VoidHook m_previousBeep;
    TextHook m_previousUrl;
};

// Test seam: captures the lines that DebugLog writes while it lives.
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    QStringList lines() const;
};

} // namespace Toolkit
