// The details pane of the real window against the real registry: rows are selected
// through the list's own messages, then the label's markup and the buttons are read back.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "machine_keys.h"
#include "widgets/paramlabel/win32/param_label.h"
#include "window_fixture.h"

namespace remvana {
namespace {

const std::string kFullKey = "RemvanaDet Full";
const std::string kBareKey = "RemvanaDet Bare";
const std::string kHeading =
    "<p bgcolor=\"#C1DAFB\" bgcolorto=\"#C1DAFB\"><IMG src=\"idx:1\" align=\"top\"> Properties</p>";

class DetailsPane : public testing::MainWindowFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(testing::seedMachineEntry(
            kFullKey, {{"DisplayName", "Det Full Suite"},
                       {"Publisher", "Kelvane Tools"},
                       {"DisplayVersion", "4.2.1"},
                       {"Contact", "Support desk"},
                       {"HelpLink", "https://help.example.com/full"},
                       {"HelpTelephone", "+1 555 0100"},
                       {"URLUpdateInfo", "https://updates.example.com/full"},
                       {"UninstallString", "C:\\Full\\uninstall.exe"},
                       {"InstallSource", "C:\\Setup\\Full\\"}}));
        ASSERT_TRUE(testing::setMachineNumber(testing::kUninstallStore + kFullKey, "NoModify", 1));
        ASSERT_TRUE(testing::seedMachineEntry(kBareKey, {{"DisplayName", "Det R&D <beta>"}}));
        openWindow();
        label = TParamLabel::fromHandle(controlOf(form(), layout::kParamLabelId));
        ASSERT_NE(nullptr, label);
    }
    void TearDown() override {
        testing::MainWindowFixture::TearDown();
        testing::deleteMachineTree(testing::kUninstallStore + kFullKey);
        testing::deleteMachineTree(testing::kUninstallStore + kBareKey);
    }

    bool enabled(HWND button) const { return IsWindowEnabled(button) != FALSE; }

    TParamLabel* label = nullptr;
};

TEST_F(DetailsPane, BeforeAnySelectionTheLabelShowsTheHeadingAndButtonsAreOff) {
    EXPECT_EQ(kHeading, label->htmlLine(0));
    EXPECT_EQ(std::string(TParamLabel::kClassName),
              testing::classNameOf(controlOf(form(), layout::kParamLabelId)));
    for (HWND button :
         {controlOf(form(), layout::kRemoveButtonId), controlOf(form(), layout::kChangeButtonId),
          controlOf(form(), layout::kRepairButtonId),
          controlOf(form(), layout::kDeleteEntryButtonId),
          controlOf(form(), layout::kModifyPropertiesButtonId)})
        EXPECT_FALSE(enabled(button));
}

// Several selected: a summary, and only what works on several; one again: as before.
TEST_F(DetailsPane, SeveralSelectedShowASummaryAndOnlyRemoveAndDeleteEntry) {
    selectRow("Det Full Suite");
    addToSelection("Det R&D <beta>");
    EXPECT_EQ(kHeading + "<B>2 programs selected</B><br><B>Can Be Removed Quietly</B> : 0 of 2<br>",
              label->htmlLine(0));
    EXPECT_TRUE(enabled(controlOf(form(), layout::kDeleteEntryButtonId)));
    EXPECT_TRUE(enabled(controlOf(form(), layout::kRemoveButtonId))) << "one has an uninstaller";
    for (int id :
         {layout::kChangeButtonId, layout::kRepairButtonId, layout::kModifyPropertiesButtonId})
        EXPECT_FALSE(enabled(controlOf(form(), id))) << id;
    testing::saveScreenshot(window(), "several_selected");

    selectRow("Det Full Suite");
    EXPECT_EQ(0u, label->htmlLine(0).find(kHeading + "<B>Display Name</B>"));
    EXPECT_TRUE(enabled(controlOf(form(), layout::kRemoveButtonId)));
}

