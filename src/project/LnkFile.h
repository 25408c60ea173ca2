// The binary shell-link format (.lnk): the header, the link information with the target's local or
// network path, and the string data. Reading checks every offset and length against the bytes it has:
// a damaged file gives an empty result, never a read outside the data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plenvik {

struct LnkFile {
    // Link flags of the header.
    static constexpr std::uint32_t kHasLinkTargetIdList = 0x1, kHasLinkInfo = 0x2, kHasName = 0x4, kHasRelativePath = 0x8,
                                   kHasWorkingDir = 0x10, kHasArguments = 0x20, kHasIconLocation = 0x40, kIsUnicode = 0x80,
                                   kHasExpString = 0x200;

    bool valid = false;  // false: not a link file, or a damaged one; every other field is then empty
    std::uint32_t linkFlags = 0;
    std::uint32_t fileAttributes = 0;
    std::uint32_t fileSize = 0;
    std::int32_t iconIndex = 0;
    std::uint32_t showCommand = 0;
    std::uint16_t hotKey = 0;

    // From the link information; the Unicode forms where the file carries them.
    std::string localBasePath;
    std::string commonPathSuffix;
    std::string netName;  // the share of a network target ("\\server\share")

    // The string data.
    std::string name;  // the description
    std::string relativePath;
    std::string workingDir;
    std::string arguments;
    std::string iconLocation;

    // The target as the environment-variable block names it (unexpanded), when the file has one.
    std::string environmentTarget;

    // The target path the link information gives: local base path and suffix, or share and suffix.
    std::string targetPath() const;

    // Texts in the file's ANSI form are taken as windows-1252, the code page of the systems the program
    // serves.
    static LnkFile parse(const std::vector<std::uint8_t>& bytes);
    // A link file with the header, link information for a local target path (ANSI and Unicode forms)
    // and the string data in Unicode; no item-ID list. The fields valid and linkFlags are not used.
    std::vector<std::uint8_t> serialise() const;
};

}  // namespace plenvik
