// The three lists of the main window and their named columns. The lists mirror the values a run works
// on (the loaded project, the current desktop); a cell is read back only by its column's name.
#pragma once

#include "ui/ListModel.h"

namespace plenvik {

// The project list: one row per project file, plus the current desktop's row.
enum class ProjectColumn : std::size_t {
    Version = 0,  // the row text
    Computer = 1,
    User = 2,
    DateTime = 3,
    MonitorCount = 4,
    IconCount = 5,
    ViewStyle = 6,
    ArrangeStyle = 7,
    Directory = 11,
    File = 12,
    Info1 = 13,  // an error row's parser message, position and source text
    Info2 = 14,
    Info3 = 15,
    DateSortKey = 16,
};

// The project's data: the view style row, the file's folder and name, the monitors.
enum class DataColumn : std::size_t {
    Title = 0,
    Information = 1,
    DeviceName = 7,
    Width = 8,
    Height = 9,
    Frequency = 10,
    ColorDepth = 11,
    Left = 12,
    Top = 13,
};

// The icons: saved ones after an analysis, the live ones after a save.
enum class IconColumn : std::size_t {
    Title = 0,
    PosOrder = 1,
    X = 2,
    Y = 3,
    Information = 4,
    Status = 5,
    SortKey = 6,
    Message = 7,  // shown by a double click on the row
};

struct MainLists {
    ListModel projects{"lvwProjects"};
    ListModel projectData{"lvwProjectData"};
    ListModel projectIcons{"lvwProjectIcons"};

    // The columns each list shows, in its order.
    void addColumns();
    // The lower two lists: what the shown project (or the live desktop) holds.
    void clearProjectData() {
        projectData.clear();
        projectIcons.clear();
    }
};

}  // namespace plenvik
