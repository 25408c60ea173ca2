// libFuzzer target for the text conversions of the files Plenvik writes: windows-1252 bytes to UTF-8
// and back must give the same bytes, and any input taken as UTF-8 must convert without a read outside
// it, to UTF-16 and back to the same code points.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/Text.h"
#include "fuzz/FuzzCheck.h"

using namespace plenvik;
using fuzz::check;

namespace {

// The input as the decoder sees it: invalid sequences become U+FFFD.
std::string cleanUtf8(std::string_view text) {
    std::string out;
    for (std::size_t pos = 0; pos < text.size();) appendUtf8(out, nextCodePoint(text, pos));
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string utf8 = windows1252ToUtf8(bytes);
    check(cleanUtf8(utf8) == utf8, "windows-1252 converts to valid UTF-8");
    check(utf8ToWindows1252(utf8, Unmappable::QuestionMark) == bytes, "windows-1252 survives the round trip");
    check(utf8ToWindows1252(utf8, Unmappable::XmlCharRef) == bytes, "nothing needs a reference");

    const std::string clean = cleanUtf8(bytes);
    check(utf16ToUtf8(utf8ToUtf16(bytes)) == clean, "UTF-8 to UTF-16 and back keeps the code points");
    const std::string asQuestionMarks = utf8ToWindows1252(bytes, Unmappable::QuestionMark);
    const std::string asReferences = utf8ToWindows1252(bytes, Unmappable::XmlCharRef);
    check(asReferences.size() >= asQuestionMarks.size(), "a reference is never shorter than a question mark");
    return 0;
}
