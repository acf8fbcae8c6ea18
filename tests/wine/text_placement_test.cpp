// Text takes exactly the room it was measured to take: runs drawn one after another look
// like one run, glyphs stand where GDI itself puts them, underlines end with the last
// letter, in the GDI canvas, the details label's anchors and the link labels.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "app/layout.h"
#include "platform/win32/canvas_gdi.h"
#include "widgets/paramlabel/win32/param_label.h"
#include "window_fixture.h"

namespace remvana::testing {
namespace {

namespace tf = text_format;
constexpr unsigned kRunFormat = tf::SingleLine | tf::Bottom | tf::ExpandTabs | tf::ExternalLeading;
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
const Font kPlain{"Tahoma", -11, 0};

// A white 32-bit memory surface to draw into and read back.
class Surface {
  public:
    Surface(int width, int height) : width_(width), height_(height) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_);
        clear();
    }
    ~Surface() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void clear() {
        RECT all{0, 0, width_, height_};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    // A copy of what a window shows in its client area.
    void copyFrom(HWND hwnd) {
        HDC source = GetDC(hwnd);
        BitBlt(dc_, 0, 0, width_, height_, source, 0, 0, SRCCOPY);
        ReleaseDC(hwnd, source);
    }
    COLORREF at(int x, int y) const {
        GdiFlush();
        return GetPixel(dc_, x, y);
    }
    std::vector<COLORREF> all() const {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                pixels.push_back(at(x, y));
        return pixels;
    }

  private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

// How much of `area` on a surface is ink (not background), row by row and column by column.
struct InkProfile {
    std::vector<int> perRow;
    std::vector<int> perColumn; // counted over rows [top, glyphBottom) only
};

InkProfile inkOf(const Surface& surface, const Rect& area, COLORREF background, int glyphBottom) {
    InkProfile ink;
    ink.perRow.assign(static_cast<std::size_t>(area.height()), 0);
    ink.perColumn.assign(static_cast<std::size_t>(area.width()), 0);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            if (surface.at(x, y) == background) continue;
            ++ink.perRow[static_cast<std::size_t>(y - area.top)];
            if (y < glyphBottom) ++ink.perColumn[static_cast<std::size_t>(x - area.left)];
        }
    return ink;
}

// The row (from area.top) whose every column is ink: the underline; -1 when none is.
int fullRow(const InkProfile& ink, int width) {
    for (std::size_t row = ink.perRow.size(); row-- > 0;)
        if (ink.perRow[row] == width) return static_cast<int>(row);
    return -1;
}

int lastInkColumn(const InkProfile& ink) {
    for (std::size_t x = ink.perColumn.size(); x-- > 0;)
        if (ink.perColumn[x] > 0) return static_cast<int>(x);
    return -1;
}

// The widest run of columns without ink between the first and the last inked column.
int widestGap(const InkProfile& ink) {
    int widest = 0, run = 0;
    bool started = false;
    for (int count : ink.perColumn) {
        if (count > 0) {
            widest = started ? std::max(widest, run) : widest;
            started = true;
            run = 0;
        } else {
            ++run;
        }
    }
    return widest;
}

int measuredWidth(GdiCanvas& canvas, const std::string& text, unsigned format) {
    Rect box{0, 0, 0, 0};
    canvas.drawText(text, box, format | tf::CalcRect);
    return box.width();
}

// The text cut the way the details label cuts its runs: after every space.
std::vector<std::string> wordRuns(const std::string& text) {
    std::vector<std::string> runs;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t space = text.find(' ', from);
        std::size_t end = space == std::string::npos ? text.size() : space + 1;
        runs.push_back(text.substr(from, end - from));
        from = end;
    }
    return runs;
}

void drawOnCanvas(const Surface& surface, const Font& font,
                  const std::function<void(GdiCanvas&)>& draw) {
    GdiCanvas canvas(surface.dc());
    canvas.setFont(font);
    draw(canvas);
}

// Text in Tahoma, caption buttons' glyphs in Marlett, list bullets in Symbol: a font that
// is missing is silently replaced by one that draws other letters or other sizes.
TEST(TextPlacement, TheFontsTheWindowDrawsWithAreThere) {
    Surface surface(1, 1);
    for (const char* face : {"Tahoma", "Marlett", "Symbol"}) {
        HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, face);
        HGDIOBJ old = SelectObject(surface.dc(), font);
        char chosen[LF_FACESIZE] = {};
        GetTextFaceA(surface.dc(), sizeof chosen, chosen);
        SelectObject(surface.dc(), old);
        DeleteObject(font);
        EXPECT_STREQ(face, chosen);
    }
}

