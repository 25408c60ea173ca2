// How the shell makes an icon's label from a file name, which hides the extensions of known types.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace plenvik {

class Registry;

// Whether a file type (its extension with the dot, lower case: ".docx") has a program registered for
// it; only such types lose their extension in labels.
using KnownFileType = std::function<bool(std::string_view extension)>;

// How the shell makes a label from a file name: ".lnk" and ".url" always go; the extension of a known
// type goes too while hideKnownExtensions is set (Explorer's HideFileExt, on by default); a folder keeps
// its whole name.
struct LabelRules {
    bool hideKnownExtensions = true;
    KnownFileType knownType;
};

std::string desktopLabel(std::string_view fileName, bool folder = false, const LabelRules& rules = {});

// The extension of a file name with its dot, lower case; empty when it has none ("a." has none either).
std::string fileExtension(std::string_view fileName);

// Explorer's HideFileExt (HKCU ...\Explorer\Advanced): true unless the user set it to 0.
bool hidesFileExtensions(Registry& registry);

}  // namespace plenvik
