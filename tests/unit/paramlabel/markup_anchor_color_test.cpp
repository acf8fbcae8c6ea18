// Colours of text and anchors, hover and focus, the hit test, and the less common tags.
#include <gtest/gtest.h>

#include "markup_test_support.h"
#include "widgets/paramlabel/label_colors.h"
#include "widgets/paramlabel/markup_colors.h"

namespace remvana {
namespace {

using Kind = CanvasCall::Kind;
constexpr Color kRed = rgb(0xFF, 0, 0);

TEST(MarkupColors, ClosingStyleTagKeepsFontColourButClosingAnchorRestoresBase) {
    RecordingCanvas canvas = labelCanvas();
    renderMarkup(canvas, drawRequest("<font color=\"#FF0000\"><b>x</b>y</font>z"));
    EXPECT_EQ(kRed, canvas.textCall("x").font.color);
    EXPECT_EQ(kRed, canvas.textCall("y").font.color);
    EXPECT_EQ(kBaseTextColor, canvas.textCall("z").font.color);

    canvas.clear();
    MarkupRequest request = drawRequest("<font color=\"#FF0000\">a<a href=\"n\">v</a>w");
    request.paramColor = rgb(0, 0, 0xFF);
    renderMarkup(canvas, request);
    EXPECT_EQ(kRed, canvas.textCall("a").font.color);
    EXPECT_EQ(rgb(0, 0, 0xFF), canvas.textCall("v").font.color);
    EXPECT_TRUE(canvas.textCall("v").font.underline);
    EXPECT_EQ(kBaseTextColor, canvas.textCall("w").font.color);
    EXPECT_FALSE(canvas.textCall("w").font.underline);
}

TEST(MarkupColors, UnderHighContrastOnlyTheLabelsSystemColoursShow) {
    const LabelColors own{rgb(255, 255, 255), rgb(8, 0x37, 0x72), rgb(0, 0, 255),
                          rgb(0x56, 0x7D, 0xB0), rgb(255, 255, 255)};
    EXPECT_EQ(own, labelColors(own, false));
    const LabelColors system = labelColors(own, true);
    EXPECT_EQ((LabelColors{systemColor(kColorWindow), systemColor(kColorWindowText),
                           systemColor(kColorHotLight), systemColor(kColorHighlight),
                           systemColor(kColorHighlightText)}),
              system);

    RecordingCanvas canvas = labelCanvas();
    MarkupRequest request = drawRequest("<p bgcolor=\"#C1DAFB\" bgcolorto=\"#C1DAFB\">head</p>"
                                        "<font color=\"#C00000\" bgcolor=\"#00FF00\">mark</font>"
                                        "<body bgcolor=\"#123456\">");
    request.systemColors = true;
    renderMarkup(canvas, request);
    EXPECT_TRUE(canvas.callsOf(Kind::Fill).empty()); // no band, no body colour
    EXPECT_EQ(kBaseTextColor, canvas.textCall("mark").font.color);
    EXPECT_EQ(kColorNone, canvas.textCall("mark").background);
}

TEST(MarkupColors, NamesIgnoreCaseAndSystemColoursStayUnresolved) {
    EXPECT_EQ(kRed, namedColor("clRed"));
    EXPECT_EQ(kRed, namedColor("CLRED"));
    EXPECT_EQ(kRed, namedColor("clred"));
    EXPECT_EQ(rgb(0x80, 0x80, 0), namedColor("clOlive"));
    EXPECT_EQ(systemColor(15), namedColor("clBtnFace"));
    EXPECT_EQ(systemColor(24), namedColor("clInfoBk"));
    EXPECT_EQ(rgb(0, 0, 0), namedColor("clNoSuchColour"));

    EXPECT_EQ(rgb(0xC1, 0xDA, 0xFB), parseTagColor("#c1dafb"));
    EXPECT_EQ(rgb(0xAB, 0, 0), parseHexColor("#AB"));
    EXPECT_EQ(kColorNone, parseTagColor(""));
    EXPECT_EQ(kRed, parseBodyColor("clRed"));
    EXPECT_EQ(rgb(0, 0xFF, 0), parseBodyColor("x#00FF00"));
    EXPECT_EQ(kColorNone, parseBodyColor("red"));
}

TEST(MarkupColors, FontTagReadsColourNotFromBgcolor) {
    RecordingCanvas canvas = labelCanvas();
    renderMarkup(
        canvas, drawRequest("<font bgcolor=\"#00FF00\" color=\"clBlue\" face=\"Arial\">x</font>y"));
    const CanvasCall& x = canvas.textCall("x");
    EXPECT_EQ(rgb(0, 0, 0xFF), x.font.color);
    EXPECT_EQ(rgb(0, 0xFF, 0), x.background);
    EXPECT_EQ("Arial", x.font.face);
    EXPECT_EQ(kColorNone, canvas.textCall("y").background);
    EXPECT_EQ("Tahoma", canvas.textCall("y").font.face);
}

TEST(MarkupAnchors, HoveredAnchorUsesHoverColoursAndRestoresBackground) {
    RecordingCanvas canvas = labelCanvas();
    MarkupRequest request = drawRequest("<a href=\"a\">one</a> <a href=\"b\">two</a> three");
    request.hoveredAnchor = 2;
    request.hoverColor = rgb(0x56, 0x7D, 0xB0);
    request.hoverFontColor = rgb(0xFF, 0xFF, 0xFF);
    MarkupResult result = renderMarkup(canvas, request);
    EXPECT_EQ(2, result.anchorCount);
    EXPECT_EQ(kColorNone, canvas.textCall("one").background);
    EXPECT_EQ(rgb(0x56, 0x7D, 0xB0), canvas.textCall("two").background);
    EXPECT_EQ(rgb(0xFF, 0xFF, 0xFF), canvas.textCall("two").font.color);
    EXPECT_EQ(kColorNone, canvas.textCall("three").background);
}

TEST(MarkupAnchors, FocusedAnchorGetsTheFocusRectangleAndItsNameReported) {
    RecordingCanvas canvas = labelCanvas();
    MarkupRequest request = drawRequest("ab <a href=\"First\">cd</a> <a href=\"Second\">ef</a>");
    request.focusedAnchor = 1;
    MarkupResult result = renderMarkup(canvas, request);
    EXPECT_EQ("Second", result.focusedAnchorName);
    EXPECT_TRUE(canvas.callsOf(Kind::Frame).empty());
    auto frames = canvas.callsOf(Kind::FocusRect);
    ASSERT_EQ(1u, frames.size());
    // "ab cd " is 36 wide, so "ef" runs from 37 to 49 on a 13-pixel line.
    EXPECT_EQ((Rect{36, 0, 50, 13}), frames[0].rect);
}

TEST(MarkupHitTest, FindsTheAnchorUnderThePointWithItsRectangleAndNumber) {
    const std::string markup = "ab <a href=\"One\">cd</a> <a href=\"Two\">ef</a>";
    RecordingCanvas canvas = labelCanvas();
    MarkupResult hit = renderMarkup(canvas, hitRequest(markup, {40, 6}));
    EXPECT_TRUE(hit.hit);
    EXPECT_EQ("Two", hit.anchorName);
    EXPECT_EQ(2, hit.anchorNumber);
    EXPECT_EQ((Rect{37, 0, 49, 13}), hit.anchorRect);
    EXPECT_TRUE(canvas.texts().empty()); // the hit test draws nothing

    MarkupResult first = renderMarkup(canvas, hitRequest(markup, {20, 6}));
    EXPECT_EQ("One", first.anchorName);
    EXPECT_EQ(1, first.anchorNumber);

    MarkupResult miss = renderMarkup(canvas, hitRequest(markup, {5, 6}));
    EXPECT_FALSE(miss.hit);
    EXPECT_TRUE(miss.anchorName.empty());

    MarkupResult below = renderMarkup(canvas, hitRequest(markup, {40, 30}));
    EXPECT_FALSE(below.hit);
}

TEST(MarkupHitTest, AnchorWrappedAcrossLinesIsHitOnBothLines) {
    // 62 wide: "xxxx " and "aaaa " fill the first line, "bbbb" wraps.
    const std::string markup = "xxxx <a href=\"Wide\">aaaa bbbb</a> after";
    RecordingCanvas canvas = labelCanvas();
    MarkupResult second = renderMarkup(canvas, hitRequest(markup, {10, 20}, 62));
    EXPECT_TRUE(second.hit);
    EXPECT_EQ("Wide", second.anchorName);
    // The rectangle is that of the line holding </A>, starting at its left edge.
    EXPECT_EQ((Rect{1, 13, 25, 26}), second.anchorRect);

    MarkupResult first = renderMarkup(canvas, hitRequest(markup, {35, 5}, 62));
    EXPECT_TRUE(first.hit);
    EXPECT_EQ("Wide", first.anchorName);
    EXPECT_EQ(1, first.anchorNumber);

    MarkupResult after = renderMarkup(canvas, hitRequest(markup, {30, 20}, 62));
    EXPECT_FALSE(after.hit);
}

TEST(MarkupHitTest, LineSpacingAboveTheTextIsNoHit) {
    RecordingCanvas canvas = labelCanvas();
    MarkupRequest request = hitRequest("<a href=\"n\">text</a>", {5, 3});
    request.lineSpacing = 6;
    EXPECT_FALSE(renderMarkup(canvas, request).hit); // text occupies y 6..19
    request.mouse = {5, 10};
    EXPECT_TRUE(renderMarkup(canvas, request).hit);
}

TEST(MarkupHitTest, EmbeddedControlsReportTypeIdAndValue) {
    const std::string markup =
        "a<control type=\"check\" id=\"c1\" value=\"true\"><control type=\"edit\" id=\"e\" "
        "value=\"&lt;v&gt;\" width=\"40\">";
    RecordingCanvas canvas = labelCanvas();
    MarkupResult check = renderMarkup(canvas, hitRequest(markup, {10, 5}));
    EXPECT_TRUE(check.controlHit);
    EXPECT_EQ("CHECK", check.control.type);
    EXPECT_EQ("c1", check.control.id);
    EXPECT_EQ((Rect{7, 0, 23, 16}), check.control.rect);

    MarkupResult edit = renderMarkup(canvas, hitRequest(markup, {30, 5}));
    EXPECT_EQ("e", edit.control.id);
    EXPECT_EQ("<v>", edit.control.value);

    MarkupRequest request = drawRequest(markup);
    request.mouse = {10, 5};
    request.mouseDown = true;
    renderMarkup(canvas, request);
    auto controls = canvas.callsOf(Kind::FrameControl);
    ASSERT_EQ(1u, controls.size());
    EXPECT_TRUE(controls[0].checked);
    EXPECT_TRUE(controls[0].pushed);
    EXPECT_EQ(rgb(0x80, 0x80, 0x80), canvas.callsOf(Kind::Frame).at(0).color);
}

TEST(MarkupTags, RuleIndentRotationHighlightBlinkAndBody) {
    RecordingCanvas canvas = labelCanvas();
    MarkupRequest request =
        drawRequest("<body bgcolor=\"clYellow\">a<hr>b<in x=\"40\">c<r a=\"90\">d</r>"
                    "<hi>e</hi><bl>f</bl>g",
                    120);
    request.labelColor = rgb(1, 1, 1);
    renderMarkup(canvas, request);

    auto fills = canvas.callsOf(CanvasCall::Kind::Fill);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ((Rect{0, 0, 120, 400}), fills[0].rect);
    EXPECT_EQ(rgb(0xFF, 0xFF, 0), fills[0].color);
    EXPECT_EQ(rgb(0xFF, 0xFF, 0), canvas.textCall("a").background);

    // The rule ends the line and lies one pixel below it.
    auto lines = canvas.callsOf(CanvasCall::Kind::Line);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ((Point{1, 14}), lines[0].from);
    EXPECT_EQ((Point{120, 14}), lines[0].to);
    EXPECT_EQ(13, canvas.textCall("b").rect.top);

    EXPECT_EQ(41, canvas.textCall("c").rect.left); // 40 from where text starts
    EXPECT_EQ(900, canvas.textCall("d").font.escapement);
    EXPECT_EQ(0, canvas.textCall("e").font.escapement);
    EXPECT_EQ(systemColor(kColorHighlight), canvas.textCall("e").background);
    EXPECT_EQ(systemColor(kColorHighlightText), canvas.textCall("e").font.color);
    EXPECT_EQ(rgb(1, 1, 1), canvas.textCall("f").font.color); // blinking text is invisible
    EXPECT_EQ(kBaseTextColor, canvas.textCall("g").font.color);
    EXPECT_EQ(rgb(0xFF, 0xFF, 0), canvas.textCall("g").background);
}

TEST(MarkupTags, WithoutWordWrapAnOverflowingRunEndsTheText) {
    RecordingCanvas canvas = labelCanvas();
    MarkupRequest request = drawRequest("aaaa bbbb cccc<br>next", 61);
    request.wordWrap = false;
    renderMarkup(canvas, request);
    EXPECT_EQ(std::vector<std::string>{"aaaa bbbb cccc"}, canvas.texts());
}

} // namespace
} // namespace remvana
