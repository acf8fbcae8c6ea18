#pragma once
// What the markup engine draws besides text, on Windows: the label's image list, the
// picture cache and the shell's icons.
#include <windows.h>

#include <commctrl.h>

#include <map>
#include <memory>
#include <string>

#include "platform/win32/scoped_handles.h"
#include "widgets/paramlabel/markup_render.h"

namespace remvana {

// An HIMAGELIST (not owned) drawn onto a GDI canvas. The list is made for the scale it is
// shown at (`dpi`); its images report their size at 96 DPI, which the engine scales back.
class ImageListImages : public MarkupImageList {
  public:
    explicit ImageListImages(HIMAGELIST list, int dpi = 96) : list_(list), dpi_(dpi) {}
    int count() const override;
    Size imageSize() const override;
    void draw(Canvas& canvas, int index, int x, int y) override;

  private:
    HIMAGELIST list_;
    int dpi_;
};

// A bitmap loaded from a local file (owned).
class BitmapPicture : public MarkupPicture {
  public:
    explicit BitmapPicture(HBITMAP bitmap);
    bool empty() const override { return !bitmap_; }
    int width() const override { return width_; }
    int height() const override { return height_; }
    void draw(Canvas& canvas, const Rect& target) override;

  private:
    ScopedBitmap bitmap_;
    int width_ = 0;
    int height_ = 0;
};

// Pictures for "://" sources. Only local "file://" bitmaps are ever loaded: the label makes
// no network requests, and a source it cannot load is remembered as empty so it is not
// tried again on every paint.
class FilePictureCache : public PictureCache {
  public:
    MarkupPicture* picture(const std::string& source) override;
    // The local path of a "file://" source ("file:///C:/a.bmp", "file://C:\a.bmp"), or empty.
    static std::string localPath(const std::string& source);

  private:
    std::map<std::string, std::unique_ptr<BitmapPicture>> pictures_;
};

class ShellIcons : public ShellIconSource {
  public:
    IconHandle shellIcon(const std::string& pathOrIndex, bool large) override;
    void releaseIcon(IconHandle icon) override;
};

// Everything a label keeps for the engine.
class ParamLabelResources {
  public:
    FilePictureCache pictures;
    ShellIcons shellIcons;
};

} // namespace remvana
