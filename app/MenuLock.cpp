#include "app/MenuLock.h"

#include <QAction>
#include <QMenu>

#include <functional>

namespace dayvell {
namespace {

// Every action of the menus: each menu's own action, its commands and those
// of its submenus.
QList<QAction*> actionsOf(const QList<QMenu*>& menus)
{
    QList<QAction*> actions;
    const std::function<void(QMenu*)> collect = [&](QMenu* menu) {
        actions << menu->menuAction();
        for (QAction* action : menu->actions()) {
            if (QMenu* submenu = action->menu())
                collect(submenu);
            else if (!action->isSeparator())
                actions << action;
        }
    };
    for (QMenu* menu : menus)
        collect(menu);
    return actions;
}

} // namespace

MenuLock::MenuLock(QList<QMenu*> menus)
    : menus_(std::move(menus))
{
}

void MenuLock::lock()
{
    if (locked_)
        return;
    enabledBeforeLock_.clear();
    for (QAction* action : actionsOf(menus_)) {
        enabledBeforeLock_.insert(action, action->isEnabled());
        action->setEnabled(false);
    }
    locked_ = true;
}

void MenuLock::unlock()
{
    if (!locked_)
        return;
    for (auto entry = enabledBeforeLock_.cbegin(); entry != enabledBeforeLock_.cend(); ++entry)
        entry.key()->setEnabled(entry.value());
    enabledBeforeLock_.clear();
    locked_ = false;
}

} // namespace dayvell
