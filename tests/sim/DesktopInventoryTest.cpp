// The inventory on a simulated desktop of real files and links: what each icon is, where it lies, and
// which contents it carries.
#include "project/DesktopInventory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/ShellLinks.h"
#include "platform/sim/SimPlatform.h"
#include "base64/Base64.h"
#include "support/ScratchRoot.h"
#include "support/ScriptedErrorHandler.h"

namespace plenvik {
namespace {

namespace fs = std::filesystem;

class DesktopInventoryTest : public ::testing::Test {
protected:
    test::ScratchRoot scratch;
    sim::SimPlatform sim{scratch.path()};
    test::ScriptedErrorHandler errors;
    std::string info;
    std::vector<std::string> logged;
    InventoryContext context{sim.platform(), errors, 1, 0, {}, {}, {}};  // a limit of 1 KiB
    std::vector<DesktopIcon> table{1};                                   // [0] is unused

    void SetUp() override {
        context.info = [this] { return info; };
        context.setInfo = [this](const std::string& text) { info = text; };
        context.log = [this](const std::string& text) { logged.push_back(text); };
        fs::create_directories(native(sim::SimPlatform::kUserDesktop));
        fs::create_directories(native(sim::SimPlatform::kCommonDesktop));
        fs::create_directories(native("C:\\Daten\\Ordner"));
    }

    fs::path native(const std::string& path) { return sim.files.nativePath(path); }
    std::string user(const std::string& name) { return std::string(sim::SimPlatform::kUserDesktop) + "\\" + name; }
    std::string common(const std::string& name) { return std::string(sim::SimPlatform::kCommonDesktop) + "\\" + name; }
    void file(const std::string& path, const std::string& bytes) { std::ofstream(native(path), std::ios::binary) << bytes; }
    void link(const std::string& linkPath, const std::string& target) {
        auto l = sim.shell.createLink();
        l->setPath(target);
        ASSERT_EQ(l->save(linkPath), 0) << linkPath;
    }
    DesktopIcon& icon(const std::string& name) {
        table.push_back({});
        table.back().Name = name;
        table.back().PosOrder = static_cast<int>(table.size()) - 1;
        return table.back();
    }
    const DesktopIcon& named(const std::string& name) {
        for (const auto& i : table)
            if (i.Name == name) return i;
        throw std::logic_error("no icon " + name);
    }
    static std::string decoded(const DesktopIcon& i) {
        const auto bytes = decodeBase64(i.FileData_BASE64);
        return std::string(bytes.begin(), bytes.end());
    }
};

TEST_F(DesktopInventoryTest, EveryKindOfIconIsRecognisedWithItsContents) {
    file("C:\\Daten\\Bericht.txt", "Bericht");
    file(user("Notes.txt"), "hello");
    file(user("Genau.bin"), std::string(1024, 'x'));  // exactly the limit: loaded
    file(user("Gross.bin"), std::string(1025, 'y'));  // one byte more: not loaded
    file(user("Leer.txt"), "");
    fs::create_directories(native(user("Ordner")));
    link(user("Bericht.lnk"), "C:\\Daten\\Bericht.txt");
    link(user("Daten.lnk"), "C:\\Daten\\Ordner");
    link(user("Weg.lnk"), "C:\\Daten\\geloescht.txt");
    file(user("Web.url"), "[InternetShortcut]\r\nURL=https://example.org/\r\n");
    file(common("Gemeinsam.txt"), "alle");
    for (const char* n :
         {"Notes.txt", "Genau.bin", "Gross.bin", "Leer.txt", "Ordner", "Bericht", "Daten", "Weg", "Web", "Gemeinsam.txt", "Papierkorb"})
        icon(n);

    ASSERT_TRUE(inventoryIconFiles(context, table, 0, ContentMode::Load));

    EXPECT_EQ(named("Notes.txt").FileType, "FILE");
    EXPECT_EQ(decoded(named("Notes.txt")), "hello");
    EXPECT_EQ(named("Notes.txt").FileShellFolderType, 16);
    EXPECT_EQ(decoded(named("Genau.bin")).size(), 1024u);
    EXPECT_EQ(named("Gross.bin").FileReasonNotLoaded, 1);
    EXPECT_TRUE(named("Gross.bin").FileData_BASE64.empty());
    EXPECT_EQ(named("Gross.bin").FileType, "FILE");
    EXPECT_EQ(named("Leer.txt").FileData_BASE64, "AA") << "an empty file is stored as one zero byte";
    EXPECT_EQ(named("Ordner").FileType, "FOLDER");
    EXPECT_EQ(named("Bericht").FileType, "FILELINK");
    EXPECT_EQ(named("Bericht").FileName, "Bericht.lnk");
    EXPECT_FALSE(named("Bericht").FileData_BASE64.empty()) << "a link carries the link file";
    EXPECT_EQ(named("Daten").FileType, "FOLDERLINK");
    EXPECT_EQ(named("Weg").FileType, "ERRLINK");
    EXPECT_EQ(named("Weg").FileReasonNotLoaded, 2);
    EXPECT_EQ(named("Weg").LinkTarget, "C:\\Daten\\geloescht.txt");
    EXPECT_TRUE(named("Weg").FileData_BASE64.empty());
    EXPECT_EQ(named("Web").FileType, "INTERNETLINK");
    EXPECT_EQ(decoded(named("Web")), "[InternetShortcut]\r\nURL=https://example.org/\r\n") << "so that it can come back";
    EXPECT_EQ(named("Gemeinsam.txt").FileShellFolderType, 25);
    EXPECT_TRUE(named("Papierkorb").FileType.empty()) << "the all-icons form does not look for system icons";
    EXPECT_EQ(info, "(Aktion erfolgreich abgeschlossen!)");
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0], "Symbol, Verweis 'Weg.lnk' konnte nicht gefunden werden: 'C:\\Daten\\geloescht.txt'!");
}

