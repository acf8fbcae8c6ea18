#include <gtest/gtest.h>

#include "app/button_rules.h"

namespace remvana {
namespace {

DetailsSelection selectionOf(bool shown, std::optional<bool> deleteEntry) {
    DetailsSelection selection;
    selection.buttons.remove = true;
    selection.buttons.change = false;
    selection.buttons.repair = true;
    selection.buttons.deleteEntry = deleteEntry;
    if (shown) selection.markupLine0 = "details";
    return selection;
}

TEST(ButtonRules, EachRuleFollowsItsPartOfTheSelection) {
    const std::optional<bool> keep;
    struct Case {
        EnabledBy rule;
        std::optional<bool> selected; // a row with details shown
        std::optional<bool> deselected;
    };
    const Case cases[] = {
        {EnabledBy::Itself, keep, keep},      {EnabledBy::Remove, true, false},
        {EnabledBy::Change, false, false},    {EnabledBy::Repair, true, false},
        {EnabledBy::DeleteEntry, true, keep}, {EnabledBy::Edits, false, false},
    };
    for (const Case& c : cases) {
        const int rule = static_cast<int>(c.rule);
        EXPECT_EQ(c.selected, enabledAfterSelection(c.rule, selectionOf(true, true))) << rule;
        EXPECT_EQ(c.deselected, enabledAfterSelection(c.rule, selectionOf(false, true))) << rule;
    }
    // A selection that leaves Delete Entry's state alone.
    EXPECT_EQ(keep, enabledAfterSelection(EnabledBy::DeleteEntry, selectionOf(true, keep)));
}

TEST(ButtonRules, AResetTurnsOffAllButTheButtonsThatFollowThemselves) {
    EXPECT_TRUE(enabledAfterReset(EnabledBy::Itself, true));
    EXPECT_FALSE(enabledAfterReset(EnabledBy::Itself, false));
    for (EnabledBy rule : {EnabledBy::Remove, EnabledBy::DeleteEntry, EnabledBy::Edits})
        EXPECT_FALSE(enabledAfterReset(rule, true)) << static_cast<int>(rule);
}

} // namespace
} // namespace remvana
