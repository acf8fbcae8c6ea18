#include <gtest/gtest.h>

#include "widgets/paramlabel/param_lookup.h"

namespace remvana {
namespace {

const std::string kTwoSameText =
    "<B>Publisher</B> : <a href=\"Publisher\" class=\"EDIT\">old</A><br>"
    "<B>Contact</B> : <a href=\"Contact\" class=\"EDIT\">old</A><br>";

TEST(ParamLookup, ReadsAttributesAndDecodedValueIgnoringCase) {
    std::string markup = "x <A HREF=\"Speed\" Class=\"LIST\" props=\"a|b&amp;c\" hint=\"How "
                         "fast\">&lt;fast&gt; &amp; &quot;safe&quot;</a> y";
    auto anchor = findParamAnchor(markup, "speed");
    ASSERT_TRUE(anchor);
    EXPECT_EQ("Speed", anchor->href);
    EXPECT_EQ("LIST", anchor->cls);
    EXPECT_EQ("a|b&amp;c", anchor->props);
    EXPECT_EQ("How fast", anchor->hint);
    EXPECT_EQ("<fast> & \"safe\"", GetParamValue(markup, "SPEED"));
    EXPECT_EQ("", GetParamValue(markup, "Missing"));
}

TEST(ParamLookup, AKeywordInsideAnotherValueIsNotAnAttribute) {
    std::string markup = "<a props=\"x href=\" href=\"Real\" hint=\"class=\">v</a>";
    auto anchor = findParamAnchor(markup, "Real");
    ASSERT_TRUE(anchor);
    EXPECT_EQ("", anchor->cls);
    EXPECT_EQ("class=", anchor->hint);
    EXPECT_FALSE(findParamAnchor(markup, "x href="));
}

TEST(ParamWriteBack, OnlyTheNamedAnchorOfTwoWithEqualTextChanges) {
    std::string after = SetParamValue(kTwoSameText, "Contact", "A & B");
    EXPECT_EQ("<B>Publisher</B> : <a href=\"Publisher\" class=\"EDIT\">old</A><br>"
              "<B>Contact</B> : <a href=\"Contact\" class=\"EDIT\">A &amp; B</A><br>",
              after);
    EXPECT_EQ("A & B", GetParamValue(after, "Contact"));
    EXPECT_EQ("old", GetParamValue(after, "Publisher"));
}

TEST(ParamWriteBack, EscapedValuesRoundTripExactly) {
    for (std::string value : {"a<b>c", "\"quoted\"", "&amp;", "&quot;", "&lt;x&gt;", "", "?"}) {
        std::string after = SetParamValue(kTwoSameText, "Publisher", value);
        EXPECT_EQ(value, GetParamValue(after, "Publisher")) << value;
        EXPECT_EQ("old", GetParamValue(after, "Contact")) << value;
        // The markup stays well formed: the escaped text holds no tag or quote of its own.
        EXPECT_EQ(2, ParamAnchorCount(after));
    }
}

TEST(ParamWriteBack, AnchorTextFollowedByAnotherTagDoesNotSpillIntoTheNextAnchor) {
    std::string markup = "<a href=\"A\">x<b>y</b></a> <a href=\"B\">x</a>";
    std::string after = SetParamValue(markup, "A", "new");
    EXPECT_EQ("<a href=\"A\">new<b>y</b></a> <a href=\"B\">x</a>", after);
}

TEST(ParamWriteBack, MissingOrUnclosedAnchorsLeaveTheMarkupAlone) {
    EXPECT_EQ(kTwoSameText, SetParamValue(kTwoSameText, "Nothing", "v"));
    std::string unclosed = "<a href=\"A\">text with no end";
    EXPECT_EQ(unclosed, SetParamValue(unclosed, "A", "v"));
    EXPECT_EQ("text with no end", GetParamValue(unclosed, "A"));
    EXPECT_EQ("", SetParamValue("", "A", "v"));
}

TEST(ParamWriteBack, TextFormOfLinesSurvivesARewriteOfALaterLine) {
    std::vector<std::string> lines = {"first <a href=\"A\">1</a>", "", "<a href=\"B\">2</a>"};
    std::string text = joinMarkupLines(lines);
    EXPECT_EQ("first <a href=\"A\">1</a>\r\n\r\n<a href=\"B\">2</a>\r\n", text);
    std::vector<std::string> back = splitMarkupLines(SetParamValue(text, "B", "two"));
    ASSERT_EQ(3u, back.size());
    EXPECT_EQ(lines[0], back[0]);
    EXPECT_EQ("", back[1]);
    EXPECT_EQ("<a href=\"B\">two</a>", back[2]);
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), splitMarkupLines("a\rb\nc"));
}

TEST(ParamAnchorNumbering, CountsHrefsAndFindsNamesInWrittenCase) {
    EXPECT_EQ(2, ParamAnchorCount(kTwoSameText));
    EXPECT_EQ("Publisher", ParamAnchorHref(kTwoSameText, 0));
    EXPECT_EQ("Contact", ParamAnchorHref(kTwoSameText, 1));
    EXPECT_EQ("", ParamAnchorHref(kTwoSameText, 2));
    EXPECT_EQ("", ParamAnchorHref(kTwoSameText, -1));
    EXPECT_EQ(1, ParamAnchorIndex(kTwoSameText, "CONTACT"));
    EXPECT_EQ(-1, ParamAnchorIndex(kTwoSameText, "Cont"));
    // A keyword without its quote counts, but has no name to hand out.
    std::string odd = "<a href=x>1</a><a href=\"Y\">2</a>";
    EXPECT_EQ(2, ParamAnchorCount(odd));
    EXPECT_EQ("Y", ParamAnchorHref(odd, 0));
}

TEST(ParamLookup, MalformedMarkupNeverReadsPastItsEnd) {
    for (std::string bad : {"<a", "<a href=\"", "<a href=\"X", "<a href=\"X\"", "<a href=\"X\">",
                            "href=\"", "<control id=\"c\" value=\"", "<", "<a href=\"X\" class="}) {
        (void)GetParamValue(bad, "X");
        (void)SetParamValue(bad, "X", "v");
        (void)ParamAnchorHref(bad, 0);
        (void)ParamAnchorIndex(bad, "X");
        EXPECT_EQ(bad, SetControlValue(bad, "c", "TRUE")) << bad;
    }
    EXPECT_EQ("", GetParamValue("<a href=\"X\">", "X"));
}

TEST(ControlValue, RewritesOrAddsTheValueOfTheNamedControlOnly) {
    std::string markup = "<CONTROL type=\"CHECK\" id=\"c1\" value=\"FALSE\"> "
                         "<control type=\"check\" id=\"C2\">";
    EXPECT_EQ("<CONTROL type=\"CHECK\" id=\"c1\" value=\"TRUE\"> "
              "<control type=\"check\" id=\"C2\">",
              SetControlValue(markup, "C1", "TRUE"));
    EXPECT_EQ("<CONTROL type=\"CHECK\" id=\"c1\" value=\"FALSE\"> "
              "<control type=\"check\" id=\"C2\" value=\"TRUE\">",
              SetControlValue(markup, "c2", "TRUE"));
}

} // namespace
} // namespace remvana
