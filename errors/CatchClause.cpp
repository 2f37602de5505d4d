#include "errors/CatchClause.h"

#include "errors/ErrorHandling.h"
#include "errors/RuntimeExceptionExtension.h"
#include "toolkit/System.h"

namespace CatchClause {

namespace {

const QString kEol = QStringLiteral("\n");

QString s(const char *text) { return QString::fromUtf8(text); }

} // namespace

QString QualifiedName(const HandlerId &id)
{
    QString name = s(id.owner) + QLatin1Char('.');
    if (id.kind == HandlerKind::ControlEvent)
        name += s(id.control) + QLatin1Char('.');
    return name + s(id.member);
}

QStringList KindLines(const HandlerId &id, const RuntimeException &e)
{
    switch (id.kind) {
    case HandlerKind::ControlEvent:
        return {QStringLiteral("WINDOW: ") + s(id.owner), QStringLiteral("CONTROL: ") + s(id.control),
                QStringLiteral("EVENT: ") + s(id.member)};
    case HandlerKind::WindowEvent:
        return {QStringLiteral("WINDOW: ") + s(id.owner), QStringLiteral("EVENT NAME: ") + s(id.member)};
    case HandlerKind::WindowMethod:
        return {QStringLiteral("WINDOW: ") + s(id.owner), QStringLiteral("METHOD: ") + s(id.member)};
    case HandlerKind::ModuleMethod:
        return {QStringLiteral("MODULE: ") + s(id.owner), QStringLiteral("METHOD: ") + s(id.member)};
    case HandlerKind::AppMethod:
        return {QStringLiteral("CLASS: Vantrel"), QStringLiteral("METHOD: ") + s(id.member)};
    case HandlerKind::MenuHandler:
        return {QStringLiteral("APP: ") + QStringLiteral(" ") + s(id.member)};
    case HandlerKind::CustomControlEvent:
        return {QStringLiteral("CUSTOM CONTROL: ") + s(id.owner), QStringLiteral("EVENT HANDLER: ") + s(id.member)};
    case HandlerKind::ReportWindowConstructor:
        return {QStringLiteral("WINDOW: winReportError"), QStringLiteral("METHOD: Constructor"),
                QStringLiteral("TYPE: ") + RuntimeExceptionExtension::Type(e),
                QStringLiteral("ERROR CODE: ") + QString::number(e.ErrorNumber),
                QStringLiteral("ERROR MESSAGE: ") + e.Message};
    case HandlerKind::AppOpening:
        return {QStringLiteral("EVENT HANDLER: App"), QStringLiteral("EVENT NAME: Opening")};
    }
    return {};
}

QString ContextText(const HandlerId &id, const RuntimeException &e)
{
    return QualifiedName(id) + kEol + kEol + KindLines(id, e).join(kEol);
}

QString AlertText(const HandlerId &id, const RuntimeException &e)
{
    return QStringLiteral("Oops! ") + QualifiedName(id) + kEol + KindLines(id, e).join(kEol) + kEol
        + QStringLiteral("TYPE: ") + RuntimeExceptionExtension::Type(e);
}

QString LogLine(const HandlerId &id)
{
    if (id.form == ClauseForm::Alert) {
        if (id.kind == HandlerKind::AppOpening)
            return QStringLiteral("Exception: App: Opening");
        if (id.kind == HandlerKind::ControlEvent)
            return QStringLiteral("Exception: ") + QualifiedName(id);
    }
    return QStringLiteral("Exception - ") + QualifiedName(id);
}

bool Report(const HandlerId &id, const RuntimeException &e)
{
    if (id.form == ClauseForm::Alert) {
        Toolkit::MessageBox(AlertText(id, e));
    } else if (!ErrorHandling::HandleException(e, ContextText(id, e))) {
        return false;
    }
    Toolkit::DebugLog(LogLine(id));
    return true;
}

} // namespace CatchClause
