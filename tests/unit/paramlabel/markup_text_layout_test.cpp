// Text runs: line breaks, entities, wrapping and the fit of over-long words.
#include <gtest/gtest.h>

#include "markup_test_support.h"

namespace remvana {
namespace {

using Kind = CanvasCall::Kind;

TEST(MarkupLines, BreakTagStartsANewLineButJoinedSourceLinesDoNot) {
    RecordingCanvas canvas = labelCanvas();
    renderMarkup(canvas, drawRequest("A<BR>B"));
    EXPECT_EQ(0, canvas.textCall("A").rect.top);
    EXPECT_EQ(13, canvas.textCall("B").rect.top);
    EXPECT_EQ(1, canvas.textCall("B").rect.left);

    // Two list lines joined for rendering are one run of text.
    canvas.clear();
    MarkupResult joined = renderMarkup(canvas, drawRequest(std::string("A") + "B"));
    EXPECT_EQ(std::vector<std::string>{"AB"}, canvas.texts());
    EXPECT_EQ(13, joined.contentHeight);

    // A carriage return is a break, a line feed nothing.
    canvas.clear();
    renderMarkup(canvas, drawRequest("A\r\nB"));
    EXPECT_EQ(13, canvas.textCall("B").rect.top);
}

TEST(MarkupLines, ContentHeightAndWidestLineAreReported) {
    RecordingCanvas canvas = labelCanvas();
    MarkupRequest request = drawRequest("abc<BR>abcdef <BR>x");
    request.lineSpacing = 6;
    MarkupResult result = renderMarkup(canvas, request);
    EXPECT_EQ(3 * 19, result.contentHeight);
    // The trailing space of "abcdef " does not count.
    EXPECT_EQ(36, result.maxLineWidth);
    EXPECT_EQ(0, result.anchorCount);
}

TEST(MarkupEntities, AmpersandsAndEscapedEntitiesShowLiterally) {
    RecordingCanvas canvas = labelCanvas();
    renderMarkup(canvas, drawRequest("&amp;lt;"));
    EXPECT_EQ(std::vector<std::string>{"&lt;"}, canvas.texts());

    canvas.clear();
    renderMarkup(canvas, drawRequest("x&amp;y"));
    EXPECT_EQ(std::vector<std::string>{"x&y"}, canvas.texts());

    // A bare "&" is the mnemonic prefix: not shown, the next letter underlined.
    canvas.clear();
    renderMarkup(canvas, drawRequest("x&y"));
    EXPECT_EQ(std::vector<std::string>{"xy"}, canvas.texts());

    // Decoded once: an escaped entity text stays an entity text.
    canvas.clear();
    renderMarkup(canvas, drawRequest("A&amp;amp;B &amp;quot;"));
    EXPECT_EQ((std::vector<std::string>{"A&amp;B ", "&quot;"}), canvas.texts());
}

TEST(MarkupEntities, SignsAndAngleBracketsDecode) {
    RecordingCanvas canvas = labelCanvas();
    renderMarkup(canvas, drawRequest("&lt;b&gt;&copy;&euro;&quot;"));
    // A decoded "<" is text, never a tag.
    EXPECT_EQ(std::vector<std::string>{"<b>\u00A9\u20AC\""}, canvas.texts());
    EXPECT_FALSE(canvas.textCall("<b>\u00A9\u20AC\"").font.bold);
}

TEST(MarkupEntities, HashConstructShowsAsPlainText) {
    RecordingCanvas canvas = labelCanvas();
    renderMarkup(canvas, drawRequest("<#FF0000>x"));
    EXPECT_EQ(std::vector<std::string>{"#FF0000x"}, canvas.texts());
}

TEST(MarkupWrap, NonBreakingSpaceKeepsWordsTogether) {
    // 61 wide: 60 pixels of room, ten glyphs.
    RecordingCanvas canvas = labelCanvas();
    renderMarkup(canvas, drawRequest("xxxxx aa&nbsp;bb", 61));
    EXPECT_EQ((std::vector<std::string>{"xxxxx ", "aa bb"}), canvas.texts());
    EXPECT_EQ(13, canvas.textCall("aa bb").rect.top);

    // With an ordinary space "aa " still fits on the first line.
    canvas.clear();
    renderMarkup(canvas, drawRequest("xxxxx aa bb", 61));
    EXPECT_EQ(0, canvas.textCall("aa ").rect.top);
    EXPECT_EQ(13, canvas.textCall("bb").rect.top);
}

TEST(MarkupWrap, OverLongWordStaysOnItsLineAndTheNextWordWraps) {
    RecordingCanvas canvas = labelCanvas();
    MarkupResult result = renderMarkup(canvas, drawRequest("ab verylongwordxx cd", 61));
    EXPECT_EQ(0, canvas.textCall("ab ").rect.top);
    const CanvasCall& longWord = canvas.textCall("verylongwordxx ");
    EXPECT_EQ(0, longWord.rect.top);
    EXPECT_EQ(19, longWord.rect.left);
    EXPECT_EQ(13, canvas.textCall("cd").rect.top);
    EXPECT_EQ(1, canvas.textCall("cd").rect.left);
    EXPECT_EQ(18 + 90 - 6, result.maxLineWidth);

    // Alone on a line, a word wider than the line is drawn once and not split.
    canvas.clear();
    renderMarkup(canvas, drawRequest("abcdefghijklmnopqrstuvwxyz", 31));
    EXPECT_EQ(std::vector<std::string>{"abcdefghijklmnopqrstuvwxyz"}, canvas.texts());
}

TEST(MarkupWrap, LinesBelowTheRectangleAreNotDrawn) {
    RecordingCanvas canvas = labelCanvas();
    renderMarkup(canvas, drawRequest("a<br>b<br>c<br>d", 200, 20));
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), canvas.texts());
}

