#include <gtest/gtest.h>

#include "inventory/app_info.h"
#include "platform/ansi_text.h"

namespace remvana {
namespace {

void put(ArpCacheRecord& r, std::size_t offset, std::uint64_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        r.bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void putPath(ArpCacheRecord& r, const std::u16string& units) {
    for (std::size_t i = 0; i < units.size(); ++i)
        put(r, 28 + 2 * i, units[i], 2);
}

TEST(ArpCacheRecord, DecodesEachFieldLittleEndianAtItsOffset) {
    ArpCacheRecord r;
    put(r, 0, 552, 4);
    put(r, 4, 1, 4);
    put(r, 8, 0x0000000123456789ull, 8);
    put(r, 16, 0x01D9A1B2C3D4E5F6ull, 8);
    put(r, 24, 0xFFFFFFFFu, 4);
    EXPECT_EQ(552u, r.recordSize());
    EXPECT_EQ(1, r.hasName());
    EXPECT_EQ(0x123456789LL, r.installedSize());
    EXPECT_EQ(0x01D9A1B2C3D4E5F6LL, r.lastUsed());
    EXPECT_EQ(-1, r.timesUsed());
}

TEST(ArpCacheRecord, NegativeSizesAndTimesReadAsSigned) {
    ArpCacheRecord r;
    put(r, 8, 0xFFFFFFFFFFFFFFFEull, 8);
    put(r, 16, 0x8000000000000000ull, 8);
    EXPECT_EQ(-2, r.installedSize());
    EXPECT_LT(r.lastUsed(), 0);
}

TEST(ArpCacheRecord, ImagePathEndsAtTheFirstZeroUnit) {
    ArpCacheRecord r;
    putPath(r, u"C:\\App\\app.exe");
    put(r, 28 + 2 * 20, u'X', 2); // after the terminator: ignored
    EXPECT_EQ(u"C:\\App\\app.exe", r.imagePathUnits());
    EXPECT_EQ("C:\\App\\app.exe", r.imagePath());
}

TEST(ArpCacheRecord, ImagePathWithoutTerminatorTakesAll262Units) {
    ArpCacheRecord r;
    putPath(r, std::u16string(262, u'a'));
    EXPECT_EQ(262u, r.imagePathUnits().size());
    EXPECT_EQ(std::string(262, 'a'), r.imagePath());
}

TEST(ArpCacheRecord, AllZeroRecordHasNothing) {
    const ArpCacheRecord r;
    EXPECT_EQ(0, r.timesUsed());
    EXPECT_EQ(0, r.hasName());
    EXPECT_TRUE(r.imagePath().empty());
}

TEST(AnsiText, UnitsBeyondEightBitsBecomeQuestionMarks) {
    EXPECT_EQ("caf\xE9 ?", utf16ToLatin1(u"caf\u00E9 \u4E2D"));
    EXPECT_EQ("", utf16ToLatin1(u""));
}

} // namespace
} // namespace remvana
