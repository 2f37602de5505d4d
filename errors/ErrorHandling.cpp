#include "errors/ErrorHandling.h"

#include "errors/RuntimeExceptionExtension.h"
#include "toolkit/RuntimeException.h"
#include "toolkit/System.h"

#include <utility>

namespace ErrorHandling {

namespace {

// A report window whose constructor fails reports through here again; past this depth the
// failure falls back to the plain message box instead of recursing.
constexpr int kMaxNesting = 2;
int g_depth = 0;

ReportOpener &opener()
{
    static ReportOpener o = [](const QString &text) { qCWarning(lcVantrel).noquote() << text; };
    return o;
}

struct DepthScope
{
    DepthScope() { ++g_depth; }
    ~DepthScope() { --g_depth; }
};

} // namespace

QString ReportText(const RuntimeException &e, const QString &s)
{
    const QString className = RuntimeExceptionExtension::Type(e);
    if (className.isEmpty())
        throw UnsupportedOperationException(QStringLiteral("The exception's class cannot be named"));
    const QString eol = QStringLiteral("\n");
    return className + QStringLiteral(" in ") + s + eol + QStringLiteral("TYPE: ") + className + eol
        + QStringLiteral("ERROR CODE: ") + QString::number(e.ErrorNumber) + eol + QStringLiteral("ERROR MESSAGE: ")
        + e.Message;
}

bool HandleException(const RuntimeException &e, const QString &s)
{
    DepthScope depth;
    try {
        if (g_depth > kMaxNesting)
            throw UnsupportedOperationException(QStringLiteral("Report window keeps failing"));
        const QString text = ReportText(e, s);
        ReportOpener open = opener();
        open(text);
    } catch (...) {
        Toolkit::MessageBox(QStringLiteral("HandleException Error"));
    }
    return true;
}

ReportOpener setReportOpener(ReportOpener o) { return std::exchange(opener(), std::move(o)); }

int nestingDepth() { return g_depth; }

} // namespace ErrorHandling
