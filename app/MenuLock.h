#pragma once

#include <QHash>
#include <QList>

class QAction;
class QMenu;

namespace dayvell {

// Makes menus unreachable and gives them back as they were. A disabled menu
// alone still lets the shortcut keys of its commands fire, so every command
// in the menus and their submenus is disabled as well; unlocking enables
// again only what was enabled before.
class MenuLock
{
public:
    explicit MenuLock(QList<QMenu*> menus);

    void lock();
    void unlock();
    bool isLocked() const { return locked_; }

private:
    QList<QMenu*> menus_;
    QHash<QAction*, bool> enabledBeforeLock_;
    bool locked_ = false;
};

} // namespace dayvell
