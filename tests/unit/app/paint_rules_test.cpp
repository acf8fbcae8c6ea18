#include <gtest/gtest.h>

#include "app/layout.h"
#include "app/paint_rules.h"

namespace remvana {
namespace {

// The bands tile the rect from top to bottom without gaps or overlaps.
void expectTiles(const std::vector<ColorBand>& bands, const Rect& rect) {
    ASSERT_FALSE(bands.empty());
    int y = rect.top;
    for (const ColorBand& band : bands) {
        EXPECT_EQ(y, band.rect.top);
        EXPECT_GT(band.rect.bottom, band.rect.top);
        EXPECT_EQ(rect.left, band.rect.left);
        EXPECT_EQ(rect.right, band.rect.right);
        y = band.rect.bottom;
    }
    EXPECT_EQ(rect.bottom, y);
}

TEST(VerticalGradient, RunsFromTheFirstColourToTheLastInEvenSteps) {
    const Rect rect{0, 0, 10, 160};
    const auto bands = verticalGradient(rect, rgb(0, 0, 0), rgb(150, 30, 255), 16);
    ASSERT_EQ(16u, bands.size());
    expectTiles(bands, rect);
    EXPECT_EQ(rgb(0, 0, 0), bands.front().color);
    EXPECT_EQ(rgb(150, 30, 255), bands.back().color);
    EXPECT_EQ(rgb(10, 2, 17), bands[1].color);
    for (const auto& band : bands)
        EXPECT_EQ(10, band.rect.height());
}

TEST(VerticalGradient, ShortRectsGetFewerBandsButStayCovered) {
    const Rect rect{5, 3, 50, 19};
    const auto bands = verticalGradient(rect, rgb(255, 255, 255), rgb(0, 0, 0), 128);
    EXPECT_EQ(16u, bands.size());
    expectTiles(bands, rect);
    EXPECT_EQ(rgb(0, 0, 0), bands.back().color);
    EXPECT_TRUE(verticalGradient({0, 0, 10, 0}, 0, 0, 128).empty());
    EXPECT_TRUE(verticalGradient({0, 0, 0, 10}, 0, 0, 128).empty());
}

TEST(PanelBody, TwoHalvesMeetInTheMiddleWithTheUpperOneSmaller) {
    using namespace layout;
    const Rect toolBar{0, 0, 875, 33};
    const auto bands = panelBody(toolBar);
    expectTiles(bands, toolBar);
    // Upper half 0..16 from Color to ColorTo, lower half 16..33 from the mirror colours.
    int upperBottom = 0;
    for (const auto& band : bands)
        if (band.rect.bottom <= 16) upperBottom = band.rect.bottom;
    EXPECT_EQ(16, upperBottom);
    const auto lowerFirst = std::find_if(bands.begin(), bands.end(),
                                         [](const ColorBand& b) { return b.rect.top == 16; });
    ASSERT_NE(bands.end(), lowerFirst);
    EXPECT_EQ(kPanelColorTo, std::prev(lowerFirst)->color);
    EXPECT_EQ(kPanelMirrorTo, bands.back().color);
}

TEST(ToolButtonLook, StatesOfTheFlatButton) {
    using namespace layout;
    constexpr Color white = rgb(255, 255, 255);

    const ToolButtonLook idle = toolButtonLook(true, false, false);
    EXPECT_EQ(rgb(0, 0, 0), idle.border);
    EXPECT_EQ(white, idle.faceFrom);
    EXPECT_EQ(white, idle.faceTo);
    EXPECT_FALSE(idle.embossedCaption);

    const ToolButtonLook hot = toolButtonLook(true, true, false);
    EXPECT_EQ(kButtonHotBorder, hot.border);
    const auto face = toolButtonFace({0, 0, 114, 22}, hot);
    EXPECT_EQ(16u, face.size());
    EXPECT_EQ(white, face.front().color);
    EXPECT_EQ(rgb(0xCB, 0xE1, 0xFC), face.back().color);

    const ToolButtonLook pressed = toolButtonLook(true, true, true);
    EXPECT_EQ(kButtonHotBorder, pressed.border);
    EXPECT_EQ(white, pressed.faceTo);

    // A disabled button ignores the mouse and embosses its caption.
    const ToolButtonLook disabled = toolButtonLook(false, true, true);
    EXPECT_EQ(rgb(0, 0, 0), disabled.border);
    EXPECT_EQ(white, disabled.faceTo);
    EXPECT_TRUE(disabled.embossedCaption);
    EXPECT_EQ(kButtonCaptionColor, idle.caption);
}

TEST(HighContrast, OwnColoursGiveWayToTheSystemsOnlyWhileItIsOn) {
    struct Case {
        ColorRole role;
        int systemIndex;
    };
    const Color own = rgb(0x56, 0x7D, 0xB0);
    for (const Case& c : {Case{ColorRole::Window, 5}, Case{ColorRole::WindowText, 8},
                          Case{ColorRole::Highlight, 13}, Case{ColorRole::HighlightText, 14},
                          Case{ColorRole::HotLight, 26}, Case{ColorRole::ButtonFace, 15},
                          Case{ColorRole::ButtonText, 18}, Case{ColorRole::GrayText, 17}}) {
        EXPECT_EQ(own, contrastColor(false, c.role, own)) << c.systemIndex;
        EXPECT_EQ(systemColor(c.systemIndex), contrastColor(true, c.role, own)) << c.systemIndex;
    }
}

TEST(HighContrast, ToolButtonsBecomePlainSystemButtons) {
    const ToolButtonLook idle = toolButtonLook(true, false, false, true);
    EXPECT_EQ(systemColor(kColorBtnFace), idle.faceFrom);
    EXPECT_EQ(idle.faceFrom, idle.faceTo);
    EXPECT_EQ(systemColor(kColorBtnText), idle.border);
    EXPECT_EQ(systemColor(kColorBtnText), idle.caption);

    const ToolButtonLook hot = toolButtonLook(true, true, false, true);
    EXPECT_EQ(systemColor(kColorHighlight), hot.faceTo);
    EXPECT_EQ(systemColor(kColorHighlightText), hot.caption);
    EXPECT_EQ((std::vector<ColorBand>{{{0, 0, 114, 22}, systemColor(kColorHighlight)}}),
              toolButtonFace({0, 0, 114, 22}, hot));

    // Disabled: grey text instead of the embossed blue, whatever the mouse does.
    const ToolButtonLook disabled = toolButtonLook(false, true, true, true);
    EXPECT_FALSE(disabled.embossedCaption);
    EXPECT_EQ(systemColor(kColorBtnFace), disabled.faceFrom);
    EXPECT_EQ(systemColor(kColorGrayText), disabled.caption);
}

TEST(HighContrast, PanelsAndTheStatusBarAreOnePlainSystemColour) {
    using namespace layout;
    const Rect bar{0, 0, 300, 19};
    EXPECT_EQ((std::vector<ColorBand>{{bar, systemColor(kColorWindow)}}), panelBody(bar, true));
    EXPECT_EQ((std::vector<ColorBand>{{bar, systemColor(kColorBtnFace)}}),
              statusPanelFace(bar, true));
    EXPECT_GT(statusPanelFace(bar, false).size(), 1u);
    const StatusBarLook own = statusBarLook(false);
    EXPECT_EQ(kStatusBarBorder, own.border);
    EXPECT_EQ(kStatusTextColor, own.text);
    const StatusBarLook contrast = statusBarLook(true);
    EXPECT_EQ(systemColor(kColorBtnText), contrast.border);
    EXPECT_EQ(systemColor(kColorBtnText), contrast.text);
}

} // namespace
} // namespace remvana
