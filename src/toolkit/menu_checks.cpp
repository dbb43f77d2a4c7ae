#include "toolkit/menu_checks.h"

#include "toolkit/toolkit_private.h"

namespace tk {

namespace {

QAction* FindItem(WindowId window, int number) {
    detail::WindowRec& w = detail::Win(window);
    if (!w.menuBar) return nullptr;
    for (QAction* menu : w.menuBar->actions()) {
        if (!menu->menu()) continue;
        for (QAction* item : menu->menu()->actions()) {
            if (!item->isSeparator() && item->data().toInt() == number) return item;
        }
    }
    return nullptr;
}

}  // namespace

void SetMenuItemChecked(WindowId window, int number, bool checked) {
    if (QAction* item = FindItem(window, number)) {
        item->setCheckable(true);
        item->setChecked(checked);
    }
}

bool MenuItemChecked(WindowId window, int number) {
    const QAction* item = FindItem(window, number);
    return item && item->isCheckable() && item->isChecked();
}

}  // namespace tk
