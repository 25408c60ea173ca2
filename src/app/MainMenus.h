// The pop-up menus of the main window's lists and of the program picture.
#pragma once

#include <string>
#include <vector>

namespace plenvik {

enum class MenuId { Project, Icon, Help };

struct MenuItem {
    int index;  // as the click handler receives it
    std::string caption;
    bool enabled = true;
    bool separator() const { return caption == "-"; }
};

struct Menu {
    std::string name;     // mnuProjectWork
    std::string caption;  // "Projekt"
    std::vector<MenuItem> items;

    MenuItem* item(int index);
    const MenuItem* item(int index) const;
};

// The three menus with their items, in display order.
std::vector<Menu> makeMainMenus();

}  // namespace plenvik
