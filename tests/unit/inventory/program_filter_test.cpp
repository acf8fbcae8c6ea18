#include <gtest/gtest.h>

#include "inventory/program_filter.h"

namespace remvana {
namespace {

TEST(ProgramFilter, MatchesNamePublisherVersionOrKeyNameIgnoringAsciiCase) {
    TAppInfo entry;
    entry.DisplayName = "Gimp 2.10";
    entry.Publisher = "The GIMP Team";
    entry.DisplayVersion = "2.10.38 RC1";
    entry.KeyName = "{A1B2}_is1";
    entry.Comments = "image editor"; // not searched
    struct Case {
        const char* text;
        bool kept;
    };
    for (const Case& c : {Case{"", true}, Case{"gimp", true}, Case{"2.1", true}, Case{"TEAM", true},
                          Case{"a1b2}_IS", true}, Case{".38 rc", true}, Case{"editor", false},
                          Case{"gimp editor", false}})
        EXPECT_EQ(c.kept, matchesProgramFilter(entry, c.text)) << c.text;

    // Only A to Z fold: other code-page letters compare as stored.
    entry.DisplayName = "\xC4rger";
    EXPECT_FALSE(matchesProgramFilter(entry, "\xE4rger"));
    EXPECT_TRUE(matchesProgramFilter(entry, "\xC4RGER"));
}

TEST(ProgramFilter, CountNamesShownOfAllOnlyWhileFiltered) {
    EXPECT_EQ("12 of 240 programs available for uninstall", programCountText(12, 240, true));
    EXPECT_EQ("0 of 3 programs available for uninstall", programCountText(0, 3, true));
    EXPECT_EQ("240 programs available for uninstall", programCountText(240, 240, false));
}

} // namespace
} // namespace remvana