TEST(MarkupAlignment, ParagraphAlignsTheWholeLineAndFollowingLines) {
    RecordingCanvas canvas = labelCanvas();
    renderMarkup(canvas, drawRequest("ab<P align=\"right\"><br>cdef<p align=\"center\"><br>gh"));
    EXPECT_EQ(200 - 12, canvas.textCall("ab").rect.left);
    // The centring tag stands in this line, so it centres the whole line: 1 + (199 - 24) / 2.
    EXPECT_EQ(1 + 87, canvas.textCall("cdef").rect.left);
    EXPECT_EQ(1 + 93, canvas.textCall("gh").rect.left);

    canvas.clear();
    renderMarkup(canvas, drawRequest("<p indent=\"20\">ab</p>cd"));
    EXPECT_EQ(21, canvas.textCall("ab").rect.left);
    EXPECT_EQ(21, canvas.textCall("cd").rect.left); // </P> keeps the indent
}

TEST(MarkupStyles, StyleRunsOpenAndCloseOnlyTheirOwnBit) {
    RecordingCanvas canvas = labelCanvas();
    renderMarkup(canvas, drawRequest("<b>b<i>bi</b>i</i><u>u</u><s>s</s>n"));
    EXPECT_TRUE(canvas.textCall("b").font.bold);
    EXPECT_TRUE(canvas.textCall("bi").font.bold && canvas.textCall("bi").font.italic);
    EXPECT_FALSE(canvas.textCall("i").font.bold);
    EXPECT_TRUE(canvas.textCall("i").font.italic);
    EXPECT_TRUE(canvas.textCall("u").font.underline);
    EXPECT_TRUE(canvas.textCall("s").font.strikeOut);
    const Font& plain = canvas.textCall("n").font;
    EXPECT_FALSE(plain.bold || plain.italic || plain.underline || plain.strikeOut);
}

TEST(MarkupStyles, HiddenTextTakesNoRoomButItsHeightCounts) {
    RecordingCanvas canvas = labelCanvas();
    renderMarkup(canvas, drawRequest("a<z><font size=\"5\">hidden</font></z>b"));
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), canvas.texts());
    EXPECT_EQ(7, canvas.textCall("b").rect.left);
    // 16 points at 96 dpi are 21 pixels: the line is 23 high.
    EXPECT_EQ(23, canvas.textCall("b").rect.bottom);
}

TEST(MarkupStyles, HiddenTextSpanningLinesStaysHidden) {
    RecordingCanvas canvas = labelCanvas();
    renderMarkup(canvas, drawRequest("a<z>one<br>two</z>b"));
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), canvas.texts());
}

