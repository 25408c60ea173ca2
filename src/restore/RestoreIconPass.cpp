#include "restore/RestoreIconPass.h"

#include <cmath>

#include "desktop/DesktopIcons.h"
#include "platform/Platform.h"
#include "restore/IconCreate.h"
#include "project/IconFilePairing.h"
#include "restore/RestoreCounters.h"
#include "restore/SavedIconItem.h"
#include "ui/MainLists.h"
#include "ui/PictureView.h"

namespace plenvik {
namespace {

constexpr const char* kCorrect = "Koordinaten sind korrekt!";

// The current icon the saved one pairs with; 0 for none, -1 when cancelled meanwhile. Where the folder
// view names the items, the saved file (or system icon) is the partner, whatever its label; else the
// icon at its own index when the label matches there (an unchanged desktop), else the first not yet
// paired with its label, else the only one whose label the desktop may give the saved file's name.
int findPartner(RestoreRun& run, const DesktopIcon& saved, std::size_t index) {
    const auto& current = run.current.icons;
    if (itemsAreNamed(current)) {
        const std::vector<std::string> names = parsingNamesOf(run.context.platform.shell, saved);
        if (!names.empty()) {
            for (const std::string& name : names)  // its own folder before the user's
                for (std::size_t j = 1; j < current.size(); ++j)
                    if (isNamedItem(current[j], {name})) return static_cast<int>(j);
            return 0;
        }
    }
    if (index < current.size() && current[index].Name == saved.Name) return static_cast<int>(index);
    for (std::size_t j = 1; j < current.size(); ++j) {
        if (current[j].Name == saved.Name && !current[j].Matched) return static_cast<int>(j);
        if (run.cancelled()) return -1;
    }
    if (saved.FileName.empty()) return 0;
    const FindEntry entry{saved.FileName, saved.FileType == kFileTypeFolder ? kAttrDirectory : 0u, 0};
    int fitting = 0;
    for (std::size_t j = 1; j < current.size(); ++j) {
        if (current[j].Matched || !labelFitsFileName(current[j].Name, entry)) continue;
        if (fitting) return 0;  // two could be it: none is taken
        fitting = static_cast<int>(j);
    }
    return fitting;
}

// Pairs one saved icon and checks, moves or re-creates it.
PassOutcome checkIcon(RestoreRun& run, std::size_t r, int attempt) {
    RunContext& context = run.context;
    RunFeedback& feedback = context.feedback;
    RestoreCounters& c = run.counters;
    ListModel& list = context.lists.projectIcons;
    const DesktopIcon& saved = run.project.icons[r];
    const std::string prefix = "Symbol '" + saved.Name + "' ";
    const int row = list.find(saved.ListKey);
    const auto cell = [&](const std::string& text) {
        if (row >= 0) list.setSubItem(row, IconColumn::Status, text);
        feedback.setInfo(prefix + text);
    };
    if (row >= 0) {
        list.setForeColor(row, kColorBlue);
        list.ensureVisible(row);
    }
    feedback.setInfo(prefix + "Koordinaten prüfen und ggf. setzen ...");
    feedback.pumpEvents();

    const int partner = findPartner(run, saved, r);
    if (partner < 0) return PassOutcome::Cancelled;
    if (partner > 0) {
        DesktopIcon& current = run.current.icons[static_cast<std::size_t>(partner)];
        current.Matched = true;
        if (current.PosX == saved.PosX && current.PosY == saved.PosY) {
            cell(kCorrect);
            if (attempt == 0) ++c.correct;
        } else if (run.analyse) {
            markDesktopPosition(context.picture, run.project, saved.PosX, saved.PosY, kColorRed);
            cell("Koordinaten müssen gesetzt werden!");
            ++c.corrected;
        } else if (moveDesktopIcon(context.platform.desktop, context.errors, current.PosOrder - 1, saved.PosX, saved.PosY)) {
            cell("Koordinaten erfolgreich gesetzt!");
            ++c.corrected;
        } else {
            cell("Koordinaten konnte nicht gesetzt werden!");
            ++c.notSet;
        }
    } else if (run.analyse) {
        markDesktopPosition(context.picture, run.project, saved.PosX, saved.PosY, kColorRed);
        cell("Symbol muß erstellt werden!");
        ++c.created;
    } else {
        if (!recreateIcon(context, run.project, run.current, r, c)) return PassOutcome::Aborted;
    }
    if (const int shown = list.find(saved.ListKey); shown >= 0) {
        const bool fine = !run.analyse || list.row(shown).sub(IconColumn::Status) == kCorrect;
        list.setForeColor(shown, fine ? kColorWindowText : kColorRed);
    }
    if (feedback.info() != prefix + kCorrect) run.log(feedback.info());
    return run.cancelled() ? PassOutcome::Cancelled : PassOutcome::Completed;
}

}  // namespace

void markDesktopPosition(PictureView& picture, const LoadedProject& project, std::int32_t x, std::int32_t y, std::uint32_t color) {
    const float fx = project.pictureScaleX, fy = project.pictureScaleY;
    if (!(fx > 0) || !(fy > 0) || !std::isfinite(fx) || !std::isfinite(fy)) return;
    const double px = static_cast<double>(x) / fx, py = static_cast<double>(y) / fy;
    const auto pixel = [](double v) { return std::nearbyint(v); };
    picture.PaintRectangle(pixel(px + 1), pixel(py + 1), pixel(px + 3), pixel(py + 3), 0, 0, color, color);
}

PassOutcome iconPass(RestoreRun& run, int attempt) {
    RunContext& context = run.context;
    run.counters.notSet = 0;
    run.proc.step([&] { readCurrentIcons(run.current, context.platform.desktop, context.errors); });
    context.feedback.setInfoColor(kColorBlue);
    for (std::size_t r = 1; r < run.project.icons.size(); ++r) {
        PassOutcome outcome = PassOutcome::Completed;
        run.proc.step([&] { outcome = checkIcon(run, r, attempt); });
        if (outcome != PassOutcome::Completed) return outcome;
        if (run.cancelled()) return PassOutcome::Cancelled;
    }
    return PassOutcome::Completed;
}

}  // namespace plenvik
