#pragma once
// The markup label's engine: lays the markup out in lines over a Canvas and either draws it,
// only measures it, or finds what lies under a point. It keeps no state between calls, never
// throws on bad markup, and reads nothing outside the text it is given.
#include <string>

#include "platform/canvas.h"

namespace remvana {

// The label's image list, for `idx:` images and tool buttons of embedded controls.
class MarkupImageList {
  public:
    virtual ~MarkupImageList() = default;
    virtual int count() const = 0;
    // Size of every image at its natural size (before the screen density is applied).
    virtual Size imageSize() const = 0;
    virtual void draw(Canvas& canvas, int index, int x, int y) = 0;
};

// A picture named by a "://" source.
class MarkupPicture {
  public:
    virtual ~MarkupPicture() = default;
    virtual bool empty() const = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual int frameCount() const { return 1; }
    virtual Point offset() const { return {}; }
    virtual void draw(Canvas& canvas, const Rect& target) = 0;
};

// Pictures the label keeps for its whole life, found by their source text.
class PictureCache {
  public:
    virtual ~PictureCache() = default;
    // The picture for the source, loading it on first use; null when it cannot be had.
    virtual MarkupPicture* picture(const std::string& source) = 0;
};

// Shell icons for `ssys:` (small) and `lsys:` (large) images: a file or folder path, or a
// number selecting that index of the system image list.
class ShellIconSource {
  public:
    virtual ~ShellIconSource() = default;
    virtual IconHandle shellIcon(const std::string& pathOrIndex, bool large) = 0;
    virtual void releaseIcon(IconHandle icon) = 0;
};

// A shell icon lent by its source for one drawing, handed back to it on every way out.
class LentIcon {
  public:
    LentIcon(ShellIconSource& source, const std::string& pathOrIndex, bool large)
        : source_(source), icon_(source.shellIcon(pathOrIndex, large)) {}
    ~LentIcon() {
        if (icon_) source_.releaseIcon(icon_);
    }
    LentIcon(const LentIcon&) = delete;
    LentIcon& operator=(const LentIcon&) = delete;
    IconHandle get() const { return icon_; }
    explicit operator bool() const { return icon_ != 0; }

  private:
    ShellIconSource& source_;
    IconHandle icon_;
};

enum class MarkupMode { Measure, Draw, HitTest };

struct MarkupRequest {
    std::string markup;
    Rect rect; // the layout rectangle; text starts 1 pixel in from its left edge
    MarkupMode mode = MarkupMode::Draw;
    int lineSpacing = 0;
    bool wordWrap = true;
    MarkupImageList* images = nullptr;
    PictureCache* pictures = nullptr;
    ShellIconSource* shellIcons = nullptr;
    Point mouse{-1, -1};
    bool mouseDown = false; // an embedded control under a held mouse draws pushed
    int hoveredAnchor = -1; // 1-based number, -1 for none
    int focusedAnchor = -1; // 0-based index, -1 for none
    // Hit-test mode only: report the rectangle of the anchor with this 1-based number (of
    // the line holding its closing tag) in anchorRect, anchorNumber and anchorName.
    int locateAnchor = -1;
    Color paramColor = rgb(0, 0x80, 0);
    Color hoverColor = kColorNone;
    Color hoverFontColor = kColorNone;
    Color shadowColor = rgb(0x80, 0x80, 0x80);
    int shadowOffset = 2;
    Color labelColor = rgb(0xFF, 0xFF, 0xFF); // the label's own background colour
    // High contrast: the colours the markup asks for (FONT color and bgcolor, paragraph
    // bands, the BODY's bgcolor) are left out, so only the label's own (system) colours show.
    bool systemColors = false;
};

struct MarkupControlHit {
    std::string type; // upper-cased
    std::string id;
    std::string value;
    Rect rect;
};

struct MarkupResult {
    bool hit = false; // the point lies on an anchor (text, image) or an embedded control
    std::string anchorName;
    Rect anchorRect;
    int anchorNumber = -1; // 1-based
    std::string focusedAnchorName;
    int anchorCount = 0;
    int contentHeight = 0;
    int maxLineWidth = 0;
    bool controlHit = false;
    MarkupControlHit control;
};

// Lays out request.markup in the canvas's current font (the label's base font). The canvas's
// font and background are as on entry when this returns.
MarkupResult renderMarkup(Canvas& canvas, const MarkupRequest& request);

} // namespace remvana
