#include "app/action_keys.h"

#include <gtest/gtest.h>

namespace remvana {
namespace {

using enum WindowAction;
using enum KeyFocus;

TEST(ActionKeys, EachKeyReachesItsActionUnlessTheFocusedControlUsesItItself) {
    constexpr int F5 = 0x74, Del = 0x2E, F10 = 0x79, Apps = 0x5D, F3 = 0x72, Esc = 0x1B;
    struct Case {
        KeyPress key;
        KeyFocus focus;
        WindowAction action;
    };
    const Case cases[] = {
        {{F5}, ProgramList, Refresh},
        {{F5}, Elsewhere, Refresh},
        {{F5}, Editor, None}, // the in-place editor keeps every key
        {{Del}, ProgramList, DeleteEntry},
        {{Del}, FilterBox, None}, // deletes a character there
        {{Del}, Elsewhere, None},
        {{'S', true}, FilterBox, SaveToFile},
        {{'S'}, ProgramList, None},
        {{'Z', true}, ProgramList, Undo},
        {{'Z', true}, FilterBox, None}, // the box's own undo
        {{'Z', true, true}, ProgramList, None},
        {{F10, false, true}, ProgramList, ContextMenu},
        {{Apps}, ProgramList, ContextMenu},
        {{F10, false, true}, Elsewhere, None},
        {{F10}, ProgramList, None},
        {{'F', true}, Elsewhere, FocusFilter},
        {{F3}, ProgramList, FocusFilter},
        {{Esc}, ProgramList, ClearFilter},
        {{Esc}, Elsewhere, None},
        {{F5, false, false, true}, ProgramList, None}, // Alt belongs to the system
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.action, actionForKey(c.key, c.focus))
            << c.key.virtualKey << (c.key.ctrl ? " ctrl" : "") << (c.key.shift ? " shift" : "")
            << " in " << static_cast<int>(c.focus);
}

TEST(ActionKeys, TooltipsNameTheKeyAndCaptionsStayAsTheyAre) {
    EXPECT_EQ("Refresh (F5)", tooltipWithKey("Refresh", Refresh));
    EXPECT_EQ("Delete Entry (Del)", tooltipWithKey("Delete Entry", DeleteEntry));
    EXPECT_EQ("Save to file ... (Ctrl+S)", tooltipWithKey("Save to file ...", SaveToFile));
    EXPECT_EQ("Undo Publisher of Foo (Ctrl+Z)", tooltipWithKey("Undo Publisher of Foo", Undo));
    EXPECT_EQ("Ctrl+Z", tooltipWithKey("", Undo));
    EXPECT_EQ("Remove", tooltipWithKey("Remove", None));
}

} // namespace
} // namespace remvana
