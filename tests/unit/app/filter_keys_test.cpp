#include <gtest/gtest.h>

#include "app/filter_keys.h"

namespace remvana {
namespace {

TEST(FilterKeys, CtrlFAndF3FocusFromAnywhereEscapeClearsOnlyInTheBoxOrList) {
    using enum FilterKeyAction;
    EXPECT_EQ(FocusFilter, filterKeyAction('F', true, false));
    EXPECT_EQ(FocusFilter, filterKeyAction(kVkF3, false, false));
    EXPECT_EQ(None, filterKeyAction('F', false, true)); // typing an F
    EXPECT_EQ(ClearFilter, filterKeyAction(kVkEscape, false, true));
    EXPECT_EQ(None, filterKeyAction(kVkEscape, false, false)); // e.g. the label's editor
}

} // namespace
} // namespace remvana
