// A main window on the simulated platform with a project icon table to restore from, a desktop whose
// grid makes (100, 200) snap to (96, 192), and a file system that can refuse the all-users desktop.
// The clock ticks a second per reading, so the waits for the desktop pass at once.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/MainActions.h"
#include "app/MainController.h"
#include "platform/sim/SimPlatform.h"
#include "base64/Base64.h"
#include "restore/IconCreate.h"
#include "restore/RestoreCounters.h"
#include "support/GuardedFileSystem.h"
#include "support/ScratchRoot.h"
#include "support/ScriptedErrorHandler.h"

namespace plenvik::test {

class IconRestoreFixture : public ::testing::Test {
protected:
    static constexpr const char* kUser = sim::SimPlatform::kUserDesktop;
    static constexpr const char* kCommon = sim::SimPlatform::kCommonDesktop;

    ScratchRoot scratch;
    sim::SimPlatform sim{scratch.path()};
    GuardedFileSystem files{sim.files};
    sim::SimIconView desktop{
        sim.files, &sim.registry,
        sim::SimDesktopSetup{DesktopFolders{kUser, kCommon}, DesktopGrid{16, 12, 80, 90, 8}, sim::kSimDesktopStyle, false}};
    Platform platform{sim.system, sim.clock,    sim.locale, sim.dialogs,  sim.events, sim.processes,
                      files,      sim.registry, sim.shell,  sim.displays, desktop};
    ScriptedErrorHandler errors;
    UnavailableActions actions;
    MainController form{platform, errors, actions};

    void SetUp() override {
        std::filesystem::create_directories(native(kUser));
        std::filesystem::create_directories(native(kCommon));
        form.load("");
        sim.clock.tickPerReading = true;
        sim.events.always([this] { desktop.settle(); });  // the shell refreshes between rounds of events
    }

    std::filesystem::path native(const std::string& path) { return sim.files.nativePath(path); }
    static std::string at(const std::string& folder, const std::string& name) { return folder + "\\" + name; }
    std::string read(const std::string& path) {
        std::ostringstream text;
        text << std::ifstream(native(path), std::ios::binary).rdbuf();
        return text.str();
    }
    void write(const std::string& path, const std::string& bytes) { std::ofstream(native(path), std::ios::binary) << bytes; }
    std::size_t entriesIn(const std::string& folder) {
        const std::filesystem::directory_iterator all(native(folder));
        return static_cast<std::size_t>(std::distance(begin(all), end(all)));
    }

    // The project the icons are restored from, as the window shows it once loaded.
    LoadedProject project;
    RestoreCounters counters;

    // Adds a saved icon to the project with its row "ICON" + number (cells X, Y).
    std::size_t saved(DesktopIcon icon) {
        const std::size_t index = project.icons.size();
        icon.ListKey = "ICON" + std::to_string(index);
        if (icon.PosOrder == 0) icon.PosOrder = static_cast<std::int32_t>(index);
        const int row = form.lists.projectIcons.add(icon.ListKey, icon.Name);
        form.lists.projectIcons.setSubItem(row, IconColumn::X, std::to_string(icon.PosX));
        form.lists.projectIcons.setSubItem(row, IconColumn::Y, std::to_string(icon.PosY));
        project.icons.push_back(std::move(icon));
        showProject();
        return index;
    }
    // The window keeps a copy of the project as the one shown (the icon menu acts on it).
    void showProject() { form.setShownProject(std::make_shared<const LoadedProject>(project)); }
    // Re-creates saved icon index (0: the first called name) as a restore does.
    bool recreate(std::size_t index, const std::string& name = {}) {
        RunContext context = form.runContext();
        return recreateIcon(context, project, form.currentDesktop(), index, counters, name);
    }
    static DesktopIcon file(const std::string& name, const std::string& fileName, std::int32_t folder, const std::string& content,
                            IconPosition at = {420, 370}) {
        DesktopIcon icon;
        icon.Name = name;
        icon.FileName = fileName;
        icon.FileType = "FILE";
        icon.FileShellFolderType = folder;
        icon.FileData_BASE64 = content.empty() ? "" : encodeBase64(std::string_view(content));
        icon.PosX = at.x;
        icon.PosY = at.y;
        return icon;
    }
    static DesktopIcon folder(const std::string& name, std::int32_t desktopFolder) {
        DesktopIcon icon = file(name, name, desktopFolder, "");
        icon.FileType = "FOLDER";
        return icon;
    }
    const std::string& status(std::size_t index) {
        return form.lists.projectIcons.row(form.lists.projectIcons.find(project.icons[index].ListKey)).sub(IconColumn::Status);
    }
    // Where the desktop shows an icon; (-1, -1) when it shows none of that label.
    IconPosition shownAt(const std::string& label) {
        for (const IconItem& item : desktop.readAll())
            if (item.label == label) return item.position;
        return {-1, -1};
    }
};

}  // namespace plenvik::test
