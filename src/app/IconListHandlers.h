// What the project icon list does with the mouse: the right button opens mnuIcon over an icon's row,
// a double click shows the row's message.
#pragma once

namespace plenvik {

class MainController;
enum class MouseButton;

// Whether releasing this button over lvwProjectIcons pops up mnuIcon: the right button, with a row
// selected whose key names an icon ("ICON" followed by its number).
bool iconListOpensMenu(const MainController& form, MouseButton button);

// Shows the selected row's message (its "ErrInfo" cell) in a message box; nothing when it has none.
void showIconRowMessage(MainController& form);

}  // namespace plenvik
