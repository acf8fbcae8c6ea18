// The anchor classes beyond EDIT: what each opens, the events in their order and what ends
// up in the markup.
#include <gtest/gtest.h>

#include "fake_param_label.h"
#include "platform/conversion.h"
#include "widgets/paramlabel/param_editors.h"

namespace remvana {
namespace {

class ParamClassesTest : public ::testing::Test {
  protected:
    ParamClassesTest() {
        auto record = [&](const char* what) {
            return [this, what](TParamLabel*, const std::string& h, std::string& v) {
                log.push_back(std::string(what) + " " + h + "=" + v);
            };
        };
        label.events.OnParamEditStart = record("start");
        label.events.OnParamEditDone = record("done");
        label.events.OnParamSelect = [&](TParamLabel*, const std::string& h, const std::string& v) {
            log.push_back("select " + h + "=" + v);
        };
        label.events.OnParamChanged = [&](TParamLabel*, const std::string& h, const std::string& o,
                                          const std::string& n) {
            log.push_back("changed " + h + " " + o + ">" + n);
        };
    }
    // One anchor of that class, showing text, laid out at (10,0)-(40,14).
    void anchor(const std::string& cls, const std::string& text, const std::string& props = "") {
        host.markup =
            "<a href=\"P\" class=\"" + cls + "\" props=\"" + props + "\">" + text + "</a>\r\n";
        host.areas = {{"P", {10, 0, 40, 14}, 1}};
        log.clear();
    }
    void click() { label.mouseDown({20, 5}); }
    std::string value() { return GetParamValue(host.markup, "P"); }

