#include "ui/MainLists.h"

#include <initializer_list>
#include <utility>

namespace plenvik {
namespace {

void addColumns(ListModel& list, std::initializer_list<std::pair<const char*, int>> columns) {
    for (const auto& [header, width] : columns) list.addColumn(header, width);
}

}  // namespace

void MainLists::addColumns() {
    plenvik::addColumns(projects, {{"Version", 1300},
                                   {"Computer", 1800},
                                   {"OS Benutzer", 1600},
                                   {"Datum/Zeit", 1700},
                                   {"Mon.", 600},
                                   {"Symbole", 800},
                                   {"Desktop Anzeigeart", 0},
                                   {"Am Raster ausrichten", 0},
                                   {"", 0},
                                   {"", 0},
                                   {"", 0},
                                   {"Verzeichnis", 0},
                                   {"Datei", 0},
                                   {"Infos 1", 0},
                                   {"Infos 2", 0},
                                   {"Infos 3", 0},
                                   {"Datum/Zeit Sortierung", 0}});
    plenvik::addColumns(projectData, {{"Titel (Datei und Monitore)", 3000},
                                      {"Information", 7500},
                                      {"", 0},
                                      {"", 0},
                                      {"PosX", 0},
                                      {"PosY", 0},
                                      {"PosOrder", 0},
                                      {"Name", 0},
                                      {"Width", 0},
                                      {"Height", 0},
                                      {"Frequency", 0},
                                      {"ColorDepth", 0},
                                      {"Left", 0},
                                      {"Top", 0}});
    plenvik::addColumns(projectIcons, {{"Titel (Symbole)", 3000},
                                       {"Pos.", 800},
                                       {"X", 800},
                                       {"Y", 800},
                                       {"Information", 2800},
                                       {"Status", 2300},
                                       {"PosOrder", 0},
                                       {"ErrInfo", 0}});
}

}  // namespace plenvik
