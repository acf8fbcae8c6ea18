// Tab over the label's anchors, and what a screen reader is told and reads of the label.
#include <gtest/gtest.h>

#include "fake_param_label.h"
#include "widgets/paramlabel/accessible_lines.h"
#include "widgets/paramlabel/param_tab_order.h"

namespace remvana {
namespace {

using enum AnchorKind;

TEST(ParamTabOrder, TabStepsOverValuesAndLinksAndLeavesAtEitherEnd) {
    const std::vector<AnchorKind> kinds{Inert, Editable, Link, Inert, Editable, Inert};
    struct Case {
        int current;
        bool forward;
        std::optional<int> next;
    };
    for (const Case& c :
         {Case{-1, true, 1}, Case{1, true, 2}, Case{2, true, 4}, Case{4, true, std::nullopt},
          Case{5, true, std::nullopt}, Case{6, false, 4}, Case{4, false, 2}, Case{2, false, 1},
          Case{1, false, std::nullopt}, Case{0, false, std::nullopt},
          // An index from markup that has since shrunk starts at the near end.
          Case{40, false, 4}, Case{-7, true, 1}})
        EXPECT_EQ(c.next, nextTabStop(kinds, c.current, c.forward))
            << c.current << (c.forward ? " forward" : " back");
    EXPECT_EQ(1, entryTabStop(kinds, true));
    EXPECT_EQ(4, entryTabStop(kinds, false));
    EXPECT_EQ(std::nullopt, entryTabStop({Inert, Inert}, true));
    EXPECT_EQ(std::nullopt, entryTabStop({}, false));
}

TEST(ParamTabOrder, AnAnchorWithoutClassIsALinkOnlyWhenClicksAreAnswered) {
    const std::string markup = "<a href=\"A\" class=\"EDIT\">a</a> <a href=\"B\">b</a> "
                               "<a href=\"C\" class=\"LIST\" props=\"x|y\">c</a>";
    EXPECT_EQ((std::vector<AnchorKind>{Editable, Link, Editable}), anchorKinds(markup, true));
    EXPECT_EQ((std::vector<AnchorKind>{Editable, Inert, Editable}), anchorKinds(markup, false));
}

TEST(AccessibleLines, OneItemPerLineWithCaptionValueAndAnchor) {
    const std::string markup =
        "<p bgcolor=\"#C1DAFB\" bgcolorto=\"#C1DAFB\"><IMG src=\"idx:1\" align=\"top\"> "
        "Properties</p>"
        "<B>Publisher</B> : <a href=\"Publisher\" class=\"EDIT\">R&amp;D &lt;beta&gt;</A><br>"
        "<font color=\"#C00000\">Uninstaller missing</font><br>"
        "<B>Install Location</B> : <a href=\"InstallLocation\">C:\\Apps\\X</a><br>"
        "<B>Install Date</B> : 2024-01-02<br>"
        "<br>Registered for: everyone<br>Key: {GUID}<br>";
    const std::vector<AccessibleLine> lines = accessibleLines(markup, true);
    const std::vector<AccessibleLine> expected{
        {"Properties", "", -1, 0, Inert},
        {"Publisher", "R&D <beta>", 0, 1, Editable},
        {"Uninstaller missing", "", -1, 0, Inert},
        {"Install Location", "C:\\Apps\\X", 1, 1, Link},
        {"Install Date", "2024-01-02", -1, 0, Inert},
        {"Registered for", "everyone", -1, 0, Inert},
        {"Key", "{GUID}", -1, 0, Inert},
    };
    EXPECT_EQ(expected, lines);
    EXPECT_EQ(1, lineOfAnchor(lines, 0));
    EXPECT_EQ(3, lineOfAnchor(lines, 1));
    EXPECT_EQ(-1, lineOfAnchor(lines, 2));
}

TEST(AccessibleLines, TwoAnchorsOnALineAndMalformedMarkupStayReadable) {
    const std::vector<AccessibleLine> lines =
        accessibleLines("<a href=\"A\" class=\"EDIT\">1</a> to <a href=\"B\">2</a><hr>x<z>"
                        "hidden</z> &amp;&amp; y<b unclosed",
                        false);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ((AccessibleLine{"", "1 to 2", 0, 2, Editable}), lines[0]);
    EXPECT_EQ("x && y", lines[1].name);
    EXPECT_EQ(0, lineOfAnchor(lines, 1));
}

class ParamKeyboardTest : public ::testing::Test {
  protected:
    FakeLabel host;
    ParamInteraction label{host, nullptr};
};

TEST_F(ParamKeyboardTest, TabMovesOverTheValuesThenLetsTheWindowTakeTheFocusOn) {
    // Publisher and Contact are values; Plain has no click handler, so it is no stop.
    label.focusEntered(true);
    EXPECT_EQ(0, label.focusedIndex());
    EXPECT_TRUE(label.wantsTab(true));
    EXPECT_FALSE(label.wantsTab(false));
    EXPECT_TRUE(label.keyDown(ParamKey::Tab));
    EXPECT_EQ(1, label.focusedIndex());
    EXPECT_FALSE(label.wantsTab(true));
    EXPECT_FALSE(label.keyDown(ParamKey::Tab));
    EXPECT_EQ(1, label.focusedIndex());

    label.events.OnParamClick = [](TParamLabel*, const std::string&, std::string&) {};
    EXPECT_TRUE(label.keyDown(ParamKey::Tab));
    EXPECT_EQ(2, label.focusedIndex());
    // Coming back with Shift+Tab lands on the last stop; from elsewhere the focus stays.
    label.focusEntered(false);
    EXPECT_EQ(2, label.focusedIndex());
    EXPECT_TRUE(label.keyDown(ParamKey::ShiftTab));
    label.focusEntered(std::nullopt);
    EXPECT_EQ(1, label.focusedIndex());
    EXPECT_EQ((std::vector<std::string>{"focus 0", "focus 1", "focus 2", "focus 2", "focus 1",
                                        "focus 1"}),
              host.accessEvents);
}

TEST_F(ParamKeyboardTest, ScreenReadersHearTheEditorOpenAndTheValueChange) {
    label.keyDown(ParamKey::Right);
    label.keyDown(ParamKey::Return);
    label.editDone("Contact", "new");
    // A plain anchor's click opens nothing that stays: no opened event.
    label.events.OnParamClick = [](TParamLabel*, const std::string&, std::string&) {};
    label.keyDown(ParamKey::Right);
    label.keyDown(ParamKey::Space);
    EXPECT_EQ((std::vector<std::string>{"focus 1", "opened 1", "changed 1", "focus 2"}),
              host.accessEvents);
}

} // namespace
} // namespace remvana
