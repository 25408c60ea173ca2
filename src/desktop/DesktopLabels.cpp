#include "desktop/DesktopLabels.h"

#include "common/Text.h"
#include "desktop/DesktopSystemIcons.h"
#include "platform/Registry.h"

namespace plenvik {
namespace {

std::uint32_t dwordOf(const RegistryValue& value) {
    return value.data[0] | value.data[1] << 8 | value.data[2] << 16 | static_cast<std::uint32_t>(value.data[3]) << 24;
}

bool endsWithIgnoreCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && equalsIgnoreCaseAscii(text.substr(text.size() - suffix.size()), suffix);
}

}  // namespace

std::string fileExtension(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == fileName.size()) return {};
    return toLowerAscii(std::string(fileName.substr(dot)));
}

std::string desktopLabel(std::string_view fileName, bool folder, const LabelRules& rules) {
    if (folder) return std::string(fileName);
    if (endsWithIgnoreCase(fileName, ".lnk") || endsWithIgnoreCase(fileName, ".url"))
        return std::string(fileName.substr(0, fileName.size() - 4));
    const std::string extension = fileExtension(fileName);
    if (rules.hideKnownExtensions && !extension.empty() && rules.knownType && rules.knownType(extension))
        return std::string(fileName.substr(0, fileName.size() - extension.size()));
    return std::string(fileName);
}

bool hidesFileExtensions(Registry& registry) {
    long error = 0;
    auto advanced = registry.openCurrentUser(std::string(kExplorerKey) + "\\Advanced", false, &error);
    if (!advanced) return true;
    const RegistryValue value = advanced->query("HideFileExt");
    if (value.error != 0 || value.type != kRegDword || value.data.size() < 4) return true;
    return dwordOf(value) != 0;
}

}  // namespace plenvik