TEST(TextPlacement, RunsDrawnOneAfterAnotherLookLikeTheWholeText) {
    const std::string text = "Quill Notes by Featherlight Software";
    Font bold = kPlain;
    bold.bold = true;
    Font underlined = kPlain;
    underlined.underline = true;
    for (const Font& font : {kPlain, bold, underlined}) {
        Surface whole(320, 20), pieces(320, 20);
        drawOnCanvas(whole, font, [&](GdiCanvas& canvas) {
            Rect box{10, 0, 320, 18};
            canvas.drawText(text, box, kRunFormat);
        });
        drawOnCanvas(pieces, font, [&](GdiCanvas& canvas) {
            int x = 10;
            for (const std::string& run : wordRuns(text)) {
                Rect box{x, 0, 320, 18};
                canvas.drawText(run, box, kRunFormat);
                x += measuredWidth(canvas, run, kRunFormat);
            }
        });
        EXPECT_TRUE(whole.all() == pieces.all())
            << "bold " << font.bold << ", underline " << font.underline;
    }
}

TEST(TextPlacement, GlyphsStandWhereGdiItselfPutsThem) {
    const std::string text = "Display Name https://help.example.com/full";
    for (bool bold : {false, true}) {
        Font font = kPlain;
        font.bold = bold;
        Surface canvasDrawn(300, 20), gdiDrawn(300, 20);
        drawOnCanvas(canvasDrawn, font, [&](GdiCanvas& canvas) {
            Rect box{4, 2, 300, 20};
            canvas.drawText(text, box, tf::SingleLine | tf::NoPrefix);
        });
        HFONT gdiFont = CreateFontA(-11, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
        HGDIOBJ old = SelectObject(gdiDrawn.dc(), gdiFont);
        SetBkMode(gdiDrawn.dc(), TRANSPARENT);
        SetTextColor(gdiDrawn.dc(), RGB(0, 0, 0));
        TextOutA(gdiDrawn.dc(), 4, 2, text.c_str(), static_cast<int>(text.size()));
        SelectObject(gdiDrawn.dc(), old);
        DeleteObject(gdiFont);
        EXPECT_TRUE(canvasDrawn.all() == gdiDrawn.all()) << "bold " << bold;
    }
    // A single letter sits in its rectangle where DrawText puts it.
    for (unsigned format : {kRunFormat, tf::SingleLine | tf::VCenter, tf::SingleLine}) {
        Surface canvasDrawn(40, 40), gdiDrawn(40, 40);
        drawOnCanvas(canvasDrawn, kPlain, [&](GdiCanvas& canvas) {
            Rect box{5, 3, 35, 37};
            canvas.drawText("Q", box, format);
        });
        drawOnCanvas(gdiDrawn, kPlain, [&](GdiCanvas&) {
            RECT box{5, 3, 35, 37};
            DrawTextA(gdiDrawn.dc(), "Q", 1, &box, format);
        });
        EXPECT_TRUE(canvasDrawn.all() == gdiDrawn.all()) << "format " << format;
    }
}

TEST(TextPlacement, UnderlineRunsUnderTheTextToItsLastLetter) {
    Font font = kPlain;
    font.underline = true;
    const std::string text = "https://help.example.com/full";
    Surface surface(260, 20);
    int width = 0;
    drawOnCanvas(surface, font, [&](GdiCanvas& canvas) {
        width = measuredWidth(canvas, text, kRunFormat);
        Rect box{10, 0, 260, 18};
        canvas.drawText(text, box, kRunFormat);
    });
    ASSERT_GT(width, 100);
    const InkProfile ink = inkOf(surface, Rect{10, 0, 10 + width, 18}, kWhite, 14);
    const int underline = fullRow(ink, width);
    ASSERT_GE(underline, 14) << "no underline across the measured width";
    EXPECT_EQ(kWhite, surface.at(10 + width, underline));
    // The last letter's ink ends within its right side bearing of the measured end.
    EXPECT_GE(lastInkColumn(inkOf(surface, Rect{10, 0, 10 + width, 18}, kWhite, underline)),
              width - 3);
}

TEST(TextPlacement, PrefixMarksAndTabsAreLaidOutAsDrawTextDoes) {
    Surface surface(200, 20);
    GdiCanvas canvas(surface.dc());
    canvas.setFont(kPlain);
    // "&&" shows one ampersand, a lone "&" none and underlines the next letter.
    EXPECT_EQ(canvas.layoutLine("R&D", tf::NoPrefix).width,
              measuredWidth(canvas, "R&&D", tf::SingleLine));
    const TextLine marked = canvas.layoutLine("&Save", tf::SingleLine);
    EXPECT_EQ(L"Save", marked.shown);
    EXPECT_EQ(0, marked.mnemonic);
    EXPECT_EQ(L"A", canvas.layoutLine("A&", tf::SingleLine).shown);
    EXPECT_EQ(L"A&", canvas.layoutLine("A&", tf::NoPrefix).shown);
    Rect box{10, 0, 200, 18};
    canvas.drawText("&Save", box, tf::SingleLine);
    TEXTMETRICA metrics{};
    GetTextMetricsA(surface.dc(), &metrics);
    const int underlineY = metrics.tmAscent + 1;
    const int sWidth = canvas.layoutLine("S", 0).width;
    EXPECT_NE(kWhite, surface.at(10, underlineY));
    EXPECT_NE(kWhite, surface.at(10 + sWidth - 2, underlineY));
    EXPECT_EQ(kWhite, surface.at(10 + sWidth, underlineY));

    // A tab moves on to the next stop of eight average character widths.
    const int stop = static_cast<int>(metrics.tmAveCharWidth) * 8;
    const TextLine tabbed = canvas.layoutLine("ab\tc", tf::ExpandTabs);
    EXPECT_EQ(L"ab c", tabbed.shown);
    EXPECT_EQ(stop + canvas.layoutLine("c", 0).width, tabbed.width);
    EXPECT_EQ(L'\t', canvas.layoutLine("ab\tc", 0).shown[2]);
}

// The program's text is UTF-8: a character of several bytes is one glyph with one advance,
// a truncated sequence one replacement character, and a prefix mark covers a whole
// character. An emoji the fonts have no glyph for (none of the test prefix's fonts has
// one) is one box, not the two Wine draws for its two UTF-16 units.
TEST(TextPlacement, TextIsLaidOutByCharactersNotBytes) {
    Surface surface(200, 20);
    GdiCanvas canvas(surface.dc());
    canvas.setFont(kPlain);
    const TextLine mixed =
        canvas.layoutLine("Caf\u00E9 \u65E5\u672C\u8A9E \U0001F600", tf::NoPrefix);
    EXPECT_EQ(L"Caf\u00E9 \u65E5\u672C\u8A9E \xD83D", mixed.shown);
    ASSERT_EQ(mixed.shown.size(), mixed.advances.size());
    for (std::size_t i = 0; i < mixed.advances.size(); ++i)
        EXPECT_GT(mixed.advances[i], 0) << "unit " << i;
    const std::string truncated = std::string("a\xE6\x97") + "b";
    EXPECT_EQ(L"a\uFFFDb", canvas.layoutLine(truncated, tf::NoPrefix).shown);
    EXPECT_EQ(L"\uFFFD", canvas.layoutLine("\xF0\x9F\x98", tf::NoPrefix).shown);

    const TextLine cjk = canvas.layoutLine("&\u65E5x", tf::SingleLine);
    EXPECT_EQ(0, cjk.mnemonic);
    EXPECT_EQ(1, cjk.mnemonicUnits);
    const TextLine emoji = canvas.layoutLine("a&\U0001F600", tf::SingleLine);
    EXPECT_EQ(1, emoji.mnemonic);
    EXPECT_EQ(static_cast<int>(emoji.shown.size()) - 1, emoji.mnemonicUnits);

    // Each CJK character is drawn inside the cell it was measured to take: ink in every
    // cell, and none past the last.
    const std::string word = "\u65E5\u672C\u8A9E";
    const TextLine laid = canvas.layoutLine(word, tf::NoPrefix);
    Rect box{10, 0, 200, 18};
    canvas.drawText(word, box, kRunFormat);
    int left = 10;
    for (int advance : laid.advances) {
        const InkProfile cell = inkOf(surface, Rect{left, 0, left + advance, 18}, kWhite, 18);
        EXPECT_GE(lastInkColumn(cell), 0) << "an empty cell at x " << left;
        left += advance;
    }
    EXPECT_EQ(-1, lastInkColumn(inkOf(surface, Rect{left + 1, 0, 200, 18}, kWhite, 18)));
}

class TextPlacementInLabel : public ::testing::Test {
  protected:
    void SetUp() override {
        host.reset(createHostWindow(Rect{40, 40, 380, 120}));
        ASSERT_TRUE(host);
        label = TParamLabel::create(host.get(), 7, RECT{0, 0, 320, 60});
        ASSERT_NE(nullptr, label);
        ParamLabelLook look = label->look();
        look.Color = rgb(0xFF, 0xFF, 0xFF);
        look.Font = kPlain;
        label->setLook(look);
    }
    void TearDown() override { host.reset(); }

    ScopedWindow host;
    TParamLabel* label = nullptr;
};

TEST_F(TextPlacementInLabel, AnchorWordsAreOneSpaceApartOverAnUnbrokenUnderline) {
    const std::string value = "Featherlight Software";
    label->setHtmlLine(0,
                       "<B>Publisher</B> : <a href=\"Publisher\" class=\"EDIT\">" + value + "</A>");
    std::optional<Rect> anchor = label->anchorRectOf(1);
    ASSERT_TRUE(anchor);
    RedrawWindow(label->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    pumpMessages(20);
    Surface shown(320, 60);
    shown.copyFrom(label->hwnd());

    const int width = anchor->width();
    const Rect area{anchor->left, anchor->top, anchor->right, anchor->bottom};
    const int underline = fullRow(inkOf(shown, area, kWhite, area.bottom), width);
    ASSERT_GE(underline, 0) << "the underline is broken somewhere under the anchor";
    const InkProfile glyphs = inkOf(shown, area, kWhite, area.top + underline);
    EXPECT_GE(lastInkColumn(glyphs), width - 3);

    // The gap between the words is the one the whole value shows drawn in one piece.
    Surface reference(200, 20);
    int referenceWidth = 0;
    drawOnCanvas(reference, Font{"Tahoma", -11, 0}, [&](GdiCanvas& canvas) {
        referenceWidth = measuredWidth(canvas, value, kRunFormat);
        Rect box{0, 0, 200, 18};
        canvas.drawText(value, box, kRunFormat);
    });
    EXPECT_EQ(referenceWidth, width);
    EXPECT_EQ(widestGap(inkOf(reference, Rect{0, 0, referenceWidth, 18}, kWhite, 18)),
              widestGap(glyphs));
}

class LinkLabelText : public MainWindowFixture {};

TEST_F(LinkLabelText, EachLinkIsAsWideAsItsTextAndUnderlinedToItsLastLetter) {
    openWindow();
    const COLORREF background[] = {RGB(0xD7, 0xE6, 0xF9), RGB(0xE9, 0xF1, 0xFA),
                                   RGB(0xE9, 0xF1, 0xFA), RGB(0xE9, 0xF1, 0xFA)};
    const HWND labels[] = {
        controlOf(form(), layout::kStartupLabelId), controlOf(form(), layout::kSiteLabelId),
        controlOf(form(), layout::kSuggestLabelId), controlOf(form(), layout::kMailToLabelId)};
    for (int i = 0; i < 4; ++i) {
        const HWND label = labels[i];
        const std::string text = windowText(label);
        const Size size = clientSizeOf(label);
        Surface measure(1, 1);
        int textWidth = 0;
        drawOnCanvas(measure, layout::kLinkFont, [&](GdiCanvas& canvas) {
            textWidth = measuredWidth(canvas, text, tf::SingleLine | tf::NoPrefix);
        });
        EXPECT_EQ(textWidth, size.cx) << text;

        RedrawWindow(label, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        pumpMessages(20);
        Surface shown(size.cx, size.cy);
        shown.copyFrom(label);
        const Rect area{0, 0, size.cx, size.cy};
        const int underline = fullRow(inkOf(shown, area, background[i], size.cy), size.cx);
        ASSERT_GE(underline, 0) << text;
        EXPECT_GE(lastInkColumn(inkOf(shown, area, background[i], underline)), size.cx - 3) << text;
    }
}

} // namespace
} // namespace remvana::testing
