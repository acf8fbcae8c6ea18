// The label's painting through real GDI: bands, bevels and borders, local pictures, the
// GDI canvas's measuring, and automatic sizing. Pixels are read back from the window.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "platform/win32/canvas_gdi.h"
#include "widgets/paramlabel/win32/param_label.h"
#include "widgets/paramlabel/win32/param_label_resources.h"
#include "window_fixture.h"

namespace remvana {
namespace {

constexpr COLORREF kBand = RGB(0xC1, 0xDA, 0xFB);
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// A 4 x 4 red 24-bit bitmap file.
void writeRedBitmap(const std::string& path) {
    const int rowBytes = 12;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = 4;
    info.biHeight = 4;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = rowBytes * 4;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::vector<unsigned char> pixels;
    for (int i = 0; i < 16; ++i)
        pixels.insert(pixels.end(), {0x00, 0x00, 0xFF}); // blue, green, red
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(pixels.data()), pixels.size());
}

class ParamLabelPaint : public ::testing::Test {
  protected:
    void SetUp() override {
        host.reset(testing::createHostWindow(Rect{50, 50, 410, 250}));
        ASSERT_TRUE(host);
        label = TParamLabel::create(host.get(), 7, RECT{10, 10, 310, 160});
        ASSERT_NE(nullptr, label);
        ParamLabelLook look = label->look();
        look.Color = rgb(0xFF, 0xFF, 0xFF);
        look.Font = Font{"Tahoma", -11, rgb(0x08, 0x37, 0x72)};
        look.LineSpacing = 6;
        label->setLook(look);
    }
    void TearDown() override { host.reset(); }

    // The label's pixels as painted now.
    COLORREF pixel(int x, int y) {
        RedrawWindow(label->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        pump();
        HDC dc = GetDC(label->hwnd());
        COLORREF value = GetPixel(dc, x, y);
        ReleaseDC(label->hwnd(), dc);
        return value;
    }
    void setLook(void (*change)(ParamLabelLook&)) {
        ParamLabelLook look = label->look();
        change(look);
        label->setLook(look);
    }

    ScopedWindow host;
    TParamLabel* label = nullptr;
};

TEST_F(ParamLabelPaint, DefaultsOfANewLabel) {
    TParamLabel* plain = TParamLabel::create(host.get(), 8, RECT{0, 0, 0, 0});
    ASSERT_NE(nullptr, plain);
    RECT r{};
    GetWindowRect(plain->hwnd(), &r);
    EXPECT_EQ(100, r.right - r.left);
    EXPECT_EQ(32, r.bottom - r.top);
    const ParamLabelLook& look = plain->look();
    EXPECT_EQ(0, look.LineSpacing);
    EXPECT_EQ(rgb(0, 0x80, 0), look.ParamColor);
    EXPECT_TRUE(look.Hover);
    EXPECT_EQ(rgb(0xFF, 0xFF, 0xFF), look.HoverFontColor);
    EXPECT_EQ(2, look.ShadowOffset);
    EXPECT_FALSE(look.Transparent);
    EXPECT_EQ(plain, TParamLabel::fromHandle(plain->hwnd()));
    EXPECT_EQ(nullptr, TParamLabel::fromHandle(host.get()));
}

TEST_F(ParamLabelPaint, HeadingBandCoversTheWholeWidthAndTheRestIsTheLabelColour) {
    label->setHtmlLine(0, "<p bgcolor=\"#C1DAFB\" bgcolorto=\"#C1DAFB\">"
                          "<IMG src=\"idx:1\" align=\"top\"> Properties</p>after");
    HDC dc = GetDC(label->hwnd());
    const int lineHeight = label->render(dc, MarkupMode::Measure, Point{-1, -1}).contentHeight / 2;
    ReleaseDC(label->hwnd(), dc);
    EXPECT_EQ(kBand, pixel(0, 1));
    EXPECT_EQ(kBand, pixel(299, 1));
    // The band runs 2 pixels below its line.
    EXPECT_EQ(kBand, pixel(250, lineHeight + 1));
    EXPECT_EQ(kWhite, pixel(250, lineHeight + 2));
    EXPECT_EQ(kWhite, pixel(250, 140));
}

TEST_F(ParamLabelPaint, WindowTextIsTheMarkupAndSettingItRepaints) {
    SetWindowTextA(label->hwnd(), "<p bgcolor=\"clRed\">red</p>");
    EXPECT_EQ("<p bgcolor=\"clRed\">red</p>", label->htmlLine(0));
    char text[64] = {};
    GetWindowTextA(label->hwnd(), text, sizeof text);
    EXPECT_EQ(std::string("<p bgcolor=\"clRed\">red</p>\r\n"), text);
    EXPECT_EQ(RGB(0xFF, 0, 0), pixel(290, 3));
}

TEST_F(ParamLabelPaint, BevelsAndSingleBorderFrameTheText) {
    setLook([](ParamLabelLook& look) {
        look.BevelOuter = TBevelCut::bvRaised;
        look.BevelWidth = 2;
        look.BorderStyle = TBorderStyle::bsSingle;
        look.BorderWidth = 1;
    });
    label->setHtmlLine(0, "<p bgcolor=\"clRed\">x</p>");
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), pixel(0, 50));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), pixel(299, 50));
    EXPECT_EQ(RGB(0, 0, 0), pixel(2, 50));
    // The band starts inside the frames: bevel 2 + border 1.
    EXPECT_EQ(RGB(0xFF, 0, 0), pixel(3, 4));
    EXPECT_EQ(RGB(0xFF, 0, 0), pixel(296, 4));
}

