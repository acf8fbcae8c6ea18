// Feeds arbitrary markup to the label's engine in every mode. The first bytes choose the
// settings (mode, rectangle, spacing, hover, focus, point); the rest is the markup. Any
// crash, sanitizer report, exception or hang is a finding.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fakes/recording_canvas.h"
#include "widgets/paramlabel/markup_render.h"

namespace {

using namespace remvana;

class FuzzImages : public MarkupImageList {
  public:
    int count() const override { return 3; }
    Size imageSize() const override { return {16, 16}; }
    void draw(Canvas& canvas, int index, int x, int y) override {
        canvas.fillRect(Rect{x, y, x + 16, y + 16}, static_cast<Color>(index));
    }
};

class FuzzPicture : public MarkupPicture {
  public:
    bool empty() const override { return false; }
    int width() const override { return 3; }
    int height() const override { return 2; }
    int frameCount() const override { return 2; }
    void draw(Canvas& canvas, const Rect& target) override { canvas.frameRect(target, 0); }
};

class FuzzPictures : public PictureCache {
  public:
    MarkupPicture* picture(const std::string& source) override {
        return source.find("FILE://") == 0 ? &picture_ : nullptr;
    }

  private:
    FuzzPicture picture_;
};

class FuzzIcons : public ShellIconSource {
  public:
    IconHandle shellIcon(const std::string& path, bool) override { return path.size() + 1; }
    void releaseIcon(IconHandle) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6) return 0;
    FuzzImages images;
    FuzzPictures pictures;
    FuzzIcons icons;
    RecordingCanvas canvas;
    canvas.glyphWidth = 1 + data[0] % 8;
    canvas.dpi = data[0] & 0x80 ? 120 : 96;

    MarkupRequest request;
    request.markup.assign(reinterpret_cast<const char*>(data + 6), size - 6);
    request.rect = {data[1] % 8, data[2] % 8, 20 + data[1] * 2, 20 + data[2] * 4};
    request.lineSpacing = data[3] % 16;
    request.wordWrap = (data[3] & 0x80) == 0;
    request.hoveredAnchor = data[4] % 8 - 1;
    request.focusedAnchor = data[4] / 32 - 1;
    request.hoverColor = data[4] & 1 ? rgb(1, 2, 3) : kColorNone;
    request.hoverFontColor = data[4] & 2 ? rgb(4, 5, 6) : kColorNone;
    request.mouse = {data[5] % 128, data[5] / 2};
    request.mouseDown = data[5] & 1;
    if (data[3] & 0x40) {
        request.images = &images;
        request.pictures = &pictures;
        request.shellIcons = &icons;
    }
    for (MarkupMode mode : {MarkupMode::Measure, MarkupMode::Draw, MarkupMode::HitTest}) {
        request.mode = mode;
        MarkupResult result = renderMarkup(canvas, request);
        if (result.contentHeight < 0 || result.anchorCount < 0 || canvas.clipped) __builtin_trap();
        if (mode != MarkupMode::Draw && !canvas.calls.empty())
            __builtin_trap(); // only drawing draws
        canvas.clear();
    }
    return 0;
}