TEST_F(DesktopInventoryTest, LabelsArePairedWithFilesOnlyWhereNoOtherFileOrIconFits) {
    file(user("Doppelt.txt"), "mein");
    file(common("Doppelt.txt"), "alle");
    file(user("Notes.txt"), "n");
    file(user("Brief.docx"), "b");       // the desktop shows "Brief"
    file(user("Bericht.docx"), "docx");  // both show "Bericht"
    file(user("Bericht.pdf"), "pdf");
    file(user("Plan.xyz"), "x");  // "Plan.xyz" (no program for the type) and "Plan" (a .txt)
    file(user("Plan.txt"), "t");
    for (const char* n : {"Doppelt", "notes.TXT", "Brief", "Bericht", "Bericht", "Plan.xyz", "Plan"}) icon(n);
    ASSERT_TRUE(inventoryIconFiles(context, table, 0, ContentMode::Load));
    EXPECT_TRUE(table[1].FileName.empty()) << "one icon, a file of that name on both desktops: not guessed";
    EXPECT_EQ(table[2].FileName, "Notes.txt") << "case does not count";
    EXPECT_EQ(decoded(named("Brief")), "b");
    EXPECT_TRUE(table[4].FileName.empty());
    EXPECT_TRUE(table[5].FileName.empty());
    EXPECT_EQ(named("Plan.xyz").FileName, "Plan.xyz");
    EXPECT_EQ(decoded(named("Plan")), "t");
    ASSERT_EQ(logged.size(), 3u);
    EXPECT_EQ(logged[0], "Symbol 'Doppelt' ist nicht eindeutig einer Datei zuzuordnen ('" + user("Doppelt.txt") + "', '" +
                             common("Doppelt.txt") + "'), Inhalt wird nicht gesichert!");

    // Where the folder view names each item, two icons of one label each get their own file.
    table.resize(1);
    icon("Doppelt").ParsingName = user("Doppelt.txt");
    icon("Doppelt").ParsingName = common("doppelt.TXT");
    icon("Bericht").ParsingName = user("Bericht.pdf");
    ASSERT_TRUE(inventoryIconFiles(context, table, 0, ContentMode::Load));
    EXPECT_EQ(decoded(table[1]), "mein");
    EXPECT_EQ(decoded(table[2]), "alle");
    EXPECT_EQ(table[2].FileShellFolderType, 25);
    EXPECT_EQ(decoded(table[3]), "pdf");
}

