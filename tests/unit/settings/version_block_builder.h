#pragma once
// Builds version blocks byte by byte, as a resource compiler lays them out: header (length,
// value length, type), UTF-16 key, padding to 4, value, children each on a 4-byte boundary.
#include <cstdint>
#include <string>
#include <vector>

namespace remvana::testing {

struct VersionNode {
    std::string key;
    std::uint16_t type = 1;        // 1 text, 0 binary
    std::uint16_t valueLength = 0; // as stored: words for text, bytes for binary
    std::vector<std::uint8_t> value;
    std::vector<VersionNode> children;
};

inline void pad4(std::vector<std::uint8_t>& out) {
    while (out.size() % 4 != 0)
        out.push_back(0);
}

inline void putWord(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t word) {
    out[at] = static_cast<std::uint8_t>(word & 0xFF);
    out[at + 1] = static_cast<std::uint8_t>(word >> 8);
}

inline std::vector<std::uint8_t> utf16z(const std::string& text) {
    std::vector<std::uint8_t> bytes;
    for (unsigned char c : text) {
        bytes.push_back(c);
        bytes.push_back(0);
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

inline void encode(const VersionNode& node, std::vector<std::uint8_t>& out) {
    pad4(out);
    const std::size_t start = out.size();
    out.resize(start + 6);
    putWord(out, start + 2, node.valueLength);
    putWord(out, start + 4, node.type);
    const auto key = utf16z(node.key);
    out.insert(out.end(), key.begin(), key.end());
    pad4(out);
    out.insert(out.end(), node.value.begin(), node.value.end());
    for (const auto& child : node.children)
        encode(child, out);
    putWord(out, start, static_cast<std::uint16_t>(out.size() - start));
}

inline std::vector<std::uint8_t> encode(const VersionNode& root) {
    std::vector<std::uint8_t> out;
    encode(root, out);
    return out;
}

inline VersionNode stringEntry(const std::string& name, const std::string& text) {
    VersionNode node{name, 1, static_cast<std::uint16_t>(text.size() + 1), utf16z(text), {}};
    return node;
}

inline VersionNode emptyStringEntry(const std::string& name) {
    return {name, 1, 0, {}, {}};
}

inline VersionNode stringTable(const std::string& key, std::vector<VersionNode> strings) {
    return {key, 1, 0, {}, std::move(strings)};
}

inline VersionNode stringFileInfo(std::vector<VersionNode> tables) {
    return {"StringFileInfo", 1, 0, {}, std::move(tables)};
}

inline VersionNode varFileInfo(std::vector<std::uint32_t> translations) {
    VersionNode var{"Translation", 0, static_cast<std::uint16_t>(translations.size() * 4), {}, {}};
    for (std::uint32_t word : translations)
        for (int shift = 0; shift < 32; shift += 8)
            var.value.push_back(static_cast<std::uint8_t>(word >> shift));
    return {"VarFileInfo", 1, 0, {}, {var}};
}

// The fixed part: signature, structure version, then zeros (file version 2.1.0.0).
inline std::vector<std::uint8_t> fixedPart(std::uint32_t signature = 0xFEEF04BD) {
    std::vector<std::uint8_t> bytes(52, 0);
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<std::uint8_t>(signature >> (8 * i));
    bytes[5] = 1;  // structure version 1.0
    bytes[10] = 2; // file version major 2 (high word of the MS dword)
    bytes[8] = 1;  // file version minor 1
    return bytes;
}

inline VersionNode versionRoot(std::vector<VersionNode> children,
                               std::vector<std::uint8_t> fixed = fixedPart()) {
    VersionNode root{"VS_VERSION_INFO", 0, static_cast<std::uint16_t>(fixed.size()),
                     std::move(fixed), std::move(children)};
    return root;
}

} // namespace remvana::testing
