#pragma once
// Scopes for the test seams: each sets a seam for as long as it lives and puts back what was
// there before, also when a failed check leaves the test early.

#include <optional>
#include <utility>

// For a seam whose setter returns the hook it replaced:
//     HookScope opener(&ErrorHandling::setReportOpener, [&](const QString &t) { ... });
template<typename Hook>
class HookScope
{
public:
    using Setter = Hook (*)(Hook);

    HookScope(Setter set, Hook hook)
        : m_set(set)
        , m_previous(set(std::move(hook)))
    {}
    ~HookScope() { m_set(std::move(m_previous)); }
    HookScope(const HookScope &) = delete;
    HookScope &operator=(const HookScope &) = delete;

private:
    Setter m_set;
    Hook m_previous;
};

template<typename Hook, typename F>
HookScope(Hook (*)(Hook), F) -> HookScope<Hook>;

// For a seam that pins a value until it is given std::nullopt (the real machine again):
//     PinScope screen(&Toolkit::pinScreenForTests, QRect(0, 25, 1280, 700));
template<typename T>
class PinScope
{
public:
    using Pin = void (*)(std::optional<T>);

    PinScope(Pin pin, T value)
        : m_pin(pin)
    {
        m_pin(std::move(value));
    }
    ~PinScope() { m_pin(std::nullopt); }
    PinScope(const PinScope &) = delete;
    PinScope &operator=(const PinScope &) = delete;

private:
    Pin m_pin;
};

template<typename T, typename V>
PinScope(void (*)(std::optional<T>), V) -> PinScope<T>;
