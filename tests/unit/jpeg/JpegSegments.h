// Splits a JPEG file into its marker segments, for tests that check the file's structure.
#pragma once

#include <cstdint>
#include <vector>

namespace plenvik::testing {

struct Segment {
    std::uint8_t marker = 0;
    std::vector<std::uint8_t> payload;  // after the length field; for SOS also the entropy-coded data
};

// Empty when the bytes are not a sequence of well-formed segments from SOI to EOI.
inline std::vector<Segment> jpegSegments(const std::vector<std::uint8_t>& bytes) {
    std::vector<Segment> out;
    std::size_t i = 0;
    auto fail = [&] { return std::vector<Segment>{}; };
    while (i + 1 < bytes.size()) {
        if (bytes[i] != 0xFF) return fail();
        const std::uint8_t m = bytes[i + 1];
        i += 2;
        if (m == 0xD8 || m == 0xD9) {
            out.push_back({m, {}});
            if (m == 0xD9) return i == bytes.size() ? out : fail();
            continue;
        }
        if (i + 2 > bytes.size()) return fail();
        const std::size_t length = static_cast<std::size_t>(bytes[i]) << 8 | bytes[i + 1];
        if (length < 2 || i + length > bytes.size()) return fail();
        Segment s{m, std::vector<std::uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(i + 2),
                                               bytes.begin() + static_cast<std::ptrdiff_t>(i + length))};
        i += length;
        if (m == 0xDA) {  // the entropy-coded data runs to the next marker that is not a stuffed 0xFF
            while (i + 1 < bytes.size() && !(bytes[i] == 0xFF && bytes[i + 1] != 0x00)) s.payload.push_back(bytes[i++]);
        }
        out.push_back(std::move(s));
    }
    return fail();
}

inline std::vector<std::uint8_t> markerSequence(const std::vector<Segment>& segments) {
    std::vector<std::uint8_t> markers;
    for (const auto& s : segments) markers.push_back(s.marker);
    return markers;
}

}  // namespace plenvik::testing
