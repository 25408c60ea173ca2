// What the context menu offers and what each command starts, decided without the shell: the DLL fills
// the Win32 menu from this model and starts Plenvik.exe with the parameters it gives. Header-only, so
// the unit tests can use it without linking the DLL; no <windows.h> here.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plenvik::shellext {

// Command offsets inside the sub-menu (the shell's first command id + offset is the item's id).
inline constexpr unsigned kOffsetSubMenu = 0;
inline constexpr unsigned kOffsetStartProgram = 1;
inline constexpr unsigned kOffsetFirstSeparator = 2;
inline constexpr unsigned kOffsetSaveDesktop = 3;
inline constexpr unsigned kOffsetProjectSeparator = 4;
inline constexpr unsigned kOffsetFirstProject = 5;

inline constexpr std::wstring_view kSubMenuText = L"&Plenvik";
inline constexpr std::wstring_view kStartProgramText = L"&Plenvik Programm starten...";
inline constexpr std::wstring_view kSaveDesktopText = L"&Symbole/Desktop jetzt sichern...";
inline constexpr std::wstring_view kProjectPattern = L"*.Plenvk";

// One entry of the file search in the extension's folder.
struct FoundEntry {
    std::wstring name;  // without path
    bool directory = false;
};

struct MenuItem {
    unsigned offset = 0;
    bool separator = false;
    std::wstring text;  // as shown: an ampersand of a file name is doubled so that it is not a mnemonic
};

struct ShellMenu {
    std::vector<MenuItem> items;             // the sub-menu's items in order
    std::vector<std::wstring> projectFiles;  // file names of the project items, from kOffsetFirstProject on
    unsigned nextOffset = 0;                 // the first offset not used: the count the shell is told
};

// A project file is offered only on its own computer: its name must contain the computer name
// (case-sensitive). Without a known computer name nothing is offered, since every name would match.
// A name with a double quote could not be passed quoted on Plenvik's command line, so it is left out.
inline bool isOfferedProject(const FoundEntry& entry, std::wstring_view computerName) {
    if (entry.directory || computerName.empty()) return false;
    if (entry.name.find(L'"') != std::wstring::npos) return false;
    return entry.name.find(computerName) != std::wstring::npos;
}

// Menus take "&" as the mark of the access key; "&&" shows one ampersand.
inline std::wstring menuTextForFileName(std::wstring_view fileName) {
    std::wstring text;
    text.reserve(fileName.size());
    for (wchar_t c : fileName) {
        text += c;
        if (c == L'&') text += L'&';
    }
    return text;
}

// The sub-menu for the entries of the file search (in the file system's order). highestOffset is the
// largest offset whose command id is still inside the range the shell granted; project items that would
// lie beyond it are left out. Returns nothing when not even the two fixed commands fit.
inline std::optional<ShellMenu> composeShellMenu(const std::vector<FoundEntry>& found, std::wstring_view computerName,
                                                 unsigned highestOffset) {
    if (highestOffset < kOffsetSaveDesktop) return std::nullopt;
    ShellMenu menu;
    menu.items.push_back({kOffsetStartProgram, false, std::wstring(kStartProgramText)});
    menu.items.push_back({kOffsetFirstSeparator, true, {}});
    menu.items.push_back({kOffsetSaveDesktop, false, std::wstring(kSaveDesktopText)});
    menu.nextOffset = kOffsetSaveDesktop + 1;
    if (found.empty() || highestOffset < kOffsetProjectSeparator) return menu;

    menu.items.push_back({kOffsetProjectSeparator, true, {}});
    menu.nextOffset = kOffsetFirstProject;
    for (const FoundEntry& entry : found) {
        if (menu.nextOffset > highestOffset) break;
        if (!isOfferedProject(entry, computerName)) continue;
        menu.items.push_back({menu.nextOffset, false, menuTextForFileName(entry.name)});
        menu.projectFiles.push_back(entry.name);
        ++menu.nextOffset;
    }
    return menu;
}

// Plenvik's command line for a chosen command: the program itself, "SAVE", or RESTORE with the bare file
// name quoted (Plenvik finds the file in its own folder). Nothing for offsets that are no command of
// the menu (the sub-menu, separators, offsets beyond the listed projects).
inline std::optional<std::wstring> plenvikParameters(const ShellMenu* menu, unsigned offset) {
    if (offset == kOffsetStartProgram) return std::wstring();
    if (offset == kOffsetSaveDesktop) return std::wstring(L"SAVE");
    if (!menu || offset < kOffsetFirstProject) return std::nullopt;
    const std::size_t index = offset - kOffsetFirstProject;
    if (index >= menu->projectFiles.size()) return std::nullopt;
    return L"RESTORE \"" + menu->projectFiles[index] + L"\"";
}

// The language-independent verbs the shell may ask for.
inline std::optional<std::string_view> verbForOffset(std::size_t offset) {
    if (offset == 0) return std::string_view("CPBkgndExt0");
    if (offset == 1) return std::string_view("CPBkgndExt1");
    return std::nullopt;
}

// Copies text into a buffer of `size` characters, cutting it so that the terminator always fits; with
// size 0 nothing is written. Returns the number of characters written without the terminator.
template <class Char>
std::size_t copyWithTerminator(std::string_view text, Char* buffer, std::size_t size) {
    if (!buffer || size == 0) return 0;
    const std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
    for (std::size_t i = 0; i < n; ++i) buffer[i] = static_cast<Char>(static_cast<unsigned char>(text[i]));
    buffer[n] = Char(0);
    return n;
}

}  // namespace plenvik::shellext
