// Showing a project of many icons on the simulated platform.
//   show_bench create ROOT COUNT   saves a small desktop with the program's own save, then writes a project
//                                  of COUNT icons, each a small file with its content, from that one
//   show_bench show ROOT COUNT     shows that project in a child process, checks it shows COUNT icons
//                                  and prints "<ms> <peak RSS of the child in MB> <icons shown>"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/MainActions.h"
#include "app/MainController.h"
#include "ChildRun.h"
#include "FailingLoudly.h"
#include "SavedSmallDesktop.h"
#include "app/ProjectListController.h"
#include "platform/sim/SimPlatform.h"

namespace {

using namespace plenvik;
namespace fs = std::filesystem;

const std::string kProject = "Viele Symbole.Plenvk";

int create(const std::string& root, int count) {
    sim::SimPlatform sim(root);
    const std::optional<std::string> saved = bench::savedSmallDesktop(sim, "show_bench");
    if (!saved) return 4;
    const std::string& project = *saved;
    const std::size_t from = project.find("<ICON_DATA>"), to = project.find("</ICON_DATA>");
    if (from == std::string::npos || to == std::string::npos) return 5;
    std::ofstream out(sim.files.nativePath("C:\\Projekte\\" + kProject), std::ios::binary);
    out << project.substr(0, from + 11);
    for (int i = 1; i <= count; ++i) {
        const std::string n = std::to_string(i);
        out << "<Icon" << n << "><Nr>" << n << "</Nr><Name>Datei " << n << "</Name><PosX>" << (i % 1920) << "</PosX><PosY>" << (i / 1920)
            << "</PosY><FileName>Datei " << n << ".txt</FileName><FileType>FILE</FileType><FileShellFolderType>16</FileShellFolderType>"
            << "<FileReasonNotLoaded>0</FileReasonNotLoaded><FileData_BASE64>SW5oYWx0IGRlciBEYXRlaSBOdW1tZXIg" << n
            << "</FileData_BASE64></Icon" << n << ">\r\n";
    }
    out << project.substr(to);
    return out ? 0 : 6;
}

// The number of icons of the project shown; 0 when none was shown.
std::size_t show(const std::string& root) {
    sim::SimPlatform sim(root);
    bench::FailingLoudly errors("show_bench");
    ProgramActions actions{[](const Settings& s) { return SettingsDialogOutcome{SettingsDialog::kResultClosed, s}; }};
    MainController form(sim.platform(), errors, actions);
    form.load("");
    std::string directory = "C:\\Projekte";
    searchProjectFiles(form, directory, "");
    const int row = form.lists.projects.find(kProject);
    if (row < 0) return 0;
    form.lists.projects.select(row);
    form.menuClick(MenuId::Project, 1);
    const auto project = form.shownProject();
    return project ? project->iconCount() : 0;
}

int showInChild(const std::string& root, std::size_t icons) {
    const auto run = bench::runInChild([&] { return show(root) == icons ? 0 : 8; });
    if (!run) return 6;
    std::printf("%.0f %.1f %zu\n", run->seconds * 1000.0, run->peakMegabytes, icons);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "create" && argc == 4) return create(argv[2], std::atoi(argv[3]));
    if (mode == "show" && argc == 4) return showInChild(argv[2], std::strtoul(argv[3], nullptr, 10));
    std::fprintf(stderr, "usage: show_bench create ROOT COUNT | show_bench show ROOT COUNT\n");
    return 2;
}
