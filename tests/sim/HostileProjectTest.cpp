// Project files made to do harm (tests/data/hostile/, each described in its README) are shown and
// restored on the simulated desktop: whatever they hold, nothing is written outside the two desktop
// folders and the project folder, and the registry changes only where a restore owns the values.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "desktop/DesktopSystemIcons.h"
#include "project/ProjectFileNameCheck.h"
#include "app/ProjectListController.h"
#include "support/ProgramFixture.h"

namespace plenvik {
namespace {

namespace fs = std::filesystem;

struct HostileFile {
    const char* name;
    int refused;  // icons the restore must refuse; -1: the file does not load completely, so no restore runs
};
void PrintTo(const HostileFile& file, std::ostream* out) { *out << file.name; }

class HostileProjectTest : public test::ProgramFixture, public ::testing::WithParamInterface<HostileFile> {
protected:
    // Copies the file into the project folder, shows it and restores it, answering every question Yes.
    void showAndRestore(const std::string& name) {
        fs::copy_file(fs::path(PLENVIK_TEST_DATA) / "hostile" / name, native("C:\\Projekte\\" + name));
        sim.clock.tickPerReading = true;
        sim.dialogs.answerAllMessages(MsgAnswer::Yes);
        std::string directory = "C:\\Projekte";
        searchProjectFiles(form, directory, "");
        const int row = form.lists.projects.find(name);
        ASSERT_GE(row, 0) << "the project list shows " << name;
        form.lists.projects.select(row);
        form.menuClick(MenuId::Project, 1);  // show
        form.menuClick(MenuId::Project, 2);  // restore
    }

    // Every file and folder below the scratch root with its content ("" for a folder).
    std::map<std::string, std::string> tree() {
        std::map<std::string, std::string> entries;
        for (const auto& e : fs::recursive_directory_iterator(scratch.path())) {
            const std::string relative = fs::relative(e.path(), scratch.path()).generic_string();
            entries[relative] = e.is_regular_file() ? readNative(e.path()) : "";
        }
        return entries;
    }
    static std::string readNative(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The desktop folders, the project folder, and the picture of the shown project's monitors that the
    // analysis puts in the program's folder under its fixed name.
    bool mayChange(const std::string& relative) {
        if (relative == fs::relative(native(sim.system.folder + "\\Desktop.jpg"), scratch.path()).generic_string()) return true;
        for (const char* folder : {sim::SimPlatform::kUserDesktop, sim::SimPlatform::kCommonDesktop, "C:\\Projekte"}) {
            const std::string root = fs::relative(native(folder), scratch.path()).generic_string();
            if (relative == root || relative.starts_with(root + "/")) return true;
        }
        return false;
    }
    // The hidden flags and labels of the known system icons (their label keys' values, no key below them).
    static bool ownedByARestore(const std::string& line) {
        const std::string folded = foldedText(line);
        for (const DesktopSystemIcon& icon : kDesktopSystemIcons) {
            const std::string id = foldedText(icon.clsid);
            if (folded.substr(0, folded.find('|')) == foldedText(kSystemIconLabelKey) + "\\" + id) return true;
            if (folded.starts_with(foldedText(kHideDesktopIconsKey)) && folded.find("|" + id + "=") != std::string::npos) return true;
        }
        return false;
    }
    static std::string foldedText(std::string_view text) {
        std::string out(text);
        for (char& c : out)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return out;
    }
};

TEST_P(HostileProjectTest, ShowAndRestoreWriteOnlyWhereARestoreMay) {
    const std::string name = GetParam().name;
    for (const char* which : {"\\ClassicStartMenu", "\\NewStartPanel"}) sim.registry.createKey(std::string(kHideDesktopIconsKey) + which);
    const auto filesBefore = tree();
    const auto registryBefore = sim.registry.snapshot();
    // A project that does not load is reported when it is shown and when the restore loads it again.
    if (GetParam().refused < 0) errors.answers = {kActionLeave, kActionLeave};

    showAndRestore(name);

    const auto filesAfter = tree();
    for (const auto& [path, content] : filesAfter) {
        const auto before = filesBefore.find(path);
        const bool changed = before == filesBefore.end() || before->second != content;
        EXPECT_TRUE(!changed || mayChange(path)) << name << " wrote " << path;
    }
    for (const auto& [path, content] : filesBefore)
        EXPECT_TRUE(filesAfter.count(path) != 0 || mayChange(path)) << name << " removed " << path;
    const auto registryAfter = sim.registry.snapshot();
    const auto holds = [](const std::vector<std::string>& lines, const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    for (const std::string& line : registryAfter)
        EXPECT_TRUE(holds(registryBefore, line) || ownedByARestore(line)) << name << " wrote " << line;
    for (const std::string& line : registryBefore)
        EXPECT_TRUE(holds(registryAfter, line) || ownedByARestore(line)) << name << " removed " << line;
    if (GetParam().refused < 0) {
        // A project that did not load completely is neither compared nor restored.
        EXPECT_EQ(form.lblInfo().text.find("nicht erstellt"), std::string::npos) << name << ": " << form.lblInfo().text;
        EXPECT_FALSE(form.command(CommandId::DesktopRestore).enabled);
        EXPECT_FALSE(errors.reports.empty()) << "the user is told why";
    } else {
        // The restore reached every icon: those it had to refuse are counted as not created.
        const std::string refused = "(000" + std::to_string(GetParam().refused) + ") nicht erstellt";
        EXPECT_NE(form.lblInfo().text.find(refused), std::string::npos) << name << ": " << form.lblInfo().text;
    }
    // Whatever a desktop folder holds now has a bare name.
    for (const char* folder : {sim::SimPlatform::kUserDesktop, sim::SimPlatform::kCommonDesktop})
        for (const auto& e : fs::directory_iterator(native(folder)))
            EXPECT_TRUE(isBareFileName(e.path().filename().string())) << name << " made " << e.path();
}

INSTANTIATE_TEST_SUITE_P(Files, HostileProjectTest,
                         ::testing::Values(HostileFile{"traversal.Plenvk", 5}, HostileFile{"devices.Plenvk", 5},
                                           HostileFile{"streams.Plenvk", 3}, HostileFile{"registry.Plenvk", 3},
                                           HostileFile{"damaged-content.Plenvk", 3}, HostileFile{"entities.Plenvk", 0},
                                           HostileFile{"huge-numbers.Plenvk", -1}),
                         [](const auto& info) {
                             std::string test = info.param.name;
                             test = test.substr(0, test.find('.'));
                             std::erase(test, '-');
                             return test;
                         });

class HostileContentTest : public HostileProjectTest {};

TEST_F(HostileContentTest, DamagedContentIsRefusedAndContentBrokenOverLinesIsWritten) {
    showAndRestore("damaged-content.Plenvk");
    EXPECT_EQ(read(user("Zeilen.txt")), "ABCDEF");
    for (const char* refused : {"Stern.txt", "Umlaut.txt", "Gleich.txt"}) {
        EXPECT_FALSE(fs::exists(native(user(refused)))) << refused;
        const ListModel& icons = form.lists.projectIcons;
        int row = -1;
        for (int r = 0; r < icons.size(); ++r)
            if (icons.row(r).text == refused) row = r;
        ASSERT_GE(row, 0) << refused;
        EXPECT_EQ(icons.row(row).sub(5), "konnte nicht erstellt werden, der Inhalt ist beschädigt!") << refused;
    }
}

}  // namespace
}  // namespace plenvik
