#include "toolkit/MenuHandlers.h"

#include <utility>

namespace Toolkit {

void MenuHandlers::add(const QString &itemName, Handler handler) { m_handlers.emplace(itemName, std::move(handler)); }

bool MenuHandlers::has(const QString &itemName) const { return m_handlers.contains(itemName); }

bool MenuHandlers::handle(const QString &itemName) const
{
    const auto it = m_handlers.constFind(itemName);
    if (it == m_handlers.cend() || !*it)
        return false;
    const Handler handler = *it; // the handler may destroy the table's owner (a closing window)
    return handler();
}

} // namespace Toolkit
