#include "restore/IconRepair.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

#include "app/frmMain.h"
#include "desktop/DesktopIcons.h"
#include "errors/Procedure.h"
#include "platform/Platform.h"
#include "restore/IconCreate.h"

namespace plenvik {
namespace {

constexpr std::size_t kColumnX = 2, kColumnY = 3, kColumnStatus = 5;

constexpr const char* kCorrect = "Koordinaten sind korrekt!";
constexpr const char* kMoved = "Koordinaten erfolgreich gesetzt!";
constexpr const char* kNotMoved = "Koordinaten konnte nicht gesetzt werden!";
constexpr const char* kCreatedAndPlaced = "erstellt und Koordinaten erfolgreich gesetzt!";

// The number after "ICON" in a row key: 12 for "ICON12" and for "ICON12NEW"; 0 when no digit follows.
int keyNumber(const std::string& key) {
    long long n = 0;
    for (std::size_t i = 4; i < key.size() && std::isdigit(static_cast<unsigned char>(key[i])) && n <= 1000000000; ++i)
        n = n * 10 + (key[i] - '0');
    return n > 1000000000 ? 0 : static_cast<int>(n);
}

// A coordinate cell as a number; a cell that holds none is a type mismatch for the error handler.
int cellNumber(const std::string& text) {
    std::size_t begin = text.find_first_not_of(' '), end = text.find_last_not_of(' ');
    int value = 0;
    if (begin != std::string::npos) {
        const char* first = text.data() + begin;
        const char* last = text.data() + end + 1;
        if (*first == '+') ++first;
        const auto [stop, error] = std::from_chars(first, last, value);
        if (error == std::errc() && stop == last) return value;
    }
    throw RuntimeError(13, kAppTitle, "Typen unverträglich");
}

class BusyCursor {
public:
    explicit BusyCursor(frmMain& form) : form_(form) { form_.setBusyCursor(true); }
    ~BusyCursor() { form_.setBusyCursor(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    frmMain& form_;
};

class IconRepair {
public:
    explicit IconRepair(frmMain& form) : form_(form), list_(form.lvwProjectIcons) {}

    // Checks the icon of one row against the desktop, moves it back where it sits elsewhere and
    // re-creates it where it is missing.
    void repair(int row) {
        const std::string label = list_.row(row).text, key = list_.row(row).key;
        const std::string xText = list_.row(row).sub(kColumnX), yText = list_.row(row).sub(kColumnY);
        form_.sb_ListItemColorSet(list_, row, kColorBlue);
        form_.setInfo("Symbol '" + label + "' Koordinaten prüfen und ggf. setzen ...");
        form_.doEvents();
        readDesktop();

        const std::vector<DesktopIcon>& current = form_.currentIcons;
        const int count = static_cast<int>(current.size()) - 1;
        const int x = keyNumber(key);
        if (x >= 1 && x <= count && current[static_cast<std::size_t>(x)].Name == label) {
            const DesktopIcon& icon = current[static_cast<std::size_t>(x)];
            const int wantedX = cellNumber(xText), wantedY = cellNumber(yText);
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
            show(key, label, move(j, cellNumber(xText), cellNumber(yText)) ? kMoved : kNotMoved);
        } else {
            setStatus(key, "Symbol muß erstellt werden...");
            form_.setInfo("Symbol '" + label + "' nicht gefunden => erstellen...");
            std::int16_t answer = kAllUsersNotAsked, created = 0, notCreated = 0;
            if (!fc_DesktopIconsLoadFromFile_IconCreate(form_, 0, answer, created, notCreated, label))
                form_.setInfo("Abbruch, Symbol '" + label + "' konnten icht erstellt werden!");
        }

        const std::string prefix = "Symbol '" + label + "' ";
        const std::string& info = form_.lblInfo().text;
        const bool good = info == prefix + kCreatedAndPlaced || info == prefix + kCorrect || info == prefix + kMoved;
        // Events have run since the row was found: find it again by its key.
        if (const int now = list_.find(key); now >= 0) form_.sb_ListItemColorSet(list_, now, good ? kColorWindowText : kColorRed);
        if (!good) form_.setInfoColor(kColorRed);
    }

private:
    void readDesktop() {
        std::vector<IconItem> items;
        fc_DesktopIconsGet(form_.platform().desktop, form_.errors(), items);
        fillIconTable(form_.currentIcons, items);
        form_.currentIcons.insert(form_.currentIcons.begin(), DesktopIcon{});
    }

    // The first icon of the desktop (from 1) with the label; 0 when none has it.
    int indexOfLabel(const std::string& label) const {
        for (std::size_t j = 1; j < form_.currentIcons.size(); ++j)
            if (form_.currentIcons[j].Name == label) return static_cast<int>(j);
        return 0;
    }

    bool move(int position, int x, int y) {
        return fc_DesktopIconSet(form_.platform().desktop, form_.errors(), position - 1, x, y);
    }

    void setStatus(const std::string& key, const std::string& text) {
        if (const int row = list_.find(key); row >= 0) list_.setSubItem(row, kColumnStatus, text);
    }

    void show(const std::string& key, const std::string& label, const std::string& text) {
        setStatus(key, text);
        form_.setInfo("Symbol '" + label + "' " + text);
    }

    frmMain& form_;
    ListModel& list_;
};

}  // namespace

void mnuIconWork_Click(frmMain& form, int index) {
    Procedure procedure(form.errors(), "frmMain.mnuIconWork_Click");
    BusyCursor busy(form);
    ListModel& list = form.lvwProjectIcons;
    procedure.run([&] {
        if (index == kIconMenuCheckAll || index == kIconMenuUncheckAll) {
            for (int r = 0; r < list.size(); ++r) list.setChecked(r, index == kIconMenuCheckAll);
            return;
        }
        if (index != kIconMenuRepairSelected && index != kIconMenuRepairChecked) return;
        form.setInfoColor(kColorBlue);
        IconRepair repair(form);
        if (index == kIconMenuRepairSelected) {
            if (const int row = list.selectedIndex(); row >= 0) procedure.step([&] { repair.repair(row); });
            return;
        }
        // Rows are counted anew each time: the list may change while events run.
        for (int row = 0; row < list.size(); ++row) {
            if (!list.row(row).checked) continue;
            list.ensureVisible(row);
            procedure.step([&] { repair.repair(row); });
        }
    });
}

}  // namespace plenvik