TEST_F(DesktopInventoryTest, SystemIconsAreKnownByTheirLabels) {
    icon("Papierkorb");
    icon("Arbeitsplatz");
    icon("Irgendwas");
    ASSERT_TRUE(inventoryIconFiles(context, table, 1, ContentMode::Load));
    ASSERT_TRUE(inventoryIconFiles(context, table, 2, ContentMode::Load));
    ASSERT_TRUE(inventoryIconFiles(context, table, 3, ContentMode::Load));
    EXPECT_EQ(table[1].FileType, "{645FF040-5081-101B-9F08-00AA002F954E}");
    EXPECT_EQ(table[2].FileType, "{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
    EXPECT_EQ(table[3].FileType, "");

    // Once the user renamed the recycle bin, only the new label is it.
    const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}";
    sim.registry.createKey(key);
    sim.registry.setRawValue(key, "", 1, {'M', 0xC3, 0xBC, 'l', 'l'});
    std::string classId;
    systemIconClassId(sim.platform(), "Papierkorb", classId);
    EXPECT_EQ(classId, "");
    systemIconClassId(sim.platform(), "M\xC3\xBCll", classId);
    EXPECT_EQ(classId, "{645FF040-5081-101B-9F08-00AA002F954E}");
}

TEST_F(DesktopInventoryTest, ShowingASystemIconWritesItsLabelAndClearsTheHiddenFlags) {
    const std::string id = "{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
    const std::string clsidKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CLSID\\" + id;
    const std::string hidden = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\NewStartPanel";
    sim.registry.createKey(clsidKey);
    sim.registry.createKey(hidden);
    sim.registry.setRawValue(hidden, id, 4, {1, 0, 0, 0});
    EXPECT_TRUE(unhideSystemIcon(sim.platform(), id, "Mein Rechner"));
    ASSERT_TRUE(sim.registry.rawValue(clsidKey, "").has_value());
    const auto label = sim.registry.rawValue(clsidKey, "")->data;
    EXPECT_EQ(std::string(label.begin(), label.end()).substr(0, 12), "Mein Rechner");
    EXPECT_EQ(sim.registry.rawValue(hidden, id)->data, (std::vector<std::uint8_t>{0, 0, 0, 0}));
    const std::string classic = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\ClassicStartMenu";
    EXPECT_FALSE(sim.registry.keyExists(classic)) << "keys are never created";
}

TEST_F(DesktopInventoryTest, WithoutContentsPlainFilesAreEmptyButLinksAreNot) {
    file("C:\\Daten\\Bericht.txt", "Bericht");
    file(user("Notes.txt"), "hello");
    link(user("Bericht.lnk"), "C:\\Daten\\Bericht.txt");
    icon("Notes.txt");
    icon("Bericht");
    ASSERT_TRUE(inventoryIconFiles(context, table, 0, ContentMode::Skip));
    EXPECT_EQ(table[1].FileType, "FILE");
    EXPECT_TRUE(table[1].FileData_BASE64.empty());
    EXPECT_FALSE(table[2].FileData_BASE64.empty());
}

TEST_F(DesktopInventoryTest, DeferredContentsKeepOnlyThePath) {
    file(user("Notes.txt"), "hello");
    file(user("Gross.bin"), std::string(2000, 'y'));
    icon("Notes.txt");
    icon("Gross.bin");
    ASSERT_TRUE(inventoryIconFiles(context, table, 0, ContentMode::Defer));
    EXPECT_TRUE(table[1].FileData_BASE64.empty());
    EXPECT_EQ(table[1].ContentPath, user("Notes.txt"));
    EXPECT_TRUE(table[2].ContentPath.empty()) << "too large: nothing to stream";
}

TEST_F(DesktopInventoryTest, BaseNamesDropEveryLinkExtension) {
    EXPECT_EQ(iconBaseName("Notes.lnk"), "Notes");
    EXPECT_EQ(iconBaseName("a.lnk.txt"), "a.txt");
    EXPECT_EQ(iconBaseName("Web.URL"), "Web");
    EXPECT_EQ(iconBaseName("x.Lnk.url"), "x");
}

}  // namespace
}  // namespace plenvik
