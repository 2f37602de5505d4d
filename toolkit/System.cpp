#include "toolkit/System.h"

#include <QtGlobal>
#include <utility>

#include <cstdio>

Q_LOGGING_CATEGORY(lcVantrel, "vantrel")

namespace Toolkit {

namespace {

TextHook &messageBoxHook()
{
    // Without a desktop the message goes to the log, so nothing is lost and nothing blocks.
    static TextHook hook = [](const QString &text) { qCWarning(lcVantrel).noquote() << "MessageBox:" << text; };
    return hook;
}

VoidHook &beepHook()
{
    static VoidHook hook = [] { std::fputc('\a', stderr); };
    return hook;
}

TextHook &gotoUrlHook()
{
    static TextHook hook = [](const QString &url) { qCWarning(lcVantrel).noquote() << "GotoURL (no desktop):" << url; };
    return hook;
}

QStringList *g_capturedLog = nullptr;

} // namespace

void MessageBox(const QString &text)
{
    // Copy: the hook may replace itself while the box is open.
    TextHook hook = messageBoxHook();
    if (hook)
        hook(text);
}

void DebugLog(const QString &text)
{
    if (g_capturedLog)
        g_capturedLog->append(text);
    qCInfo(lcVantrel).noquote() << text;
}

void Beep()
{
    VoidHook hook = beepHook();
    if (hook)
        hook();
}

void GotoURL(const QString &url)
{
    TextHook hook = gotoUrlHook();
    if (hook)
        hook(url);
}

TextHook setMessageBoxHook(TextHook hook) { return std::exchange(messageBoxHook(), std::move(hook)); }

VoidHook setBeepHook(VoidHook hook) { return std::exchange(beepHook(), std::move(hook)); }

TextHook setGotoURLHook(TextHook hook) { return std::exchange(gotoUrlHook(), std::move(hook)); }

MessageRecorder::MessageRecorder()
{
    m_previousMessage = setMessageBoxHook([this](const QString &text) {
        messages.append(text);
        if (onMessage)
            onMessage(text);
    });
    m_previousBeep = setBeepHook([this] { ++beeps; });
    m_previousUrl = setGotoURLHook([this](const QString &url) { urls.append(url); });
}

MessageRecorder::~MessageRecorder()
{
    setMessageBoxHook(std::move(m_previousMessage));
    setBeepHook(std::move(m_previousBeep));
    setGotoURLHook(std::move(m_previousUrl));
}

LogCapture::LogCapture()
{
    Q_ASSERT(!g_capturedLog);
    g_capturedLog = new QStringList;
}

LogCapture::~LogCapture()
{
    delete g_capturedLog;
    g_capturedLog = nullptr;
}

QStringList LogCapture::lines() const { return g_capturedLog ? *g_capturedLog : QStringList(); }

} // namespace Toolkit