TEST_F(DetailsPane, SelectingAProgramShowsEveryPropertyAndEnablesWhatItRegistered) {
    selectRow("Det Full Suite");
    EXPECT_EQ(kHeading +
                  "<B>Display Name</B> : <a href=\"DisplayName\" class=\"EDIT\">Det Full "
                  "Suite</A><br>"
                  "<B>Publisher</B> : <a href=\"Publisher\" class=\"EDIT\">Kelvane Tools</A><br>"
                  "<B>Version</B> : <a href=\"DisplayVersion\" class=\"EDIT\">4.2.1</A><br>"
                  "<B>Contact</B> : <a href=\"Contact\" class=\"EDIT\">Support desk</A><br>"
                  "<B>Support Information</B> : <a href=\"HelpLink\" "
                  "class=\"EDIT\">https://help.example.com/full</A><br>"
                  "<B>Support Telephone</B> : <a href=\"HelpTelephone\" class=\"EDIT\">+1 555 "
                  "0100</A><br>"
                  "<B>Prduct Updates</B> : <a href=\"URLUpdateInfo\" "
                  "class=\"EDIT\">https://updates.example.com/full</A><br>"
                  "<br>Registered for: all users (64-bit)<br>Key: " +
                  kFullKey +
                  "<br>"
                  // Read-only below: C:\\Full does not exist in the test prefix.
                  "<font color=\"#C00000\">The uninstaller of this program is missing: Delete "
                  "Entry removes the leftover registration</font><br>"
                  "<B>Uninstall Command</B> : C:\\Full\\uninstall.exe<br>",
              label->htmlLine(0));
    EXPECT_TRUE(enabled(controlOf(form(), layout::kDeleteEntryButtonId)));
    EXPECT_TRUE(enabled(controlOf(form(), layout::kRemoveButtonId)));
    EXPECT_FALSE(enabled(controlOf(form(), layout::kChangeButtonId))); // NoModify is 1
    EXPECT_TRUE(enabled(controlOf(form(), layout::kRepairButtonId)));
    EXPECT_FALSE(enabled(controlOf(form(), layout::kModifyPropertiesButtonId)));

    // The label lays out seven anchors, the first under the mouse where it is drawn.
    std::optional<Rect> first = label->anchorRectOf(1);
    ASSERT_TRUE(first.has_value());
    MarkupResult hit =
        label->hitTestAt(Point{(first->left + first->right) / 2, (first->top + first->bottom) / 2});
    EXPECT_TRUE(hit.hit);
    EXPECT_EQ("DisplayName", hit.anchorName);
    EXPECT_TRUE(label->anchorRectOf(7).has_value());
    EXPECT_FALSE(label->anchorRectOf(8).has_value());

    std::string shot =
        testing::saveScreenshot(controlOf(form(), layout::kRightPanelId), "details_pane_full");
    EXPECT_FALSE(shot.empty());
}

TEST_F(DetailsPane, AValueWithMarkupCharactersIsShownEscapedAndButtonsFollowTheEntry) {
    selectRow("Det R&D <beta>");
    EXPECT_EQ(kHeading +
                  "<B>Display Name</B> : <a href=\"DisplayName\" class=\"EDIT\">Det R&amp;D "
                  "&lt;beta&gt;</A><br><br>Registered for: all users (64-bit)<br>Key: " +
                  kBareKey + "<br>",
              label->htmlLine(0));
    EXPECT_TRUE(enabled(controlOf(form(), layout::kDeleteEntryButtonId)));
    EXPECT_FALSE(enabled(controlOf(form(), layout::kRemoveButtonId)));
    EXPECT_TRUE(enabled(controlOf(form(), layout::kChangeButtonId))); // NoModify absent reads 0
    EXPECT_FALSE(enabled(controlOf(form(), layout::kRepairButtonId)));
    EXPECT_FALSE(
        testing::saveScreenshot(controlOf(form(), layout::kRightPanelId), "details_pane_escaped")
            .empty());
}

TEST_F(DetailsPane, MovingAndDroppingTheSelection) {
    selectRow("Det Full Suite");
    selectRow("Det R&D <beta>");
    const std::string bareMarkup = label->htmlLine(0);
    EXPECT_NE(std::string::npos, bareMarkup.find("Det R&amp;D"));
    EXPECT_FALSE(enabled(controlOf(form(), layout::kRemoveButtonId)));
    EXPECT_FALSE(enabled(controlOf(form(), layout::kRepairButtonId)));

    // Dropping the selection disables four buttons but keeps the markup and Delete Entry.
    const int row = rowOf("Det R&D <beta>");
    ListView_SetItemState(controlOf(form(), layout::kListViewId), row, 0, LVIS_SELECTED);
    testing::pumpMessages(20);
    EXPECT_EQ(bareMarkup, label->htmlLine(0));
    EXPECT_FALSE(enabled(controlOf(form(), layout::kChangeButtonId)));
    EXPECT_TRUE(enabled(controlOf(form(), layout::kDeleteEntryButtonId)));
}

} // namespace
} // namespace remvana
