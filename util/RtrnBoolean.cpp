#include "util/RtrnBoolean.h"

#include "errors/CatchClause.h"

namespace RtrnBoolean {

bool rbDoesStringEndWith(const QString &text, const QString &suffix)
{
    static constexpr HandlerId id{"RtrnBoolean", "", "rbDoesStringEndWith", HandlerKind::ModuleMethod};
    return Guard(id, [&] { return text.endsWith(suffix, Qt::CaseSensitive); });
}

bool rbDoesStringStartWith(const QString &text, const QString &prefix)
{
    static constexpr HandlerId id{"RtrnBoolean", "", "rbDoesStringStartWith", HandlerKind::ModuleMethod};
    return Guard(id, [&] { return text.startsWith(prefix, Qt::CaseSensitive); });
}

} // namespace RtrnBoolean
