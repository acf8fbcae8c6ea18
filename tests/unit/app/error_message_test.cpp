#include <gtest/gtest.h>

#include "app/error_message.h"

namespace remvana {
namespace {

TEST(ErrorBoxText, AppendsAFullStopAfterCharactersAboveIt) {
    EXPECT_EQ("Registry Error.", errorBoxText("Registry Error"));
    EXPECT_EQ("path a/b/.", errorBoxText("path a/b/")); // '/' sorts above '.'
    EXPECT_EQ("size 9.", errorBoxText("size 9"));
    EXPECT_EQ("Failed to create key \\A\\.", errorBoxText("Failed to create key \\A\\"));
    EXPECT_EQ("caf\xE9.", errorBoxText("caf\xE9")); // 8-bit letters count as above
}

TEST(ErrorBoxText, LeavesMessagesEndingAtOrBelowTheFullStop) {
    EXPECT_EQ("Key not found.", errorBoxText("Key not found."));
    EXPECT_EQ("Stop!", errorBoxText("Stop!"));
    // A closing quote (0x27) sorts below the full stop.
    EXPECT_EQ("Invalid data type for 'language'", errorBoxText("Invalid data type for 'language'"));
    EXPECT_EQ("(none)", errorBoxText("(none)"));
    EXPECT_EQ("a-", errorBoxText("a-"));
    EXPECT_EQ("", errorBoxText(""));
}

} // namespace
} // namespace remvana
