#include "inventory/app_info.h"

#include "platform/ansi_text.h"

namespace remvana {

namespace {

// Little-endian, whatever the machine: the record is the registry's bytes.
template <typename T>
T readLittleEndian(const std::array<std::uint8_t, ArpCacheRecord::kSize>& b, std::size_t offset) {
    std::uint64_t raw = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        raw |= static_cast<std::uint64_t>(b[offset + i]) << (8 * i);
    return static_cast<T>(raw);
}

constexpr std::size_t kImagePathOffset = 28;

} // namespace

std::uint32_t ArpCacheRecord::recordSize() const {
    return readLittleEndian<std::uint32_t>(bytes, 0);
}
std::int32_t ArpCacheRecord::hasName() const {
    return readLittleEndian<std::int32_t>(bytes, 4);
}
std::int64_t ArpCacheRecord::installedSize() const {
    return readLittleEndian<std::int64_t>(bytes, 8);
}
std::int64_t ArpCacheRecord::lastUsed() const {
    return readLittleEndian<std::int64_t>(bytes, 16);
}
std::int32_t ArpCacheRecord::timesUsed() const {
    return readLittleEndian<std::int32_t>(bytes, 24);
}

std::u16string ArpCacheRecord::imagePathUnits() const {
    std::u16string units;
    for (std::size_t i = 0; i < kImagePathUnits; ++i) {
        const auto unit = readLittleEndian<char16_t>(bytes, kImagePathOffset + 2 * i);
        if (unit == 0) break;
        units.push_back(unit);
    }
    return units;
}

std::string ArpCacheRecord::imagePath() const {
    return utf16ToAnsi(imagePathUnits());
}

} // namespace remvana
