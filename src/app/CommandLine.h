// The command line: SAVE [number], RESTORE "file" [number], a project file [number] (how Explorer opens
// a .Plenvk), or a number alone.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plenvik {

inline constexpr std::size_t kMaxCommandTokens = 32;

// Splits at blanks and tabs; a double quote that starts a token opens a stretch in which blanks do not
// split, the next double quote closes it; quotes stay in the tokens. At most 32 tokens.
std::vector<std::string> splitCommandLine(std::string_view raw);

// |leading number| rounded to the nearest integer, halves to even; 0 when it does not fit 32 bits.
std::int32_t diagnosticFlagsFrom(std::string_view token);

struct StartCommand {
    std::string word;         // "SAVE", "RESTORE", anything else, or empty
    std::string restoreFile;  // without any double quotes
    // A first token naming a project file ("C:\...\x.Plenvk", quotes removed): the program starts in its
    // folder and shows that project. Empty otherwise.
    std::string openFile;
    std::int32_t diagnosticFlags = 0;
};

// True when text (without quotes) names a project file: it ends with ".Plenvk", in any case.
bool namesProjectFile(std::string_view text);

StartCommand parseStartCommand(const std::vector<std::string>& tokens);

// A restore file names a folder when it holds a path separator or a drive; the bare file name is
// looked up in the project directory.
struct RestoreTarget {
    std::string directory;  // empty: the project directory
    std::string fileName;
};
RestoreTarget splitRestoreFile(const std::string& restoreFile);

}  // namespace plenvik