TEST_F(ParamLabelPaint, LocalPicturesLoadAndOtherSourcesDrawNothing) {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string path = std::string(temp) + "remvana_red.bmp";
    writeRedBitmap(path);
    label->setHtmlLine(0, "<img src=\"file://" + path + "\">");
    EXPECT_EQ(RGB(0xFF, 0, 0), pixel(2, 1));
    EXPECT_EQ(kWhite, pixel(6, 1));
    DeleteFileA(path.c_str());

    FilePictureCache cache;
    EXPECT_TRUE(cache.picture("HTTP://127.0.0.1:9/picture.bmp")->empty());
    EXPECT_TRUE(cache.picture("file://C:\\no\\such\\picture.bmp")->empty());
    EXPECT_EQ("C:\\a\\b.bmp", FilePictureCache::localPath("file:///C:/a/b.bmp"));
    EXPECT_EQ("", FilePictureCache::localPath("ftp://host/b.bmp"));
    label->setHtmlLine(0, "<img src=\"http://127.0.0.1:9/x.bmp\"><p bgcolor=\"clRed\">x</p>");
    EXPECT_EQ(RGB(0xFF, 0, 0), pixel(150, 3));
}

TEST_F(ParamLabelPaint, HoveredAnchorIsPaintedInTheHoverColourAndTheFocusedOneFramed) {
    setLook([](ParamLabelLook& look) {
        look.LineSpacing = 0;
        look.HoverColor = rgb(0x56, 0x7D, 0xB0);
        look.TabStop = true;
    });
    label->setHtmlLine(0, "<a href=\"One\">first anchor</a> <a href=\"Two\">second</a>");
    std::optional<Rect> one = label->anchorRectOf(1);
    std::optional<Rect> two = label->anchorRectOf(2);
    ASSERT_TRUE(one && two);
    EXPECT_EQ(kWhite, pixel(two->left + 1, two->top));

    const int x = (two->left + two->right) / 2, y = (two->top + two->bottom) / 2;
    SendMessageA(label->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    EXPECT_EQ(RGB(0x56, 0x7D, 0xB0), pixel(two->left + 1, two->top));
    EXPECT_EQ(kWhite, pixel(one->left + 1, one->top));

    // With the keyboard focus the first anchor gets the system's dotted focus rectangle.
    // (Wine keeps no keyboard-cue state: WM_QUERYUISTATE always says the cues show.)
    auto darkDotsLeftOfFirst = [&] {
        pixel(0, 0); // painted now
        HDC dc = GetDC(label->hwnd());
        int dark = 0;
        for (int y = one->top; y < one->bottom; ++y)
            dark += GetPixel(dc, one->left - 1, y) == RGB(0, 0, 0) ? 1 : 0;
        ReleaseDC(label->hwnd(), dc);
        return dark;
    };
    SetForegroundWindow(host.get());
    SetFocus(label->hwnd());
    pump();
    ASSERT_EQ(label->hwnd(), GetFocus());
    EXPECT_GT(darkDotsLeftOfFirst(), 2);
    SetFocus(host.get());
    pump();
    EXPECT_EQ(0, darkDotsLeftOfFirst());
}

TEST_F(ParamLabelPaint, GdiCanvasMeasuresAsItDraws) {
    HDC dc = GetDC(label->hwnd());
    {
        GdiCanvas canvas(dc);
        canvas.setFont(Font{"Tahoma", -11, 0});
        Size gh = canvas.textExtent("gh");
        EXPECT_GT(gh.cy, 10);
        EXPECT_LT(gh.cy, 20);
        Rect plain{0, 0, 0, 0};
        canvas.drawText("Hello", plain, text_format::SingleLine | text_format::CalcRect);
        EXPECT_EQ(canvas.textExtent("Hello").cx, plain.width());
        // "&&" draws one ampersand; a lone "&" takes no room.
        Rect doubled{0, 0, 0, 0};
        canvas.drawText("R&&D", doubled, text_format::SingleLine | text_format::CalcRect);
        EXPECT_EQ(canvas.textExtent("R&D").cx, doubled.width());
        Rect mnemonic{0, 0, 0, 0};
        canvas.drawText("R&D", mnemonic, text_format::SingleLine | text_format::CalcRect);
        EXPECT_EQ(canvas.textExtent("RD").cx, mnemonic.width());
        EXPECT_EQ(static_cast<Color>(GetSysColor(COLOR_BTNFACE)),
                  canvas.resolve(systemColor(COLOR_BTNFACE)));
    }
    ReleaseDC(label->hwnd(), dc);
}

TEST_F(ParamLabelPaint, AutoSizingFitsTheControlToItsText) {
    setLook([](ParamLabelLook& look) {
        look.AutoSizing = true;
        look.LineSpacing = 0;
    });
    label->setHtmlLine(0, "<p bgcolor=\"clRed\">abc</p>abcdef");
    pixel(0, 0);
    pump();
    HDC dc = GetDC(label->hwnd());
    MarkupResult measured = label->render(dc, MarkupMode::Measure, Point{-1, -1});
    ReleaseDC(label->hwnd(), dc);
    RECT r{};
    GetWindowRect(label->hwnd(), &r);
    EXPECT_EQ(measured.maxLineWidth + 6, r.right - r.left);
    EXPECT_EQ(measured.contentHeight + 6, r.bottom - r.top);
    EXPECT_LT(r.right - r.left, 100);
}

// Paints and mouse moves (hit tests) over the same markup, and a refresh with it, make no
// font and measure no glyph again; a new font or new markup does.
TEST_F(ParamLabelPaint, KeepsItsFontsAndAdvancesUntilItsFontOrMarkupChanges) {
    const std::string markup = "<b>Publisher</b> <i>Acme</i> <a href=\"P\">Change</a>";
    const std::size_t start = GdiTextCache::fontsMade();
    label->setHtmlLine(0, markup);
    pixel(0, 0);
    const std::size_t fonts = GdiTextCache::fontsMade();
    const std::size_t glyphs = GdiTextCache::glyphsMeasured();
    ASSERT_GE(fonts, start + 3);
    for (int i = 0; i < 100; ++i) {
        SendMessageA(label->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(i * 3, 8));
        label->setHtmlLine(0, markup);
        RedrawWindow(label->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    EXPECT_EQ(fonts, GdiTextCache::fontsMade());
    EXPECT_EQ(glyphs, GdiTextCache::glyphsMeasured());

    setLook([](ParamLabelLook& look) { look.Font.height = -13; });
    pixel(0, 0);
    EXPECT_GE(GdiTextCache::fontsMade(), fonts + 3);
    const std::size_t afterFont = GdiTextCache::fontsMade();
    label->setHtmlLine(0, markup + " ");
    pixel(0, 0);
    EXPECT_GE(GdiTextCache::fontsMade(), afterFont + 3);
}

} // namespace
} // namespace remvana
