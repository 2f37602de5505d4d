#pragma once
// Records quit requests instead of ending the event loop while it lives (GUI tests: the hook
// belongs to Toolkit::Application, which App derives from).

#include "common/HookScope.h"
#include "toolkit/Application.h"

class QuitHookScope : public HookScope<Toolkit::Application::QuitHook>
{
public:
    explicit QuitHookScope(Toolkit::Application::QuitHook hook)
        : HookScope(&Toolkit::Application::setQuitHookForTests, std::move(hook))
    {}
};
