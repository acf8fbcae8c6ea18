#include <gtest/gtest.h>

#include "details/details_markup.h"
#include "details/property_edits.h"
#include "fakes/fake_locale.h"
#include "fakes/recording_canvas.h"
#include "widgets/paramlabel/markup_render.h"
#include "widgets/paramlabel/param_lookup.h"

namespace remvana {
namespace {

const std::string kHeading =
    "<p bgcolor=\"#C1DAFB\" bgcolorto=\"#C1DAFB\"><IMG src=\"idx:1\" align=\"top\"> Properties</p>";

TEST(DetailsMarkup, HeadingThenOneSegmentPerNonEmptyPropertyWithNothingBetween) {
    TAppInfo entry;
    entry.DisplayName = "Foo";
    entry.Publisher = "Bar";
    EXPECT_EQ(kHeading +
                  "<B>Display Name</B> : <a href=\"DisplayName\" class=\"EDIT\">Foo</A><br>" +
                  "<B>Publisher</B> : <a href=\"Publisher\" class=\"EDIT\">Bar</A><br>" +
                  "<br>Registered for: all users (64-bit)<br>Key: <br>",
              buildDetailsMarkup(entry));
    EXPECT_EQ(kHeading, std::string(kPropertiesHeadingLine));
}

TEST(DetailsMarkup, AllSevenPropertiesInTableOrderWithTheirLabels) {
    TAppInfo entry;
    entry.DisplayName = "N";
    entry.Publisher = "P";
    entry.DisplayVersion = "1.2";
    entry.Contact = "C";
    entry.HelpLink = "H";
    entry.HelpTelephone = "T";
    entry.URLUpdateInfo = "U";
    entry.Comments = "not shown";
    entry.InstallLocation = "not shown either";
    EXPECT_EQ(kHeading + "<B>Display Name</B> : <a href=\"DisplayName\" class=\"EDIT\">N</A><br>" +
                  "<B>Publisher</B> : <a href=\"Publisher\" class=\"EDIT\">P</A><br>" +
                  "<B>Version</B> : <a href=\"DisplayVersion\" class=\"EDIT\">1.2</A><br>" +
                  "<B>Contact</B> : <a href=\"Contact\" class=\"EDIT\">C</A><br>" +
                  "<B>Support Information</B> : <a href=\"HelpLink\" class=\"EDIT\">H</A><br>" +
                  "<B>Support Telephone</B> : <a href=\"HelpTelephone\" class=\"EDIT\">T</A><br>" +
                  "<B>Prduct Updates</B> : <a href=\"URLUpdateInfo\" class=\"EDIT\">U</A><br>" +
                  "<br>Registered for: all users (64-bit)<br>Key: <br>",
              buildDetailsMarkup(entry));

    // An empty value leaves no label and no anchor.
    entry.Publisher.clear();
    entry.HelpLink.clear();
    std::string markup = buildDetailsMarkup(entry);
    EXPECT_EQ(std::string::npos, markup.find("Publisher"));
    EXPECT_EQ(std::string::npos, markup.find("HelpLink"));
    EXPECT_EQ(5, ParamAnchorCount(markup));
}

TEST(DetailsMarkup, EndsWithTheStoreAndTheKeyNameOutsideAnyAnchor) {
    TAppInfo entry;
    entry.KeyName = "{A&B}";
    const std::pair<UninstallStore, std::string> cases[] = {{kMachineStore64, "all users (64-bit)"},
                                                            {kMachineStore32, "all users (32-bit)"},
                                                            {kUserStore, "this user only"}};
    for (const auto& [store, audience] : cases) {
        entry.Store = store;
        EXPECT_EQ(kHeading + "<br>Registered for: " + audience + "<br>Key: {A&amp;B}<br>",
                  buildDetailsMarkup(entry));
    }
    EXPECT_EQ(0, ParamAnchorCount(buildDetailsMarkup(entry)));
}

TEST(DetailsMarkup, ValuesAreEscapedSoTheyShowAndEditAsThemselves) {
    TAppInfo entry;
    entry.DisplayName = "R&D Tools";
    entry.Publisher = "Foo <beta> \"x\"";
    std::string markup = buildDetailsMarkup(entry);
    EXPECT_NE(std::string::npos, markup.find("class=\"EDIT\">R&amp;D Tools</A>"));
    EXPECT_NE(std::string::npos, markup.find("class=\"EDIT\">Foo &lt;beta&gt; &quot;x&quot;</A>"));

    // The label's own lookups read the real values back.
    EXPECT_EQ("R&D Tools", GetParamValue(markup, "DisplayName"));
    EXPECT_EQ("Foo <beta> \"x\"", GetParamValue(markup, "Publisher"));

    // And the label draws them as written, without a mnemonic underline or a lost tail.
    RecordingCanvas canvas;
    MarkupRequest request;
    request.markup = markup;
    request.rect = {0, 0, 400, 400};
    renderMarkup(canvas, request);
    std::string shown;
    for (const std::string& text : canvas.texts())
        shown += text;
    EXPECT_NE(std::string::npos, shown.find("Display Name : R&D Tools"));
    EXPECT_NE(std::string::npos, shown.find("Publisher : Foo <beta> \"x\""));
}

TEST(DetailsSelectionRules, SelectionEnablesButtonsByWhatTheEntryRegistered) {
    FakeLocale locale;
    TAppInfo entry;
    entry.DisplayName = "Foo";
    DetailsSelection bare = detailsForSelection(&entry, true, locale);
    EXPECT_EQ(std::optional<bool>(true), bare.buttons.deleteEntry);
    EXPECT_FALSE(bare.buttons.remove);
    EXPECT_TRUE(bare.buttons.change); // NoModify 0, even without ModifyPath
    EXPECT_FALSE(bare.buttons.repair);
    EXPECT_FALSE(bare.buttons.modifyProperties);
    EXPECT_EQ(buildDetailsMarkup(entry), bare.markupLine0);

    entry.UninstallString = "u.exe";
    entry.NoRemove = 1; // not consulted
    entry.NoModify = 1;
    entry.InstallSource = "C:\\src";
    entry.NoRepair = 1;                 // not consulted
    entry.PendingPublisher = "pending"; // earlier edits do not enable Modify Properties
    DetailsSelection full = detailsForSelection(&entry, true, locale);
    EXPECT_TRUE(full.buttons.remove);
    EXPECT_FALSE(full.buttons.change);
    EXPECT_TRUE(full.buttons.repair);
    EXPECT_FALSE(full.buttons.modifyProperties);
}

TEST(DetailsSelectionRules, DeselectionDisablesFourButtonsAndKeepsMarkupAndDeleteEntry) {
    FakeLocale locale;
    TAppInfo entry;
    entry.DisplayName = "Foo";
    entry.UninstallString = "u.exe";
    entry.InstallSource = "s";
    DetailsSelection lost = detailsForSelection(&entry, false, locale);
    EXPECT_FALSE(lost.buttons.remove || lost.buttons.change || lost.buttons.repair ||
                 lost.buttons.modifyProperties);
    EXPECT_FALSE(lost.buttons.deleteEntry.has_value());
    EXPECT_FALSE(lost.markupLine0.has_value());
}

// A subkey name the code page cannot hold (marked by a leading "\\") addresses no key: the
// entry is shown, but nothing offers to edit, delete or run anything for it.
TEST(DetailsSelectionRules, AnEntryWhoseNameCannotAddressItsKeyIsShownReadOnly) {
    FakeLocale locale;
    TAppInfo entry;
    entry.KeyName = "\\Victim?Sub";
    entry.DisplayName = "Victim?Sub [name not supported by this system's code page]";
    const DetailsSelection selection = detailsForSelection(&entry, true, locale);
    EXPECT_EQ(std::optional<bool>(false), selection.buttons.deleteEntry);
    EXPECT_FALSE(selection.buttons.remove || selection.buttons.change || selection.buttons.repair);
    ASSERT_TRUE(selection.markupLine0.has_value());
    EXPECT_NE(std::string::npos, selection.markupLine0->find("Victim?Sub [name"));
    EXPECT_EQ(std::string::npos, selection.markupLine0->find("<a "));
    EXPECT_FALSE(recordPropertyEdit(&entry, "DisplayName", "Other"));
    EXPECT_TRUE(entry.PendingDisplayName.empty());
}

} // namespace
} // namespace remvana
