#include "util/RtrnBoolean.h"

#include "errors/CatchClause.h"

namespace RtrnBoolean {

bool rbDoesStringEndWith(const QString &text, const QString &suffix)
{
    static constexpr HandlerId id{"RtrnBoolean", "", "rbDoesStringEndWith", HandlerKind::ModuleMethod};
    // Every text ends with the empty suffix, the null text too (Qt answers false there).
    return Guard(id, [&] { return suffix.isEmpty() || text.endsWith(suffix, Qt::CaseSensitive); });
}

bool rbDoesStringStartWith(const QString &text, const QString &prefix)
{
    static constexpr HandlerId id{"RtrnBoolean", "", "rbDoesStringStartWith", HandlerKind::ModuleMethod};
    // Every text starts with the empty prefix, the null text too (Qt answers false there).
    return Guard(id, [&] { return prefix.isEmpty() || text.startsWith(prefix, Qt::CaseSensitive); });
}

} // namespace RtrnBoolean
