#include "restore/IconRepair.h"

#include <cstdint>
#include <string>
#include <vector>

#include "desktop/DesktopIcons.h"
#include "errors/Procedure.h"
#include "platform/Platform.h"
#include "restore/IconCreate.h"
#include "restore/RestoreCounters.h"
#include "ui/MainLists.h"

namespace plenvik {
namespace {

constexpr const char* kCorrect = "Koordinaten sind korrekt!";
constexpr const char* kMoved = "Koordinaten erfolgreich gesetzt!";
constexpr const char* kNotMoved = "Koordinaten konnte nicht gesetzt werden!";
constexpr const char* kCreatedAndPlaced = "erstellt und Koordinaten erfolgreich gesetzt!";

class BusyCursor {
public:
    explicit BusyCursor(RunFeedback& feedback) : feedback_(feedback) { feedback_.setBusyCursor(true); }
    ~BusyCursor() { feedback_.setBusyCursor(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    RunFeedback& feedback_;
};

// The saved icon a row of the icon list shows; none for a row of a new icon or of the live desktop.
const DesktopIcon* savedIconOfRow(const LoadedProject* project, const std::string& key) {
    if (!project) return nullptr;
    for (std::size_t i = 1; i < project->icons.size(); ++i)
        if (project->icons[i].ListKey == key) return &project->icons[i];
    return nullptr;
}

class IconRepair {
public:
    IconRepair(RunContext& context, const LoadedProject& project, CurrentDesktop& current)
        : context_(context), feedback_(context.feedback), project_(project), current_(current), list_(context.lists.projectIcons) {}

    // Checks the saved icon of one row against the desktop, moves it back where it sits elsewhere and
    // re-creates it where it is missing.
    void repair(int row, const DesktopIcon& saved) {
        const std::string label = list_.row(row).text, key = list_.row(row).key;
        const int wantedX = saved.PosX, wantedY = saved.PosY;
        const std::string xText = std::to_string(wantedX), yText = std::to_string(wantedY);
        list_.setForeColor(row, kColorBlue);
        feedback_.setInfo("Symbol '" + label + "' Koordinaten prüfen und ggf. setzen ...");
        feedback_.pumpEvents();
        readCurrentIcons(current_, context_.platform.desktop, context_.errors);

        const std::vector<DesktopIcon>& current = current_.icons;
        const int count = static_cast<int>(current.size()) - 1;
        // The saved icon's number on the desktop it was saved from.
        const int x = saved.PosOrder;
        if (x >= 1 && x <= count && current[static_cast<std::size_t>(x)].Name == label) {
            const DesktopIcon& icon = current[static_cast<std::size_t>(x)];
            const std::string actual = std::to_string(icon.PosX) + "/" + std::to_string(icon.PosY);
            if (icon.PosX == wantedX && icon.PosY == wantedY)
                show(key, label, kCorrect);
            else if (move(x, wantedX, wantedY))
                show(key, label, kMoved);
            else
                show(key, label, std::string(kNotMoved) + " (Soll (x/y): " + xText + "/" + yText + " -> Ist: " + actual + ")");
        } else if (const int j = indexOfLabel(label); j > 0) {
            // The row's number no longer leads to its icon (the desktop has changed since), but the label
            // does - also when the number lies beyond the desktop's icons.
            show(key, label, move(j, wantedX, wantedY) ? kMoved : kNotMoved);
        } else {
            setStatus(key, "Symbol muß erstellt werden...");
            feedback_.setInfo("Symbol '" + label + "' nicht gefunden => erstellen...");
            RestoreCounters counters;
            const std::size_t index = static_cast<std::size_t>(&saved - project_.icons.data());
            if (!recreateIcon(context_, project_, current_, index, counters))
                feedback_.setInfo("Abbruch, Symbol '" + label + "' konnten icht erstellt werden!");
        }

        const std::string prefix = "Symbol '" + label + "' ";
        const std::string& info = feedback_.info();
        const bool good = info == prefix + kCreatedAndPlaced || info == prefix + kCorrect || info == prefix + kMoved;
        // Events have run since the row was found: find it again by its key.
        if (const int now = list_.find(key); now >= 0) list_.setForeColor(now, good ? kColorWindowText : kColorRed);
        if (!good) feedback_.setInfoColor(kColorRed);
    }

private:
    // The first icon of the desktop (from 1) with the label; 0 when none has it.
    int indexOfLabel(const std::string& label) const {
        for (std::size_t j = 1; j < current_.icons.size(); ++j)
            if (current_.icons[j].Name == label) return static_cast<int>(j);
        return 0;
    }

    bool move(int position, int x, int y) { return moveDesktopIcon(context_.platform.desktop, context_.errors, position - 1, x, y); }

    void setStatus(const std::string& key, const std::string& text) {
        if (const int row = list_.find(key); row >= 0) list_.setSubItem(row, IconColumn::Status, text);
    }

    void show(const std::string& key, const std::string& label, const std::string& text) {
        setStatus(key, text);
        feedback_.setInfo("Symbol '" + label + "' " + text);
    }

    RunContext& context_;
    RunFeedback& feedback_;
    const LoadedProject& project_;
    CurrentDesktop& current_;
    ListModel& list_;
};

}  // namespace

void runIconMenu(RunContext& context, const LoadedProject* project, CurrentDesktop& current, int index) {
    Procedure procedure(context.errors, "frmMain.mnuIconWork_Click");
    BusyCursor busy(context.feedback);
    ListModel& list = context.lists.projectIcons;
    procedure.run([&] {
        if (index == kIconMenuCheckAll || index == kIconMenuUncheckAll) {
            for (int r = 0; r < list.size(); ++r) list.setChecked(r, index == kIconMenuCheckAll);
            return;
        }
        if (index != kIconMenuRepairSelected && index != kIconMenuRepairChecked) return;
        // Only a loaded project's icons have a place to go back to.
        if (!project) return;
        context.feedback.setInfoColor(kColorBlue);
        IconRepair repair(context, *project, current);
        const auto repairRow = [&](int row) {
            // Rows without a saved icon (new icons) have nothing to be restored to.
            if (const DesktopIcon* saved = savedIconOfRow(project, list.row(row).key)) procedure.step([&] { repair.repair(row, *saved); });
        };
        if (index == kIconMenuRepairSelected) {
            if (const int row = list.selectedIndex(); row >= 0) repairRow(row);
            return;
        }
        // Rows are counted anew each time: the list may change while events run.
        for (int row = 0; row < list.size(); ++row) {
            if (!list.row(row).checked) continue;
            list.ensureVisible(row);
            repairRow(row);
        }
    });
}

}  // namespace plenvik
