#pragma once
// The one catch clause of every handler and method. A handler's body runs inside Guard with
// its identity; a runtime failure is turned into the reported or the alert form, logged, and
// the handler ends normally with the empty value of its result.

#include "toolkit/RuntimeException.h"

#include <QString>
#include <QStringList>

#include <type_traits>
#include <utility>

enum class HandlerKind {
    ControlEvent, // control event handler in a window
    WindowEvent,  // event handler of a window (Opening)
    WindowMethod,
    ModuleMethod,
    AppMethod,               // method of the application object
    MenuHandler,             // of the application object or of a window
    CustomControlEvent,      // StaticURL's own events
    ReportWindowConstructor, // winReportError's constructor
    AppOpening,              // the application's Opening event (alert form)
};

enum class ClauseForm {
    Reported,
    Alert
};

struct HandlerId
{
    const char *owner = "";   // winMain, Help, App, StaticURL ...
    const char *control = ""; // only for control events
    const char *member = "";  // event, method or menu item name
    HandlerKind kind = HandlerKind::ModuleMethod;
    ClauseForm form = ClauseForm::Reported;
};

namespace CatchClause {

QString QualifiedName(const HandlerId &id);
QStringList KindLines(const HandlerId &id, const RuntimeException &e);
// Reported form: qualified name, empty line, kind lines.
QString ContextText(const HandlerId &id, const RuntimeException &e);
// Alert form: "Oops! " + qualified name, kind lines, TYPE line.
QString AlertText(const HandlerId &id, const RuntimeException &e);
QString LogLine(const HandlerId &id);

// Reports e for the handler; false means HandleException declined and e must be re-raised.
bool Report(const HandlerId &id, const RuntimeException &e);

} // namespace CatchClause

// Runs body(); on a RuntimeException reports it and returns the empty value of the result.
template<typename F>
auto Guard(const HandlerId &id, F &&body) -> std::invoke_result_t<F>
{
    using R = std::invoke_result_t<F>;
    try {
        return std::forward<F>(body)();
    } catch (const RuntimeException &e) {
        if (!CatchClause::Report(id, e))
            throw;
        if constexpr (!std::is_void_v<R>)
            return R{};
    }
}
