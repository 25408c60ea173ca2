#include "app/MainMenus.h"

namespace plenvik {

MenuItem* Menu::item(int index) {
    for (auto& i : items)
        if (i.index == index) return &i;
    return nullptr;
}

const MenuItem* Menu::item(int index) const { return const_cast<Menu*>(this)->item(index); }

std::vector<Menu> makeMainMenus() {
    return {
        {"mnuProjectWork",
         "Projekt",
         {{1, "Desktop durch &Projektdatei analysieren/vergleichen"},
          {2, "&Desktop aus Projektdatei wieder herstellen"},
          {3, "&Desktop aus Projektdatei wieder herstellen (ohne Monitoranpassung)"},
          {5, "-"},
          {6, "Desktop Projekt &erstellen/speichern"},
          {7, "Desktop Projekt &löschen"}}},
        {"mnuIconWork",
         "Symbol",
         {{1, "Symbol &prüfen, korrigieren, ggf. erstellen"},
          {2, "&markierte Symbol prüfen, korrigieren, ggf. erstellen"},
          {4, "-"},
          {5, "alle Einträge &markieren"},
          {6, "alle Einträge &demarkieren"}}},
        {"mnuHelpWork", "Hilfe", {{1, "HTML Hilfe aufrufen"}, {2, "-"}, {3, "Informationen"}, {4, "Orvel GmbH im Internet"}}},
    };
}

}  // namespace plenvik
