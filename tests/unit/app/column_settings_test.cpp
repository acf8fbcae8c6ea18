#include <gtest/gtest.h>

#include "app/column_settings.h"
#include "fakes/fake_registry.h"
#include "settings/settings_store.h"

namespace remvana {
namespace {

constexpr RegRoot kUser = RegRoot::CurrentUser;

TEST(ColumnSettings, TheChoiceComesBackFromTheSettingsKey) {
    FakeRegistryFactory registry;
    EXPECT_EQ(ColumnLayout(), readColumnLayout(registry));
    EXPECT_FALSE(registry.keyExists(kUser, kSettingsKey)); // reading creates nothing

    ColumnLayout chosen;
    chosen.toggle(ProgramColumn::Version);
    chosen.reorder({ProgramColumn::Name, ProgramColumn::Version, ProgramColumn::Size,
                    ProgramColumn::LastUsed, ProgramColumn::Frequency});
    chosen.setWidthAt(ProgramColumn::Version, 120, 96);
    saveColumnLayout(registry, chosen);
    EXPECT_EQ("name:240,version:120,size:70,lastused:100,frequency:70",
              registry.text(kUser, kSettingsKey, kListColumnsValue));
    EXPECT_EQ(chosen, readColumnLayout(registry));
}

TEST(ColumnSettings, ADamagedSettingReadsAsTheDefault) {
    FakeRegistryFactory registry;
    registry.setString(kUser, kSettingsKey, kListColumnsValue, "version:90,name:240");
    EXPECT_EQ(ColumnLayout(), readColumnLayout(registry));
    registry.setDword(kUser, kSettingsKey, kListColumnsValue, 7);
    EXPECT_EQ(ColumnLayout(), readColumnLayout(registry));
}

} // namespace
} // namespace remvana
