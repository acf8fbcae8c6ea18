#pragma once
// Shared set-up of the markup engine suites: a recording canvas in the label's usual font
// and a small image list.
#include <string>
#include <vector>

#include "fakes/recording_canvas.h"
#include "widgets/paramlabel/markup_render.h"

namespace remvana {

class FakeImageList : public MarkupImageList {
  public:
    FakeImageList(int count, Size size) : count_(count), size_(size) {}
    int count() const override { return count_; }
    Size imageSize() const override { return size_; }
    void draw(Canvas&, int index, int x, int y) override { drawn.push_back({index, x, y}); }

    struct Drawn {
        int index;
        int x;
        int y;
    };
    std::vector<Drawn> drawn;

  private:
    int count_;
    Size size_;
};

inline constexpr Color kBaseTextColor = rgb(0x08, 0x37, 0x72);

// Tahoma -11 on the recording canvas: glyphs 6 wide, text 13 high.
inline RecordingCanvas labelCanvas() {
    RecordingCanvas canvas;
    Font font;
    font.color = kBaseTextColor;
    canvas.setFont(font);
    canvas.setBackground(kColorNone);
    return canvas;
}

inline MarkupRequest drawRequest(const std::string& markup, int width = 200, int height = 400) {
    MarkupRequest request;
    request.markup = markup;
    request.rect = {0, 0, width, height};
    request.mode = MarkupMode::Draw;
    return request;
}

inline MarkupRequest hitRequest(const std::string& markup, Point at, int width = 200) {
    MarkupRequest request = drawRequest(markup, width);
    request.mode = MarkupMode::HitTest;
    request.mouse = at;
    return request;
}

} // namespace remvana
