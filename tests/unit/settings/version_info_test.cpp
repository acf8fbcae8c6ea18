#include <gtest/gtest.h>

#include "fakes/fake_locale.h"
#include "settings/version_info.h"
#include "unit/settings/version_block_builder.h"

namespace remvana {
namespace {

using namespace remvana::testing;

std::vector<std::uint8_t> programBlock() {
    return encode(versionRoot(
        {stringFileInfo({stringTable("040904E4", {stringEntry("CompanyName", "Kelvane"),
                                                  stringEntry("FileVersion", "2.1.0.0"),
                                                  stringEntry("ProductName", "KV Remvana"),
                                                  stringEntry("ProductVersion", "2.1.0.0")})}),
         varFileInfo({0x04E40409})}));
}

std::string lookupError(TVersionInfo& info, const std::string& name) {
    try {
        info.lookup(name);
    } catch (const VersionInfoError& e) {
        return e.what();
    }
    return "no error";
}

class VersionInfoTest : public ::testing::Test {
  protected:
    FakeLocale locale;
};

TEST_F(VersionInfoTest, AnswersTheProgramsOwnStringsIgnoringCase) {
    TVersionInfo info(programBlock(), locale);
    EXPECT_EQ("KV Remvana", info.lookup("ProductName"));
    EXPECT_EQ("2.1.0.0", info.lookup("FileVersion"));
    EXPECT_EQ("2.1.0.0", info.lookup("ProductVersion"));
    EXPECT_EQ("KV Remvana", info.lookup("productname"));
    EXPECT_EQ("Kelvane", info.lookup("COMPANYNAME"));
}

TEST_F(VersionInfoTest, UnknownNamesAndTranslationsAreNotFound) {
    TVersionInfo info(programBlock(), locale);
    EXPECT_EQ("Key not found", lookupError(info, "Translation"));
    EXPECT_EQ("Key not found", lookupError(info, "LegalTrademarks"));
    EXPECT_EQ("Key not found", lookupError(info, ""));
    // The reader stays usable after a miss.
    EXPECT_EQ("KV Remvana", info.lookup("ProductName"));
}

TEST_F(VersionInfoTest, OnlyTheLastStringTableAnswers) {
    TVersionInfo info(encode(versionRoot({stringFileInfo(
                          {stringTable("040904E4", {stringEntry("ProductName", "First"),
                                                    stringEntry("Comments", "only in the first")}),
                           stringTable("040704B0", {stringEntry("ProductName", "Second")})})})),
                      locale);
    EXPECT_EQ("Second", info.lookup("ProductName"));
    EXPECT_EQ("Key not found", lookupError(info, "Comments"));
}

TEST_F(VersionInfoTest, FirstOfTwoEqualNamesWins) {
    TVersionInfo info(encode(versionRoot({stringFileInfo(
                          {stringTable("040904E4", {stringEntry("ProductName", "one"),
                                                    stringEntry("PRODUCTNAME", "two")})})})),
                      locale);
    EXPECT_EQ("one", info.lookup("productName"));
}

TEST_F(VersionInfoTest, StringWithoutValueIsEmptyText) {
    TVersionInfo info(encode(versionRoot({stringFileInfo(
                          {stringTable("040904E4", {emptyStringEntry("Comments"),
                                                    stringEntry("ProductName", "KV Remvana")})})})),
                      locale);
    EXPECT_EQ("", info.lookup("Comments"));
    EXPECT_EQ("KV Remvana", info.lookup("ProductName"));
}

TEST_F(VersionInfoTest, WrongFixedPartSignatureFailsEveryLookup) {
    TVersionInfo info(
        encode(versionRoot(
            {stringFileInfo({stringTable("040904E4", {stringEntry("ProductName", "X")})})},
            fixedPart(0xFEEF04BC))),
        locale);
    EXPECT_EQ("Key not found", lookupError(info, "ProductName"));
    EXPECT_EQ("Key not found", lookupError(info, "ProductName"));
}

TEST_F(VersionInfoTest, BlockWithoutFixedPartStillAnswers) {
    TVersionInfo info(
        encode(versionRoot(
            {stringFileInfo({stringTable("040904E4", {stringEntry("ProductName", "X")})})}, {})),
        locale);
    EXPECT_EQ("X", info.lookup("ProductName"));
    EXPECT_EQ("X", info.lookup("ProductName"));
}

TEST_F(VersionInfoTest, UnknownChildEndsTheParseKeepingWhatCameBefore) {
    TVersionInfo info(
        encode(versionRoot({stringFileInfo({stringTable("040904E4", {stringEntry("A", "1")})}),
                            VersionNode{"Other", 1, 0, {}, {}},
                            stringFileInfo({stringTable("040904E4", {stringEntry("B", "2")})})})),
        locale);
    EXPECT_EQ("1", info.lookup("A"));
    EXPECT_EQ("Key not found", lookupError(info, "B"));
}

TEST_F(VersionInfoTest, TableKeyThatIsNotHexadecimalFailsTheParse) {
    TVersionInfo info(encode(versionRoot({stringFileInfo(
                          {stringTable("0409XYZ4", {stringEntry("ProductName", "X")})})})),
                      locale);
    EXPECT_EQ("Key not found", lookupError(info, "ProductName"));
}

TEST_F(VersionInfoTest, TruncatedBlockFailsWithoutReadingPastIt) {
    const auto whole = programBlock();
    // Every cut keeps the root's declared length, which now overruns the bytes held.
    for (std::size_t size = 0; size < whole.size(); ++size) {
        TVersionInfo info(std::vector<std::uint8_t>(whole.begin(), whole.begin() + size), locale);
        EXPECT_EQ("Key not found", lookupError(info, "ProductName")) << "cut at " << size;
    }
}

TEST_F(VersionInfoTest, ChildLongerThanItsParentFailsTheParse) {
    auto block = programBlock();
    // The StringFileInfo child starts right after the 52-byte fixed part.
    const std::size_t child = 40 + 52;
    ASSERT_EQ('S', block[child + 6]);
    block[child] = 0xF0;
    block[child + 1] = 0x0F;
    TVersionInfo info(block, locale);
    EXPECT_EQ("Key not found", lookupError(info, "ProductName"));
}

TEST_F(VersionInfoTest, KeyWithoutTerminatorFailsTheParse) {
    // A root whose key runs to the end of the block without a zero unit.
    std::vector<std::uint8_t> block{12, 0, 0, 0, 1, 0, 'V', 0, 'S', 0, '_', 0};
    TVersionInfo info(block, locale);
    EXPECT_EQ("Key not found", lookupError(info, "ProductName"));
}

TEST_F(VersionInfoTest, AnyDamagedByteFailsCleanlyOrStillAnswers) {
    const auto whole = programBlock();
    // Sanitizers watch every read; a lookup may only answer or say "Key not found".
    for (std::size_t at = 0; at < whole.size(); ++at) {
        for (std::uint8_t bad : {std::uint8_t{0x00}, std::uint8_t{0xFF}}) {
            auto block = whole;
            block[at] = bad;
            TVersionInfo info(block, locale);
            try {
                info.lookup("ProductName");
            } catch (const VersionInfoError& e) {
                EXPECT_STREQ("Key not found", e.what()) << "byte " << at;
            }
        }
    }
}

} // namespace
} // namespace remvana
