#pragma once

// Menu items that carry a tick: the program keeps the setting and shows it.

#include "toolkit/toolkit.h"

namespace tk {

// Makes the item a check item showing the given state.
void SetMenuItemChecked(WindowId window, int number, bool checked);
// False for an item that is not a check item.
bool MenuItemChecked(WindowId window, int number);

}  // namespace tk
