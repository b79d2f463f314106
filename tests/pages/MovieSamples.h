#pragma once

#include <cstdint>
#include <vector>

namespace pagetest {

// A movie file of the given version: a 200 x 150 pixel frame, a background colour and, when
// asked, our marker tag.
inline std::vector<unsigned char> MovieBytes(int version, bool marker)
{
    std::vector<unsigned char> body;
    // RECT with 15-bit fields: 0, 4000, 0, 3000 twips.
    std::uint64_t bits = 0;
    int count = 0;
    auto put = [&](std::uint32_t value, int width) {
        for (int i = width - 1; i >= 0; --i) {
            bits = (bits << 1) | ((value >> i) & 1);
            if (++count == 8) {
                body.push_back(static_cast<unsigned char>(bits));
                bits = 0;
                count = 0;
            }
        }
    };
    put(15, 5);
    put(0, 15);
    put(3999, 15);
    put(0, 15);
    put(2999, 15);
    if (count > 0)
        put(0, 8 - count);
    body.insert(body.end(), {0, 12, 1, 0}); // 12 frames a second, one frame
    body.insert(body.end(), {0x43, 0x02, 0x33, 0x66, 0x99}); // SetBackgroundColor #336699
    if (marker)
        body.insert(body.end(), {0x80, 0xA6}); // tag 666, empty
    body.insert(body.end(), {0x40, 0x00, 0x00, 0x00}); // ShowFrame, End
    std::vector<unsigned char> file = {'F', 'W', 'S', static_cast<unsigned char>(version)};
    const std::uint32_t length = static_cast<std::uint32_t>(body.size() + 8);
    for (int i = 0; i < 4; ++i)
        file.push_back(static_cast<unsigned char>(length >> (8 * i)));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

} // namespace pagetest
