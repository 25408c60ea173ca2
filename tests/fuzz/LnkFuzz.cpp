// libFuzzer target for the shell-link reader: any bytes give a result without a read outside them; a
// link read as valid is written again and read back with the same strings.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "project/LnkFile.h"

using namespace plenvik;
using fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const LnkFile link = LnkFile::parse(std::vector<std::uint8_t>(data, data + size));
    if (!link.valid) {
        check(link.name.empty() && link.arguments.empty() && link.localBasePath.empty(), "a damaged link is empty");
        return 0;
    }
    const LnkFile again = LnkFile::parse(link.serialise());
    check(again.valid, "a written link reads as valid");
    check(again.name == link.name && again.relativePath == link.relativePath && again.workingDir == link.workingDir &&
              again.arguments == link.arguments && again.iconLocation == link.iconLocation,
          "the string data survives writing");
    return 0;
}
