#include <gtest/gtest.h>

#include "details/several_selected.h"
#include "fakes/fake_locale.h"

namespace remvana {
namespace {

TAppInfo entryOf(const std::string& keyName, const std::string& uninstall, std::uint32_t kb) {
    TAppInfo entry;
    entry.KeyName = keyName;
    entry.UninstallString = uninstall;
    entry.ModifyPath = "modify.exe";
    entry.InstallSource = "C:\\src";
    entry.EstimatedSize = kb;
    return entry;
}

TEST(SeveralSelected, TheSummaryCountsThemAndOnlyRemoveAndDeleteEntryWork) {
    FakeLocale locale;
    const TAppInfo a = entryOf("A", "", 100), b = entryOf("B", "", 200), c = entryOf("C", "", 0);
    const TAppInfo withUninstaller = entryOf("D", "d.exe", 0);
    const DetailsSelection none = detailsForSeveral({&a, &b, &c}, 0, locale);
    ASSERT_TRUE(none.markupLine0);
    EXPECT_NE(std::string::npos, none.markupLine0->find("<B>3 programs selected</B><br>"));
    EXPECT_NE(std::string::npos, none.markupLine0->find("<B>Total Size</B> : 300 Kb<br>"));
    EXPECT_NE(std::string::npos,
              none.markupLine0->find("<B>Can Be Removed Quietly</B> : 0 of 3<br>"));
    EXPECT_FALSE(none.buttons.remove) << "none of them has an uninstaller";
    EXPECT_EQ(true, none.buttons.deleteEntry);
    EXPECT_FALSE(none.buttons.change || none.buttons.repair || none.buttons.modifyProperties);

    const DetailsSelection one = detailsForSeveral({&a, &withUninstaller}, 1, locale);
    EXPECT_TRUE(one.buttons.remove);
    EXPECT_NE(std::string::npos,
              one.markupLine0->find("<B>Can Be Removed Quietly</B> : 1 of 2<br>"));
    EXPECT_FALSE(one.buttons.change || one.buttons.repair || one.buttons.modifyProperties);
}

} // namespace
} // namespace remvana