TEST(MarkupStyles, ShadowAndErrorMark) {
    RecordingCanvas canvas = labelCanvas();
    MarkupRequest request = drawRequest("<sh>ab</sh>");
    request.shadowColor = rgb(1, 2, 3);
    request.shadowOffset = 2;
    renderMarkup(canvas, request);
    auto texts = canvas.callsOf(Kind::Text);
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ(rgb(1, 2, 3), texts[0].font.color);
    EXPECT_EQ(texts[1].rect.left + 2, texts[0].rect.left);
    EXPECT_EQ(texts[1].rect.top + 2, texts[0].rect.top);
    EXPECT_EQ(kBaseTextColor, texts[1].font.color);

    canvas.clear();
    renderMarkup(canvas, drawRequest("x<e>abc</e>"));
    auto lines = canvas.callsOf(Kind::Line);
    // From x 6 (7 rounded down to even) in steps of 2 up to the run's end at 25.
    ASSERT_EQ(9u, lines.size());
    EXPECT_EQ((Point{6, 12}), lines[0].from);
    EXPECT_EQ((Point{8, 14}), lines[0].to);
    EXPECT_EQ((Point{8, 14}), lines[1].from);
    EXPECT_EQ(rgb(0xFF, 0, 0), lines[0].color);
}

TEST(MarkupStyles, SubscriptAndSuperscriptDeepenTheLine) {
    RecordingCanvas canvas = labelCanvas();
    MarkupResult result = renderMarkup(canvas, drawRequest("a<sub>2</sub><sup>3</sup>"));
    // Each adds a quarter of the text height (3) to the line.
    EXPECT_EQ(13 + 3 + 3, result.contentHeight);
    EXPECT_EQ(16, canvas.textCall("a").rect.bottom);
    EXPECT_EQ(19, canvas.textCall("2").rect.bottom);
    EXPECT_EQ(13, canvas.textCall("3").rect.bottom);
}

TEST(MarkupLists, ListItemsIndentAndOneItemPerLine) {
    RecordingCanvas canvas = labelCanvas();
    renderMarkup(canvas, drawRequest("<ul><li>one<li>two</ul>"));
    EXPECT_EQ(13, canvas.textCall("one").rect.left);
    EXPECT_EQ(0, canvas.textCall("one").rect.top);
    EXPECT_EQ(13, canvas.textCall("two").rect.top);
    EXPECT_EQ("Symbol", canvas.textCall("\xC2\xB7").font.face);
}

TEST(MarkupRobustness, MalformedMarkupNeverRaisesAndStopsCleanly) {
    RecordingCanvas canvas = labelCanvas();
    renderMarkup(canvas, drawRequest("ab<"));
    EXPECT_EQ(std::vector<std::string>{"ab"}, canvas.texts());

    // A tag never closed swallows the rest.
    canvas.clear();
    renderMarkup(canvas, drawRequest("ab<b cd ef"));
    EXPECT_EQ(std::vector<std::string>{"ab"}, canvas.texts());

    canvas.clear();
    MarkupResult result = renderMarkup(
        canvas, drawRequest("<a href=\"x>y</a><font color=\"#12\" size=\"huge\">z<p align=>"));
    EXPECT_EQ(1, result.anchorCount);
    EXPECT_EQ(rgb(0x12, 0, 0), canvas.textCall("z").font.color);
    EXPECT_EQ(-11, canvas.textCall("z").font.height); // size unreadable: unchanged

    // The canvas is left as it was found.
    EXPECT_EQ(kBaseTextColor, canvas.font().color);
    EXPECT_EQ(kColorNone, canvas.background());
    EXPECT_FALSE(canvas.clipped);
}

TEST(MarkupRobustness, HugeNestingAndSizesAreCappedAndLongMarkupFinishes) {
    RecordingCanvas canvas = labelCanvas();
    renderMarkup(canvas, drawRequest("<font size=\"999999\">big</font>"));
    EXPECT_EQ(-667, canvas.textCall("big").font.height); // 500 points at 96 dpi

    std::string deep;
    for (int i = 0; i < 5000; ++i)
        deep += "<ul>";
    canvas.clear();
    renderMarkup(canvas, drawRequest(deep + "<li>x", 100000));
    EXPECT_EQ(1 + 12 * 1000, canvas.textCall("x").rect.left);

    std::string longMarkup;
    for (int i = 0; i < 20000; ++i)
        longMarkup += "<b>word</b> <a href=\"n\">v</a><br>";
    canvas.clear();
    MarkupRequest request = drawRequest(longMarkup, 300, 1000000);
    request.mode = MarkupMode::Measure;
    MarkupResult result = renderMarkup(canvas, request);
    EXPECT_EQ(20000, result.anchorCount);
    EXPECT_EQ(20000 * 13, result.contentHeight);
}

} // namespace
} // namespace remvana
