// Paragraph bands, gradients and images.
#include <gtest/gtest.h>

#include "markup_test_support.h"

namespace remvana {
namespace {

using Kind = CanvasCall::Kind;
constexpr Color kBand = rgb(0xC1, 0xDA, 0xFB);
const std::string kHeading =
    "<p bgcolor=\"#C1DAFB\" bgcolorto=\"#C1DAFB\"><IMG src=\"idx:1\" align=\"top\"> Properties</p>";

TEST(MarkupBands, GradientBandIs64StripsAcrossTheWholeLayoutWidth) {
    RecordingCanvas canvas = labelCanvas();
    MarkupRequest request = drawRequest("<p bgcolor=\"#000000\" bgcolorto=\"#FF0000\">x</p>", 128);
    renderMarkup(canvas, request);
    auto strips = canvas.callsOf(Kind::Fill);
    ASSERT_EQ(64u, strips.size());
    // 128 / 64 = 2, so each strip is 3 wide and overlaps the next by one pixel.
    EXPECT_EQ((Rect{0, 0, 3, 15}), strips[0].rect);
    EXPECT_EQ((Rect{64, 0, 67, 15}), strips[32].rect);
    EXPECT_EQ((Rect{126, 0, 128, 15}), strips[63].rect); // clipped at the right edge
    EXPECT_EQ(rgb(0, 0, 0), strips[0].color);
    EXPECT_EQ(rgb(128, 0, 0), strips[32].color); // 127.5 rounds up
    EXPECT_EQ(rgb(251, 0, 0), strips[63].color);
    // Text on a gradient is transparent.
    EXPECT_EQ(kColorNone, canvas.textCall("x").background);
}

// At 150 % the band reaches 3 pixels below its line and text starts 2 pixels in.
TEST(MarkupBands, BandAndTextOffsetFollowTheScale) {
    RecordingCanvas canvas = labelCanvas();
    canvas.dpi = 144;
    renderMarkup(canvas, drawRequest("<p bgcolor=\"#000000\" bgcolorto=\"#FF0000\">x</p>", 128));
    EXPECT_EQ(13 + 3, canvas.callsOf(Kind::Fill)[0].rect.bottom);
    EXPECT_EQ(2, canvas.textCall("x").rect.left);
}

TEST(MarkupBands, HeadingBandIsSolidFromLineTopToTwoBelowTheBottom) {
    RecordingCanvas canvas = labelCanvas();
    MarkupRequest request = drawRequest(kHeading, 270);
    request.lineSpacing = 6;
    renderMarkup(canvas, request);
    auto strips = canvas.callsOf(Kind::Fill);
    ASSERT_EQ(64u, strips.size());
    for (const CanvasCall& strip : strips) {
        EXPECT_EQ(kBand, strip.color);
        EXPECT_EQ(0, strip.rect.top);
        EXPECT_EQ(19 + 2, strip.rect.bottom);
    }
    EXPECT_EQ(0, strips.front().rect.left);
    EXPECT_EQ(270, strips.back().rect.right);
}

TEST(MarkupBands, SolidBandFillsEveryLineUntilTheParagraphCloses) {
    RecordingCanvas canvas = labelCanvas();
    renderMarkup(canvas, drawRequest("<p bgcolor=\"clRed\">a<br>b</p>c", 100));
    auto fills = canvas.callsOf(Kind::Fill);
    ASSERT_EQ(2u, fills.size());
    EXPECT_EQ((Rect{0, 0, 100, 13}), fills[0].rect);
    EXPECT_EQ((Rect{0, 13, 100, 26}), fills[1].rect);
    EXPECT_EQ(rgb(0xFF, 0, 0), canvas.textCall("a").background);
    EXPECT_EQ(rgb(0xFF, 0, 0), canvas.textCall("b").background);
    EXPECT_EQ(kColorNone, canvas.textCall("c").background);
}

TEST(MarkupImages, IndexedImageWithoutImageListTakesNoRoom) {
    RecordingCanvas canvas = labelCanvas();
    MarkupRequest request = drawRequest(kHeading, 270);
    request.lineSpacing = 6;
    renderMarkup(canvas, request);
    const CanvasCall& text = canvas.textCall("Properties");
    EXPECT_EQ(7, text.rect.left);
    // Level with the line top: the spacing gap moves below the text.
    EXPECT_EQ(13, text.rect.bottom);

    // An index past the list's end is the same.
    FakeImageList images(1, {16, 16});
    request.images = &images;
    canvas.clear();
    renderMarkup(canvas, request);
    EXPECT_TRUE(images.drawn.empty());
    EXPECT_EQ(7, canvas.textCall("Properties").rect.left);
}

TEST(MarkupImages, IndexedImageTakesItsRoomAndShiftsTheTextToTheTop) {
    RecordingCanvas canvas = labelCanvas();
    FakeImageList images(2, {16, 16});
    MarkupRequest request = drawRequest(kHeading, 270);
    request.lineSpacing = 6;
    request.images = &images;
    MarkupResult result = renderMarkup(canvas, request);
    ASSERT_EQ(1u, images.drawn.size());
    EXPECT_EQ(1, images.drawn[0].index);
    EXPECT_EQ(1, images.drawn[0].x);
    EXPECT_EQ(0, images.drawn[0].y);
    const CanvasCall& text = canvas.textCall("Properties");
    EXPECT_EQ(17 + 6, text.rect.left);
    EXPECT_EQ(13, text.rect.bottom);
    EXPECT_EQ(16 + 6, result.contentHeight);

    // At 120 dpi the image takes 20 pixels of the line.
    canvas.dpi = 120;
    canvas.clear();
    renderMarkup(canvas, request);
    EXPECT_EQ(21 + 6, canvas.textCall("Properties").rect.left);
}

TEST(MarkupImages, MiddleAlignmentShiftsHalfAndImageWithoutRoomMovesOn) {
    RecordingCanvas canvas = labelCanvas();
    FakeImageList images(1, {20, 33});
    MarkupRequest request = drawRequest("<img src=\"idx:0\" align=\"middle\">x", 200);
    request.images = &images;
    renderMarkup(canvas, request);
    EXPECT_EQ(33 - 10, canvas.textCall("x").rect.bottom);

    // 30 pixels of room: "abc" leaves 12, too little for the image, which starts line 2.
    canvas.clear();
    images.drawn.clear();
    request.markup = "abc<img src=\"idx:0\">d";
    request.rect = {0, 0, 31, 200};
    renderMarkup(canvas, request);
    ASSERT_EQ(1u, images.drawn.size());
    EXPECT_EQ(13, images.drawn[0].y);
    EXPECT_EQ(21, canvas.textCall("d").rect.left);
}

TEST(MarkupImages, ImageInsideAnAnchorIsPartOfIt) {
    RecordingCanvas canvas = labelCanvas();
    FakeImageList images(1, {16, 16});
    MarkupRequest request = hitRequest("<a href=\"Pic\"><img src=\"idx:0\"></a>", {8, 14});
    request.images = &images;
    MarkupResult result = renderMarkup(canvas, request);
    EXPECT_TRUE(result.hit);
    EXPECT_EQ("Pic", result.anchorName);
    EXPECT_EQ((Rect{1, 0, 17, 16}), result.anchorRect);
}

class FakeIcons : public ShellIconSource {
  public:
    IconHandle shellIcon(const std::string& path, bool large) override {
        asked.push_back(path + (large ? " large" : " small"));
        return 42;
    }
    void releaseIcon(IconHandle icon) override { released.push_back(icon); }
    std::vector<std::string> asked;
    std::vector<IconHandle> released;
};

TEST(MarkupImages, ShellIconsAreDrawnAndReleasedAndRemoteSourcesDrawNothing) {
    RecordingCanvas canvas = labelCanvas();
    FakeIcons icons;
    MarkupRequest request = drawRequest("<img src=\"lsys:c:\\x.txt\"><img src=\"ssys:3\">"
                                        "<img src=\"http://example.invalid/a.png\">z");
    request.shellIcons = &icons;
    renderMarkup(canvas, request);
    EXPECT_EQ((std::vector<std::string>{"C:\\X.TXT large", "3 small"}), icons.asked);
    EXPECT_EQ((std::vector<IconHandle>{42, 42}), icons.released);
    auto drawn = canvas.callsOf(Kind::Icon);
    ASSERT_EQ(2u, drawn.size());
    EXPECT_EQ((Rect{1, 0, 33, 32}), drawn[0].rect);
    EXPECT_EQ((Rect{33, 0, 49, 16}), drawn[1].rect);
    // No picture cache: the remote picture takes no room.
    EXPECT_EQ(49, canvas.textCall("z").rect.left);
}

} // namespace
} // namespace remvana
