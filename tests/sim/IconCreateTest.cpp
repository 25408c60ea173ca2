// Putting missing icons back on the simulated desktop: files byte for byte, empty files with the reason,
// folders, system icons, the question about the all-users desktop, and what must never happen to a
// file the user already has.
#include "restore/IconCreate.h"

#include <gtest/gtest.h>

#include "desktop/DesktopSystemIcons.h"
#include "support/IconRestoreFixture.h"
#include "ui/Protocol.h"

namespace plenvik {
namespace {

class IconCreateTest : public test::IconRestoreFixture {
protected:
    const int& created = counters.created;
    const int& notCreated = counters.notCreated;

    bool create(std::size_t index, const std::string& name = {}) { return recreate(index, name); }
};

TEST_F(IconCreateTest, ALinkIsWrittenByteForByteAndMovedToItsPlace) {
    DesktopIcon link = file("Bericht", "Bericht.lnk", kFolderUserDesktop, "");
    link.FileData_BASE64 = "QQ";  // one byte, "A"
    const std::size_t index = saved(link);
    EXPECT_TRUE(create(0, "Unbekannt")) << "a name the project does not hold is no failure";
    EXPECT_TRUE(create(0, "Bericht"));

    EXPECT_EQ(read(at(kUser, "Bericht.lnk")), "A");
    EXPECT_EQ(entriesIn(kUser), 1u) << "no temporary file is left beside it";
    EXPECT_EQ(shownAt("Bericht"), (IconPosition{420, 370}));
    EXPECT_EQ(status(index), "erstellt und Koordinaten erfolgreich gesetzt!");
    EXPECT_EQ(form.lblInfo().text, "Symbol 'Bericht' erstellt und Koordinaten erfolgreich gesetzt!");
    EXPECT_EQ(created, 1);
    EXPECT_EQ(notCreated, 0);
    EXPECT_EQ(form.currentDesktop().icons.back().Name, "Bericht") << "the current table is read again";
}

TEST_F(IconCreateTest, AnIconBeyondThe16BitRangeIsTheOneCreated) {
    saved(file("Erstes", "Erstes.bin", kFolderUserDesktop, "1"));
    project.icons.resize(65537);  // icons the desktop has: nothing to create for them
    project.icons.push_back(file("Weit", "Weit.bin", kFolderUserDesktop, "weit"));
    EXPECT_TRUE(create(65537));
    EXPECT_EQ(read(at(kUser, "Weit.bin")), "weit");
    EXPECT_FALSE(std::filesystem::exists(native(at(kUser, "Erstes.bin")))) << "not the icon at 65537 mod 65536";
}

TEST_F(IconCreateTest, WithoutContentAnEmptyFileIsMadeAndTheReasonShown) {
    const char* texts[] = {"nicht gefunden => erstellen...", "keine Daten, da Datei zu groß war!",
                           "keine Daten, da keine Verbindung zur Datei bestand!",
                           "keine Daten, da keine Berechtigungen zum Öffnen vergeben war!"};
    for (std::int32_t reason = 0; reason <= 3; ++reason) {
        const std::string name = "F" + std::to_string(reason) + ".bin";
        DesktopIcon icon = file(name, name, kFolderUserDesktop, "");
        icon.FileReasonNotLoaded = reason;
        EXPECT_TRUE(create(saved(icon)));
        EXPECT_EQ(form.lblInfo().text, "Symbol '" + name + "' " + texts[reason]);
        EXPECT_TRUE(std::filesystem::exists(native(at(kUser, name))));
        EXPECT_EQ(read(at(kUser, name)), "");
    }
    EXPECT_EQ(created + notCreated, 0);
}

TEST_F(IconCreateTest, AFolderComesBackEmptyAndInItsPlace) {
    EXPECT_TRUE(create(saved(folder("Ordner", kFolderUserDesktop))));
    EXPECT_TRUE(std::filesystem::is_directory(native(at(kUser, "Ordner"))));
    EXPECT_EQ(shownAt("Ordner"), (IconPosition{420, 370}));
    EXPECT_EQ(created, 1);
}

TEST_F(IconCreateTest, AnExistingFileOrFolderOfTheNameIsNeverReplaced) {
    write(at(kUser, "Notiz.txt"), "meine Notiz");
    std::filesystem::create_directories(native(at(kUser, "Ordner")));
    for (const DesktopIcon& icon : {file("Notiz.txt", "Notiz.txt", kFolderUserDesktop, "alt"), folder("Ordner", kFolderUserDesktop)}) {
        const std::size_t index = saved(icon);
        EXPECT_TRUE(create(index));
        EXPECT_EQ(status(index), "existiert bereits und wurde nicht überschrieben!");
    }
    EXPECT_EQ(read(at(kUser, "Notiz.txt")), "meine Notiz");
    EXPECT_EQ(notCreated, 2);
    EXPECT_TRUE(sim.dialogs.asked.empty());
}

TEST_F(IconCreateTest, AFailingWriteOrANameOutsideTheDesktopLeavesNothingBehind) {
    files.breakWrites = true;
    const std::size_t broken = saved(file("Daten.bin", "Daten.bin", kFolderUserDesktop, std::string(500, 'd')));
    EXPECT_TRUE(create(broken));
    EXPECT_EQ(status(broken), "konnte nicht erstellt werden!");
    for (const char* name : {"..\\Autostart.bat", "C:\\boot.ini"}) {
        const std::size_t index = saved(file("Böse", name, kFolderUserDesktop, "x"));
        EXPECT_TRUE(create(index));
        EXPECT_EQ(status(index), std::string("konnte nicht erstellt werden, der Dateiname '") + name + "' ist ungültig!");
    }
    EXPECT_EQ(notCreated, 3);
    EXPECT_EQ(entriesIn(kUser), 0u) << "neither a file nor a temporary file";
    EXPECT_FALSE(std::filesystem::exists(native("C:\\Users\\tester\\Autostart.bat")));
}

TEST_F(IconCreateTest, AnIconTheDesktopDoesNotShowOrWillNotMoveStillCountsAsCreated) {
    desktop.model().setSnapToGrid(true);
    const std::size_t offGrid = saved(file("Schief.txt", "Schief.txt", kFolderUserDesktop, "s", {333, 333}));
    EXPECT_TRUE(create(offGrid));
    EXPECT_EQ(status(offGrid), "erstellt und Koordinaten konnte nicht gesetzt werden!");
    desktop.setAvailable(false);
    const std::size_t unseen = saved(file("Weg.txt", "Weg.txt", kFolderUserDesktop, "w"));
    EXPECT_TRUE(create(unseen));
    EXPECT_EQ(status(unseen), "erstellt und Koordinaten konnte nicht gefunden werden!");
    EXPECT_EQ(created, 2);
}

TEST_F(IconCreateTest, AHiddenSystemIconIsShownAgainUnderItsLabelAndMoved) {
    const std::string recycleBin = "{645FF040-5081-101B-9F08-00AA002F954E}";
    for (const char* which : {"\\ClassicStartMenu", "\\NewStartPanel"})
        sim.registry.setRawValue(std::string(kHideDesktopIconsKey) + which, recycleBin, 4, {1, 0, 0, 0});
    sim.registry.createKey(std::string(kSystemIconLabelKey) + "\\" + recycleBin);  // the user had named it once
    desktop.refresh();
    desktop.settle();
    ASSERT_EQ(shownAt("Papierkorb"), (IconPosition{-1, -1}));

    DesktopIcon icon = file("Müll", "", kFolderNone, "", {520, 280});
    icon.FileType = recycleBin;
    EXPECT_TRUE(create(saved(icon)));
    EXPECT_EQ(shownAt("Müll"), (IconPosition{520, 280}));

    // Without a class identifier nothing can be made: nothing happens and nothing is counted.
    const int refreshes = desktop.refreshCount();
    icon.Name = "Unbekannt";
    icon.FileType = "";
    EXPECT_TRUE(create(saved(icon)));
    EXPECT_EQ(form.lblInfo().text, "Symbol 'Unbekannt' nicht gefunden => erstellen...");
    EXPECT_EQ(desktop.refreshCount(), refreshes);
    EXPECT_EQ(created, 1);
    EXPECT_EQ(notCreated, 0);
}

TEST_F(IconCreateTest, HostileNamesDevicesAndDamagedContentAreRefusedWithNothingWritten) {
    for (const char* name : {"CON", "nul.txt", "Com1.lnk", "lpt9.url", "Bericht.", "Bericht ", "a.txt:Zone.Identifier"}) {
        const std::size_t index = saved(file("Böse", name, kFolderUserDesktop, "x"));
        EXPECT_TRUE(create(index));
        EXPECT_EQ(status(index), std::string("konnte nicht erstellt werden, der Dateiname '") + name + "' ist ungültig!");
    }
    DesktopIcon damaged = file("Kaputt.txt", "Kaputt.txt", kFolderUserDesktop, "");
    damaged.FileData_BASE64 = "QUJD*REVG";
    const std::size_t refused = saved(damaged);
    EXPECT_TRUE(create(refused));
    EXPECT_EQ(status(refused), "konnte nicht erstellt werden, der Inhalt ist beschädigt!");
    EXPECT_EQ(notCreated, 8);
    EXPECT_EQ(created, 0);
    EXPECT_EQ(entriesIn(kUser), 0u);

    // The encoder's line mode breaks lines: that content is whole.
    DesktopIcon broken = file("Zeilen.txt", "Zeilen.txt", kFolderUserDesktop, "");
    broken.FileData_BASE64 = "QUJD\r\nREVG";
    EXPECT_TRUE(create(saved(broken)));
    EXPECT_EQ(read(at(kUser, "Zeilen.txt")), "ABCDEF");
}

TEST_F(IconCreateTest, AFileThatAppearsJustBeforeTheRenameIsKept) {
    files.beforeRename = [this] { write(at(kUser, "Neu.txt"), "des Nutzers"); };
    const std::size_t index = saved(file("Neu.txt", "Neu.txt", kFolderUserDesktop, "aus dem Projekt"));
    EXPECT_TRUE(create(index));
    EXPECT_EQ(read(at(kUser, "Neu.txt")), "des Nutzers");
    EXPECT_EQ(entriesIn(kUser), 1u) << "the temporary file is removed";
    EXPECT_EQ(status(index), "konnte nicht erstellt werden!");
    EXPECT_EQ(notCreated, 1);
}

TEST_F(IconCreateTest, OnlyTheKnownSystemIconsReachTheRegistry) {
    const std::string hide = std::string(kHideDesktopIconsKey) + "\\NewStartPanel";
    sim.registry.createKey(hide);
    sim.registry.createKey(std::string(kHideDesktopIconsKey) + "\\ClassicStartMenu");
    const std::string hostile[] = {"{00000000-0000-0000-0000-000000000000}", "{645FF040-5081-101B-9F08-00AA002F954E}\\InprocServer32",
                                   "{..\\..\\Run}"};
    const auto before = sim.registry.snapshot();
    for (const std::string& id : hostile) {
        DesktopIcon icon = file("\\\\server\\share\\x.dll", "", kFolderNone, "");
        icon.FileType = id;
        const std::size_t index = saved(icon);
        EXPECT_TRUE(create(index));
        EXPECT_EQ(status(index), "konnte nicht erstellt werden, '" + id + "' ist kein bekanntes Systemsymbol!");
    }
    EXPECT_EQ(sim.registry.snapshot(), before) << "no key and no value written";
    EXPECT_EQ(notCreated, 3);
    EXPECT_EQ(created, 0);

    // The known identifier in small letters is the same icon, written in the shell's spelling.
    DesktopIcon bin = file("Müll", "", kFolderNone, "");
    bin.FileType = "{645ff040-5081-101b-9f08-00aa002f954e}";
    EXPECT_TRUE(create(saved(bin)));
    const auto shown = sim.registry.rawValue(hide, "{645FF040-5081-101B-9F08-00AA002F954E}");
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->name, "{645FF040-5081-101B-9F08-00AA002F954E}");
}

class IconCreateAllUsersTest : public IconCreateTest {
protected:
    void SetUp() override {
        IconCreateTest::SetUp();
        files.readOnlyFolder = kCommon;
        first = saved(file("Eins.txt", "Eins.txt", kFolderCommonDesktop, "1"));
        second = saved(file("Zwei.txt", "Zwei.txt", kFolderCommonDesktop, "2"));
    }
    std::size_t first = 0, second = 0;
};

TEST_F(IconCreateAllUsersTest, YesPutsTheFollowingIconsOnTheUsersOwnDesktop) {
    sim.dialogs.answerMessage(MsgAnswer::Yes);
    EXPECT_TRUE(create(first));
    ASSERT_EQ(sim.dialogs.asked.size(), 1u);
    EXPECT_EQ(sim.dialogs.asked[0].title, "Symbol konnte nich erstellt werden...");
    EXPECT_EQ(sim.dialogs.asked[0].text,
              "Abbruch, dieses zu erstellende Symbol lag im Original auf dem Desktop des 'allgemeinen Benutzers', auf das "
              "Sie kein Änderungsrecht besitzen.\r\n\r\nMöchten Sie diese Symbole auf Ihren Desktop erstellen?");
    EXPECT_EQ(sim.dialogs.asked[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(sim.dialogs.asked[0].icon, MsgIcon::Question);
    EXPECT_EQ(entriesIn(kUser), 0u) << "the icon that failed is not made now";
    EXPECT_TRUE(create(second));
    EXPECT_EQ(read(at(kUser, "Zwei.txt")), "2");
    EXPECT_EQ(sim.dialogs.asked.size(), 1u);
    EXPECT_EQ(created, 1);
    EXPECT_EQ(notCreated, 1);
}

TEST_F(IconCreateAllUsersTest, NoLetsThemAllFailWithoutAskingAgain) {
    sim.dialogs.answerMessage(MsgAnswer::No);
    EXPECT_TRUE(create(first));
    EXPECT_TRUE(create(second));
    EXPECT_EQ(sim.dialogs.asked.size(), 1u);
    EXPECT_EQ(notCreated, 2);
    EXPECT_EQ(entriesIn(kUser) + entriesIn(kCommon), 0u);
}

TEST_F(IconCreateAllUsersTest, CancelWritesTheProtocolLineAndStops) {
    const std::size_t third = saved(folder("Gemeinsam", kFolderCommonDesktop));
    sim.dialogs.answerAllMessages(MsgAnswer::Cancel);
    EXPECT_FALSE(create(first));
    EXPECT_FALSE(create(third));
    EXPECT_EQ(notCreated, 2);
    const ListModel& protocol = form.protocol()->list();
    ASSERT_EQ(protocol.size(), 2);  // the newest entry first
    EXPECT_EQ(protocol.row(1).sub(2), "Fehler beim Erstellen der Datei 'C:\\Users\\Public\\Desktop\\Eins.txt'!");
    EXPECT_EQ(protocol.row(0).sub(2), "Fehler beim Erstellen des Ordners 'C:\\Users\\Public\\Desktop\\Gemeinsam'!");
}

}  // namespace
}  // namespace plenvik
