#include "base64/Base64ContentDecoder.h"

#include <array>

namespace plenvik {
namespace {

enum class CharClass : std::uint8_t { Other, Alphabet, Skipped, Padding };

const std::array<CharClass, 256> kClasses = [] {
    std::array<CharClass, 256> classes{};
    for (int c = 'A'; c <= 'Z'; ++c) classes[c] = CharClass::Alphabet;
    for (int c = 'a'; c <= 'z'; ++c) classes[c] = CharClass::Alphabet;
    for (int c = '0'; c <= '9'; ++c) classes[c] = CharClass::Alphabet;
    classes['+'] = classes['/'] = CharClass::Alphabet;
    classes['\r'] = classes['\n'] = classes[' '] = classes['\t'] = CharClass::Skipped;
    classes['='] = CharClass::Padding;
    return classes;
}();

void append(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); }

}  // namespace

bool Base64ContentDecoder::feed(std::string_view text, std::vector<std::uint8_t>& out) {
    if (damaged_) return false;
    sextets_.clear();
    sextets_.reserve(text.size());
    for (const char c : text) {
        switch (kClasses[static_cast<unsigned char>(c)]) {
        case CharClass::Alphabet:
            if (padding_ > 0) return !(damaged_ = true);  // a character after "=" is damage too
            sextets_ += c;
            break;
        case CharClass::Skipped: break;
        case CharClass::Padding: ++padding_; break;
        case CharClass::Other: return !(damaged_ = true);
        }
    }
    count_ += sextets_.size();
    append(out, decodeBase64Chunk(sextets_, state_, false));
    return true;
}

bool Base64ContentDecoder::finish(std::vector<std::uint8_t>& out) {
    if (damaged_) return false;
    const std::uint64_t tail = count_ % 4;
    if (tail == 1) return !(damaged_ = true);
    if (padding_ > 0 && (padding_ > 2 || tail == 0 || tail + padding_ != 4)) return !(damaged_ = true);
    append(out, decodeBase64Chunk({}, state_, true));
    return true;
}

}  // namespace plenvik
