// libFuzzer target for the command line: splitting, the start command and the restore file's folder
// and name hold their limits for any text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandLine.h"
#include "fuzz/FuzzCheck.h"

using namespace plenvik;
using fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> tokens = splitCommandLine(raw);
    check(tokens.size() <= kMaxCommandTokens, "at most 32 tokens");
    for (const std::string& token : tokens) {
        check(!token.empty(), "no empty token");
        check(raw.find(token) != std::string_view::npos, "a token is a piece of the line");
        (void)diagnosticFlagsFrom(token);
    }
    const StartCommand command = parseStartCommand(tokens);
    check(command.restoreFile.find('"') == std::string::npos, "the restore file has no quotes");
    check(command.openFile.find('"') == std::string::npos, "the project file has no quotes");
    if (!command.openFile.empty()) check(namesProjectFile(command.openFile), "an opened file is a project file");
    const RestoreTarget target = splitRestoreFile(command.restoreFile);
    check(target.directory + target.fileName == command.restoreFile, "folder and name make the restore file");
    check(target.fileName.find_first_of("\\/:") == std::string::npos, "the name holds no separator");
    return 0;
}
