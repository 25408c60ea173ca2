#include "errors/PrintLayout.h"

#include <gtest/gtest.h>

namespace plenvik {
namespace {

using Lines = std::vector<std::string>;
const std::string kIndent(20, ' ');

TEST(PrintLayoutTest, BreaksLinesAtBlanks) {
    const std::string w10 = "abcdefghi ";  // a word of 9 and a blank
    struct Case {
        const char* name;
        std::string line;
        Lines expected;
    };
    const Case cases[] = {
        {"short line stays", "  SYSTEMINFO:", {"  SYSTEMINFO:"}},
        {"empty line stays", "", {""}},
        {"exactly 103 characters", std::string(103, 'x'), {std::string(103, 'x')}},
        // 10 words of 10 = 100 characters, then "klm" and more: the break falls after word 10.
        {"break at the last blank that fits",
         [&] {
             std::string s;
             for (int i = 0; i < 10; ++i) s += w10;
             return s + "klmno pq";
         }(),
         {[&] {
              std::string s;
              for (int i = 0; i < 10; ++i) s += w10;
              return s.substr(0, 99);
          }(),
          kIndent + "klmno pq"}},
        {"a blank right after a full line", std::string(103, 'x') + " y", {std::string(103, 'x'), kIndent + "y"}},
        {"a word longer than a line is cut", std::string(110, 'x'), {std::string(103, 'x'), kIndent + std::string(7, 'x')}},
        {"continuation lines hold 83 characters",
         std::string(103, 'a') + " " + std::string(83, 'b') + " " + std::string(5, 'c'),
         {std::string(103, 'a'), kIndent + std::string(83, 'b'), kIndent + std::string(5, 'c')}},
        {"indenting blanks are no place to break", "      " + std::string(100, 'x'), {"      " + std::string(97, 'x'), kIndent + "xxx"}},
        {"tabs go to the next multiple of eight", "      Prozedur:\t\tPlenvik", {"      Prozedur:" + std::string(9, ' ') + "Plenvik"}},
        {"umlauts count as one character", std::string(102, 'a') + "\xC3\xA4" + " z", {std::string(102, 'a') + "\xC3\xA4", kIndent + "z"}},
    };
    for (const auto& c : cases) EXPECT_EQ(breakPrintLine(c.line), c.expected) << c.name;
}

TEST(PrintLayoutTest, SplitsTheProtocolAtLineBreaks) {
    EXPECT_EQ(printLines("\r\n\r\n  a\r\nb\r\n"), (Lines{"", "", "  a", "b"}));
    EXPECT_EQ(printLines("x\ny"), (Lines{"x", "y"}));
    EXPECT_EQ(printLines(std::string(104, 'q') + "\r\nz"), (Lines{std::string(103, 'q'), kIndent + "q", "z"}));
}

}  // namespace
}  // namespace plenvik
