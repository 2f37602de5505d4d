#pragma once
// Menu handlers by item name, as a window or the application keeps them. A handler answers
// true when it handled the item; false lets the item go on to the next in the dispatch order.

#include <QHash>
#include <QString>

#include <functional>

namespace Toolkit {

class MenuHandlers
{
public:
    using Handler = std::function<bool()>;

    void add(const QString &itemName, Handler handler);
    bool has(const QString &itemName) const;
    // Runs the item's handler; false when there is none or it declined.
    bool handle(const QString &itemName) const;

private:
    QHash<QString, Handler> m_handlers;
};

} // namespace Toolkit
