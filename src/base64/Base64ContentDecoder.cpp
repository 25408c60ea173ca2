#include "base64/Base64ContentDecoder.h"

#include <array>

#include "base64/Base64.h"

namespace plenvik {
namespace {

// The sextet of an alphabet character (0-63), or what else a character is.
constexpr std::int8_t kOther = -1, kSkipped = -2, kPadding = -3;

const std::array<std::int8_t, 256> kClasses = [] {
    std::array<std::int8_t, 256> classes{};
    classes.fill(kOther);
    constexpr std::string_view alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (std::size_t i = 0; i < alphabet.size(); ++i) classes[static_cast<unsigned char>(alphabet[i])] = static_cast<std::int8_t>(i);
    classes['\r'] = classes['\n'] = classes[' '] = classes['\t'] = kSkipped;
    classes['='] = kPadding;
    return classes;
}();

}  // namespace

std::optional<std::size_t> Base64ContentDecoder::feed(std::string_view text, std::uint8_t* out) {
    if (damaged_) return std::nullopt;
    const char* in = text.data();
    const char* const end = in + text.size();
    std::uint8_t* const start = out;
    while (in != end) {
        // Between groups, whole groups without anything to skip go in bulk.
        if (groupCount_ == 0 && padding_ == 0) {
            const std::size_t groups = base64DecodeGroups(in, static_cast<std::size_t>(end - in) / 4, out);
            in += groups * 4;
            out += groups * 3;
            if (in == end) break;
        }
        const std::int8_t value = kClasses[static_cast<unsigned char>(*in++)];
        if (value >= 0) {
            if (padding_ > 0) return damage();  // a character after "=" is damage too
            group_ = group_ << 6 | static_cast<std::uint32_t>(value);
            if (++groupCount_ == 4) {
                out[0] = static_cast<std::uint8_t>(group_ >> 16);
                out[1] = static_cast<std::uint8_t>(group_ >> 8);
                out[2] = static_cast<std::uint8_t>(group_);
                out += 3;
                group_ = 0;
                groupCount_ = 0;
            }
        } else if (value == kPadding) {
            ++padding_;
        } else if (value == kOther) {
            return damage();
        }
    }
    return static_cast<std::size_t>(out - start);
}

std::optional<std::size_t> Base64ContentDecoder::finish(std::uint8_t* out) {
    if (damaged_) return std::nullopt;
    // One sextet alone makes no byte; padding only fills up the last group.
    if (groupCount_ == 1 || (padding_ > 0 && (groupCount_ == 0 || groupCount_ + padding_ != 4))) return damage();
    // The bits of the last sextet below a whole byte are dropped.
    if (groupCount_ == 2) out[0] = static_cast<std::uint8_t>(group_ >> 4);
    if (groupCount_ == 3) {
        out[0] = static_cast<std::uint8_t>(group_ >> 10);
        out[1] = static_cast<std::uint8_t>(group_ >> 2);
    }
    return groupCount_ == 0 ? 0 : groupCount_ - 1;
}

}  // namespace plenvik
