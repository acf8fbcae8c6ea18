#include <gtest/gtest.h>

#include <climits>
#include <map>

#include "fakes/fake_registry.h"
#include "settings/settings_store.h"

namespace remvana {
namespace {

constexpr RegRoot kUser = RegRoot::CurrentUser;

class SettingsStoreTest : public ::testing::Test {
  protected:
    std::optional<FakeValue> stored() const {
        return registry.value(kUser, kSettingsKey, kLanguageValue);
    }
    FakeRegistryFactory registry;
};

TEST_F(SettingsStoreTest, MissingKeyReadsTheDefaultAndSavingZeroCreatesNothing) {
    EXPECT_EQ(42, ReadRegInteger(registry, kSettingsKey, "language", 42));
    SaveLanguage(registry, kSettingsKey, 0);
    EXPECT_FALSE(registry.keyExists(kUser, kSettingsKey));
    EXPECT_FALSE(registry.keyExists(kUser, "SOFTWARE\\Kelvane"));
}

TEST_F(SettingsStoreTest, SavedLanguageIsDecimalTextReadBackAsItsNumber) {
    SaveLanguage(registry, kSettingsKey, 4);
    ASSERT_TRUE(stored().has_value());
    EXPECT_EQ(reg_type::String, stored()->type);
    EXPECT_EQ("4", registry.text(kUser, kSettingsKey, "language"));
    EXPECT_EQ(4, ReadRegInteger(registry, kSettingsKey, "language", 0));
}

TEST_F(SettingsStoreTest, LanguageBelowOneRemovesTheValueButKeepsTheKey) {
    registry.setString(kUser, kSettingsKey, "language", "3");
    registry.setString(kUser, kSettingsKey, "other", "kept");
    SaveLanguage(registry, kSettingsKey, -2);
    EXPECT_FALSE(stored().has_value());
    EXPECT_EQ("kept", registry.text(kUser, kSettingsKey, "other"));
    EXPECT_TRUE(registry.keyExists(kUser, kSettingsKey));
}

TEST_F(SettingsStoreTest, StoredTextsReadAsNumbersOrTheDefault) {
    const std::map<std::string, std::int32_t> cases{
        {"007", 7},
        {"-12", -12},
        {"+5", 5},
        {"abc", 9},
        {"", 9},
        {"12x", 9},
        {"2147483647", INT_MAX},
        {"2147483648", 9},
        {"-2147483648", INT_MIN},
        {"0x10", 9},
    };
    for (const auto& [text, expected] : cases) {
        registry.setString(kUser, kSettingsKey, "language", text);
        EXPECT_EQ(expected, ReadRegInteger(registry, kSettingsKey, "language", 9)) << text;
    }
}

TEST_F(SettingsStoreTest, NegativeAndLeadingZeroValuesAreWrittenCanonically) {
    WriteRegInteger(registry, kSettingsKey, "count", -40);
    EXPECT_EQ("-40", registry.text(kUser, kSettingsKey, "count"));
    registry.setString(kUser, kSettingsKey, "language", "007");
    SaveLanguage(registry, kSettingsKey, ReadRegInteger(registry, kSettingsKey, "language", 0));
    EXPECT_EQ("7", registry.text(kUser, kSettingsKey, "language"));
}

TEST_F(SettingsStoreTest, ValueOfAnotherKindIsAnInvalidDataTypeError) {
    registry.setDword(kUser, kSettingsKey, "language", 5);
    try {
        ReadRegInteger(registry, kSettingsKey, "language", 0);
        FAIL() << "expected a registry error";
    } catch (const RegistryError& e) {
        EXPECT_STREQ("Invalid data type for 'language'", e.what());
    }
}

TEST_F(SettingsStoreTest, ALanguageThatIsNoTextIsDeletedOnceAndTheDefaultUsed) {
    registry.setDword(kUser, kSettingsKey, "language", 5);
    EXPECT_EQ(0, ReadLanguage(registry, kSettingsKey));
    EXPECT_FALSE(registry.value(kUser, kSettingsKey, "language"));
    registry.setString(kUser, kSettingsKey, "language", "3");
    EXPECT_EQ(3, ReadLanguage(registry, kSettingsKey));
}

TEST_F(SettingsStoreTest, KeyWithoutFullAccessReadsAsAbsent) {
    registry.setString(kUser, kSettingsKey, "language", "6");
    registry.denyFullAccess(kUser, kSettingsKey);
    EXPECT_EQ(0, ReadRegInteger(registry, kSettingsKey, "language", 0));
    DeleteRegValue(registry, kSettingsKey, "language"); // silently does nothing
    EXPECT_EQ("6", registry.text(kUser, kSettingsKey, "language"));
}

TEST_F(SettingsStoreTest, WritesThatCannotBeStoredRaiseTheirMessages) {
    registry.createKey(kUser, kSettingsKey);
    registry.denyWrite(kUser, kSettingsKey);
    try {
        SaveLanguage(registry, kSettingsKey, 2);
        FAIL() << "expected a registry error";
    } catch (const RegistryError& e) {
        EXPECT_STREQ("Failed to set data for 'language'", e.what());
    }
}

TEST_F(SettingsStoreTest, KeyThatCannotBeCreatedRaisesWithItsPath) {
    registry.createKey(kUser, "SOFTWARE\\Kelvane");
    registry.denyWrite(kUser, "SOFTWARE\\Kelvane");
    try {
        WriteRegInteger(registry, kSettingsKey, "language", 2);
        FAIL() << "expected a registry error";
    } catch (const RegistryError& e) {
        EXPECT_EQ(std::string("Failed to create key ") + kSettingsKey, e.what());
    }
    EXPECT_FALSE(registry.keyExists(kUser, kSettingsKey));
}

TEST_F(SettingsStoreTest, DeletingAMissingValueOrKeyIsSilent) {
    EXPECT_NO_THROW(DeleteRegValue(registry, kSettingsKey, "language"));
    registry.createKey(kUser, kSettingsKey);
    EXPECT_NO_THROW(DeleteRegValue(registry, kSettingsKey, "language"));
}

class MapStringTable : public StringTable {
  public:
    std::string loadString(long long id) override {
        const auto found = strings.find(id);
        return found == strings.end() ? std::string() : found->second;
    }
    std::map<long long, std::string> strings{{0, "English"}, {1, "Version"}};
};

TEST(LangString, FallsBackToTheBuiltInLanguage) {
    MapStringTable table;
    EXPECT_EQ("Version", LangString(table, 0, 1));
    EXPECT_EQ("Version", LangString(table, 5, 1));
    EXPECT_EQ("English", LangString(table, -1, 1));
    EXPECT_EQ("", LangString(table, 0, 7));
}

TEST(LangString, TakesTheShiftedStringWhenThereIsOne) {
    MapStringTable table;
    table.strings[10] = "Deutsch";
    table.strings[11] = "Fassung";
    table.strings[12] = "";
    EXPECT_EQ("Fassung", LangString(table, 10, 1));
    EXPECT_EQ("Deutsch", LangString(table, 10, 0));
    // An empty translation falls back as a missing one does.
    table.strings[2] = "Two";
    EXPECT_EQ("Two", LangString(table, 10, 2));
}

TEST(LangString, ExtremeOffsetsDoNotWrapOntoOtherStrings) {
    MapStringTable table;
    EXPECT_EQ("Version", LangString(table, INT_MAX, 1));
    EXPECT_EQ("Version", LangString(table, INT_MIN, 1));
}

} // namespace
} // namespace remvana
