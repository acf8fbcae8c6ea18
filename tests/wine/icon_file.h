#pragma once
// A 32 x 32 icon file of one colour, as the icon file format lays it out. Shared by the Wine
// suite and the benchmark, which both need real icon files in the prefix.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace remvana::testing {

inline std::vector<std::uint8_t> iconFileBytes(std::uint32_t bgra) {
    std::vector<std::uint8_t> data;
    auto put = [&](std::uint32_t value, int n) {
        for (int i = 0; i < n; ++i)
            data.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    const std::uint32_t imageBytes = 40 + 32 * 32 * 4 + 32 * 4;
    put(0, 2), put(1, 2), put(1, 2);                           // icon directory, one image
    put(32, 1), put(32, 1), put(0, 1), put(0, 1);              // 32 x 32, no palette
    put(1, 2), put(32, 2), put(imageBytes, 4), put(6 + 16, 4); // planes, bits, size, offset
    put(40, 4), put(32, 4), put(64, 4), put(1, 2), put(32, 2); // bitmap header, double height
    for (int i = 0; i < 6; ++i)
        put(0, 4);
    for (int i = 0; i < 32 * 32; ++i)
        put(bgra, 4);
    for (int i = 0; i < 32; ++i)
        put(0, 4); // mask: all opaque
    return data;
}

// False when the file cannot be written.
inline bool writeIconFile(const std::string& path, std::uint32_t bgra) {
    const std::vector<std::uint8_t> data = iconFileBytes(bgra);
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    const bool written = std::fwrite(data.data(), 1, data.size(), out) == data.size();
    return std::fclose(out) == 0 && written;
}

} // namespace remvana::testing