    FakeLabel host;
    ParamInteraction label{host, nullptr};
    std::vector<std::string> log;
};

TEST_F(ParamClassesTest, ToggleFlipsBetweenItsFirstTwoValuesThroughEditDone) {
    struct Case {
        const char* showing;
        const char* becomes;
    } cases[] = {{"on", "off"}, {"off", "on"}, {"other", "on"}};
    for (const Case& c : cases) {
        anchor("TOGGLE", c.showing, "on|off");
        click();
        EXPECT_EQ(c.becomes, value()) << c.showing;
        EXPECT_EQ((std::vector<std::string>{std::string("done P=") + c.becomes}), log);
        EXPECT_FALSE(label.editing());
    }
    anchor("toggle", "on", "on");
    click();
    EXPECT_EQ("on", value());
    EXPECT_TRUE(log.empty());
}

TEST_F(ParamClassesTest, MenuChoiceSelectsAndReportsOnlyARealChangeNeverEditDone) {
    anchor("MENU", "b", "b|R&amp;D|a");
    label.options.ParamListSorted = true;
    bool popup = true;
    label.events.OnParamPopup = [&](TParamLabel*, const std::string& h,
                                    std::vector<std::string>& values, bool& doPopup) {
        log.push_back("popup " + h + " " + std::to_string(values.size()));
        doPopup = popup;
    };
    host.menuChoice = 1; // "b", the current value
    click();
    // Sorted, and the "&" doubled so the menu shows it instead of a hot key.
    EXPECT_EQ((std::vector<std::string>{"a", "b", "R&&D"}), host.offered);
    // At the anchor's bottom-left ((9,-1)-(41,15) moved down 6), on the screen, 2 px lower.
    EXPECT_EQ((Point{109, 223}), host.editorAt);
    EXPECT_EQ((std::vector<std::string>{"popup P 3", "start P=b", "select P=b"}), log);
    EXPECT_FALSE(label.editing());

    log.clear();
    host.menuChoice = 2;
    click();
    EXPECT_EQ("R&D", value());
    EXPECT_EQ(
        (std::vector<std::string>{"popup P 3", "start P=b", "select P=R&D", "changed P b>R&D"}),
        log);

    // Dismissed, or held back by the handler: nothing changes.
    log.clear();
    host.menuChoice.reset();
    click();
    popup = false;
    host.menuChoice = 0;
    click();
    EXPECT_EQ("R&D", value());
    EXPECT_EQ((std::vector<std::string>{"popup P 3", "start P=R&D", "popup P 3"}), log);
}

TEST_F(ParamClassesTest, ListDropsDownBelowTheAnchorWithTheValueSelected) {
    anchor("LIST", "two", "one|two|three");
    click();
    EXPECT_EQ("list", host.editorKind);
    EXPECT_EQ((Point{109, 221}), host.editorAt);
    EXPECT_EQ((std::vector<std::string>{"one", "two", "three"}), host.offered);
    EXPECT_EQ(1, host.listSelected);
    EXPECT_TRUE(label.editing());
    label.editDone("P", "three");
    EXPECT_EQ("three", value());

    label.events.OnParamList = [](TParamLabel*, const std::string&, std::vector<std::string>& v,
                                  bool& doPopup) {
        v.push_back("four");
        doPopup = v.size() > 5;
    };
    int opens = host.editorOpens;
    click();
    EXPECT_EQ(opens, host.editorOpens);
    EXPECT_FALSE(label.editing());
}

TEST_F(ParamClassesTest, EditorsOpenAtTheirPlacesAndWidthsWithTheirValues) {
    struct Case {
        const char* cls;
        const char* text;
        const char* props;
        const char* kind;
        Point at;
        int width;
        const char* shown;
    } cases[] = {
        {"SPIN", " 42 ", "", "spin", {109, 203}, 32 + 24, "42"},
        {"MASK", "12", "00-0;0", "mask", {111, 203}, 32 + 16, "12-_"},
        // A time sits on 1 January 2005.
        {"DATE", "3/4/2021", "", "date", {109, 203}, 64, "2021-03-04 00:00"},
        {"TIME", "1:05 PM", "", "time", {109, 203}, 64, "2005-01-01 13:05"},
    };
    for (const Case& c : cases) {
        anchor(c.cls, c.text, c.props);
        click();
        EXPECT_EQ(c.kind, host.editorKind) << c.cls;
        EXPECT_EQ(c.at, host.editorAt) << c.cls;
        EXPECT_EQ(c.width, host.editorWidth) << c.cls;
        EXPECT_EQ(c.shown, host.editorText) << c.cls;
        EXPECT_TRUE(label.editing()) << c.cls;
        EXPECT_EQ(std::string("start P=") + c.text, log.at(0)) << c.cls;
    }
}

TEST_F(ParamClassesTest, UnreadableNumbersAndDatesRaiseOverTheOpenEditorTimesDoNot) {
    anchor("SPIN", "lots");
    EXPECT_THROW(click(), ConversionError);
    EXPECT_EQ("spin", host.editorKind);
    EXPECT_EQ("lots", host.editorText);

    anchor("DATE", "31/31/2021");
    try {
        click();
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_STREQ("'31/31/2021' is not a valid date", error.what());
    }
    EXPECT_EQ("date", host.editorKind);
    EXPECT_FALSE(host.pickerValue);

    anchor("TIME", "noon");
    click();
    EXPECT_EQ("time", host.editorKind);
    EXPECT_FALSE(host.pickerValue);
}

TEST_F(ParamClassesTest, DirWritesTheChosenFolderWithoutEditDone) {
    anchor("DIR", "C:\\Tools\\");
    host.folderChoice = "D:\\Apps";
    click();
    EXPECT_EQ("C:\\Tools", host.editorText); // started there, without the backslash
    EXPECT_EQ((Point{109, 221}), host.editorAt);
    EXPECT_EQ("D:\\Apps", value());
    EXPECT_EQ((std::vector<std::string>{"start P=C:\\Tools\\"}), log);
    EXPECT_FALSE(label.editing());

    anchor("DIR", "?");
    host.folderChoice.reset();
    click();
    EXPECT_EQ("C:\\work", host.editorText);
    EXPECT_EQ("?", value());
    EXPECT_FALSE(label.editing());
}

TEST_F(ParamClassesTest, QueryCommitsWhatItsHandlerAnswersAndCustomOnlyHandsOver) {
    anchor("QUERY", "old");
    label.events.OnParamQuery = [](TParamLabel*, const std::string&, std::string& v) { v += "?"; };
    click();
    EXPECT_EQ("old?", value());
    EXPECT_EQ((std::vector<std::string>{"start P=old", "done P=old?"}), log);

    anchor("CUSTOM", "c", "x&lt;y");
    Rect seen;
    std::string seenProps;
    label.events.OnParamCustomEdit = [&](TParamLabel*, const std::string&, const std::string&,
                                         const std::string& props, Rect r) {
        seenProps = props;
        seen = r;
    };
    click();
    EXPECT_EQ("x<y", seenProps);
    EXPECT_EQ((Rect{109, 205, 141, 221}), seen);
    EXPECT_TRUE(label.editing());
    EXPECT_EQ("c", value());
}

TEST(ParamEditorRules, ListValuesMenuCaptionsAndSizes) {
    EXPECT_TRUE(paramListValues("", false).empty());
    EXPECT_EQ((std::vector<std::string>{"b", "", "A"}), paramListValues("b||A", false));
    EXPECT_EQ((std::vector<std::string>{"", "A", "b"}), paramListValues("b||A", true));
    for (const char* value : {"R&D", "&&", "plain", "a&"})
        EXPECT_EQ(value, menuChoiceValue(menuItemCaption(value)));
    EXPECT_EQ("Save", menuChoiceValue("&Save"));
    EXPECT_EQ(110, listBoxWidth(100, false, 17));
    EXPECT_EQ(127, listBoxWidth(100, true, 17));
    EXPECT_EQ(40, spinEditorWidth(3));
    EXPECT_EQ(64, datePickerWidth(30));
    EXPECT_EQ(90, datePickerWidth(90));
}

TEST(ParamEditorRules, FolderBrowserStaysOnTheScreen) {
    const Rect screen{0, 0, 800, 600};
    const Size dialog{300, 400};
    struct Case {
        Point below;
        Point at;
    } cases[] = {
        {{100, 100}, {100, 100}}, // fits
        {{600, 100}, {300, 100}}, // would cross the right edge: moved left by its width
        {{100, 300}, {100, 0}},   // would cross the bottom: above the label (300-400-20)
        {{600, 500}, {300, 80}},  // both
        {{100, 250}, {100, 0}},   // above would be off the top: held at the top
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.at, folderBrowserPosition(c.below, dialog, screen, 20))
            << c.below.x << "," << c.below.y;
    EXPECT_EQ("C:\\", folderBrowserStart("C:\\", ""));
    EXPECT_EQ("C:\\a", folderBrowserStart("", "C:\\a\\"));
}

} // namespace
} // namespace remvana
