// Compares what our reader of the .lnk format finds in a link file with what a shell link object
// reports for the same file.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/FileSystem.h"
#include "platform/ShellLinks.h"
#include "project/LnkFile.h"
#include "support/FileContractTests.h"

namespace plenvik::test {

// The properties both sides can tell about a link file.
struct LinkView {
    bool loaded = false;
    std::string path, arguments, description, workingDirectory, iconPath;
    int iconIndex = 0, showCommand = 0, hotKey = 0;
};

inline LinkView viewThroughShell(ShellFolders& shell, const std::string& linkFile) {
    LinkView view;
    auto link = shell.createLink();
    view.loaded = link->load(linkFile);
    if (!view.loaded) return view;
    view.path = link->path();
    view.arguments = link->arguments();
    view.description = link->description();
    view.workingDirectory = link->workingDirectory();
    view.iconPath = link->iconLocation(&view.iconIndex);
    view.showCommand = link->showCommand();
    view.hotKey = link->hotKey();
    return view;
}

inline LinkView viewThroughReader(FileSystem& files, const std::string& linkFile) {
    LinkView view;
    const LnkFile lnk = LnkFile::parse(readWholeFile(files, linkFile));
    view.loaded = lnk.valid;
    if (!view.loaded) return view;
    view.path = lnk.targetPath();
    view.arguments = lnk.arguments;
    view.description = lnk.name;
    view.workingDirectory = lnk.workingDir;
    view.iconPath = lnk.iconLocation;
    view.iconIndex = lnk.iconIndex;
    view.showCommand = static_cast<int>(lnk.showCommand);
    view.hotKey = lnk.hotKey;
    return view;
}

inline void expectSameView(const LinkView& shell, const LinkView& reader, const std::string& what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(reader.loaded, shell.loaded);
    EXPECT_EQ(reader.path, shell.path);
    EXPECT_EQ(reader.arguments, shell.arguments);
    EXPECT_EQ(reader.description, shell.description);
    EXPECT_EQ(reader.workingDirectory, shell.workingDirectory);
    EXPECT_EQ(reader.iconPath, shell.iconPath);
    EXPECT_EQ(reader.iconIndex, shell.iconIndex);
    // The show command is left out: Wine's link object writes it into the file but reports 1 after a
    // Load whatever the file holds (a link saved maximised reads back as normal).
    EXPECT_EQ(reader.hotKey, shell.hotKey);
}

}  // namespace plenvik::test
