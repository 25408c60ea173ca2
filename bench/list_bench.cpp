// The project list over large projects on the simulated platform.
//   list_bench create ROOT COUNT MEGABYTES   saves a small desktop with the program's own save, then
//                                            writes COUNT projects of MEGABYTES each: that project with
//                                            its first icon's content grown to the size
//   list_bench list ROOT                     lists the project folder and prints "<ms> <projects listed>"
//   list_bench heads ROOT                    reads the first 4 KB of every project and prints "<ms>"
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/MainActions.h"
#include "app/MainController.h"
#include "FailingLoudly.h"
#include "SavedSmallDesktop.h"
#include "errors/ErrorHandler.h"
#include "platform/sim/SimPlatform.h"
#include "project/DesktopSave.h"
#include "app/ProjectListController.h"

namespace {

using namespace plenvik;
namespace fs = std::filesystem;

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

int create(const std::string& root, int count, long megabytes) {
    sim::SimPlatform sim(root);
    const std::optional<std::string> saved = bench::savedSmallDesktop(sim, "list_bench");
    if (!saved) return 4;
    const std::string& project = *saved;
    const std::string open = "<FileData_BASE64>";
    const std::size_t at = project.find(open, project.find("<ICON_DATA>"));
    if (at == std::string::npos) return 5;
    const std::string head = project.substr(0, at + open.size()), tail = project.substr(at + open.size());
    const std::string line(76 * 1024, 'A');
    for (int p = 0; p < count; ++p) {
        std::ofstream out(sim.files.nativePath("C:\\Projekte\\Gross " + std::to_string(p) + ".Plenvk"), std::ios::binary);
        out << head;
        for (long written = 0; written < megabytes * (1 << 20); written += static_cast<long>(line.size())) out << line;
        out << tail;
    }
    return 0;
}

int list(const std::string& root) {
    sim::SimPlatform sim(root);
    bench::FailingLoudly errors("list_bench");
    UnavailableActions actions;
    MainController form(sim.platform(), errors, actions);
    form.load("");
    const auto start = std::chrono::steady_clock::now();
    std::string directory = "C:\\Projekte";
    searchProjectFiles(form, directory, "");
    const double ms = millisecondsSince(start);
    int projects = 0;
    for (const ListRow& row : form.lists.projects.rows()) projects += row.smallIcon == "DESY" ? 1 : 0;
    std::printf("%.1f %d\n", ms, projects);
    return 0;
}

int heads(const std::string& root) {
    sim::SimPlatform sim(root);
    const auto start = std::chrono::steady_clock::now();
    std::vector<char> buffer(4096);
    for (const auto& e : fs::directory_iterator(sim.files.nativePath("C:\\Projekte"))) {
        std::ifstream in(e.path(), std::ios::binary);
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    }
    std::printf("%.1f\n", millisecondsSince(start));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "create" && argc == 5) return create(argv[2], std::atoi(argv[3]), std::atol(argv[4]));
    if (mode == "list" && argc == 3) return list(argv[2]);
    if (mode == "heads" && argc == 3) return heads(argv[2]);
    std::fprintf(stderr, "usage: list_bench create ROOT COUNT MEGABYTES | list ROOT | heads ROOT\n");
    return 2;
}
