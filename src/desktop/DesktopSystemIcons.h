// The shell's own desktop icons that the program knows, with their built-in labels, and where the
// registry keeps the user's label and the hidden flag of each.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace plenvik {

struct DesktopSystemIcon {
    std::string_view clsid;
    std::string_view builtInLabel;
};

inline constexpr std::array<DesktopSystemIcon, 5> kDesktopSystemIcons{{
    {"{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "Arbeitsplatz"},
    {"{208D2C60-3AEA-1069-A2D7-08002B30309D}", "Netzwerkumgebung"},
    {"{450D8FBA-AD25-11D0-98A8-0800361B1103}", "eigene Dateien"},
    {"{871C5380-42A0-1069-A2EA-08002B30309D}", "Internet Explorer"},
    {"{645FF040-5081-101B-9F08-00AA002F954E}", "Papierkorb"},
}};

// The known icon with this class identifier (letters in any case); nullptr for any other text.
constexpr const DesktopSystemIcon* findDesktopSystemIcon(std::string_view clsid) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    for (const DesktopSystemIcon& icon : kDesktopSystemIcons) {
        if (icon.clsid.size() != clsid.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < clsid.size() && same; ++i) same = upper(clsid[i]) == icon.clsid[i];
        if (same) return &icon;
    }
    return nullptr;
}

// HKEY_CURRENT_USER keys.
inline constexpr std::string_view kExplorerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
// + "\\" + class identifier: its default value is the user's label of the icon.
inline constexpr std::string_view kSystemIconLabelKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CLSID";
// + "\\ClassicStartMenu" or "\\NewStartPanel": a DWORD per class identifier, 1 = hidden.
inline constexpr std::string_view kHideDesktopIconsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons";

}  // namespace plenvik
