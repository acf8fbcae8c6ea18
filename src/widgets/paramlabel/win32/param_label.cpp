// The label window: its class, properties and double-buffered painting. The mouse and
// keyboard side is param_label_input.cpp.
#include "widgets/paramlabel/win32/param_label.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/win32/canvas_gdi.h"
#include "platform/win32/display_cues.h"
#include "platform/win32/display_dpi.h"
#include "widgets/paramlabel/param_lookup.h"
#include "widgets/paramlabel/win32/param_label_accessible.h"
#include "widgets/paramlabel/win32/param_label_resources.h"
#include "widgets/paramlabel/win32/popup_date_picker.h"
#include "widgets/paramlabel/win32/popup_edit.h"
#include "widgets/paramlabel/win32/popup_list_box.h"
#include "widgets/paramlabel/win32/popup_mask_edit.h"
#include "widgets/paramlabel/win32/popup_spin_edit.h"

namespace remvana {
namespace {

// A bevel: two edges in the highlight colour (top, left) and two in the shadow colour
// (bottom, right), swapped for a lowered bevel; the area shrinks by its width.
void drawBevel(HDC dc, RECT& area, TBevelCut cut, int width) {
    if (cut == TBevelCut::bvNone) return;
    COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
    if (cut == TBevelCut::bvLowered) std::swap(light, dark);
    for (int i = 0; i < width && area.right > area.left && area.bottom > area.top; ++i) {
        fillSolid(dc, RECT{area.left, area.top, area.right, area.top + 1}, light);
        fillSolid(dc, RECT{area.left, area.top, area.left + 1, area.bottom}, light);
        fillSolid(dc, RECT{area.left, area.bottom - 1, area.right, area.bottom}, dark);
        fillSolid(dc, RECT{area.right - 1, area.top, area.right, area.bottom}, dark);
        InflateRect(&area, -1, -1);
    }
}

} // namespace

WindowClass TParamLabel::windowClass() {
    WindowClass spec;
    spec.name = kClassName;
    spec.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    return spec;
}

TParamLabel* TParamLabel::create(HWND parent, int id, const RECT& rect) {
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        width = kDefaultWidth;
        height = kDefaultHeight;
    }
    return fromHandle(createOwned([&](TParamLabel& label) {
        return label.createWindow(0, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect.left,
                                  rect.top, width, height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    }));
}

TParamLabel::TParamLabel()
    : resources_(std::make_unique<ParamLabelResources>()),
      interaction_(std::make_unique<ParamInteraction>(*this, this)) {}

TParamLabel::~TParamLabel() = default;

LRESULT TParamLabel::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const Point at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        // The off-screen bitmap covers everything; erasing first would only flicker.
        if (!look_.Transparent) return 1;
        break;
    case WM_SETTEXT:
        // The window text is the markup's text form, so tools that read windows see it.
        setMarkupText(lParam ? reinterpret_cast<const char*>(lParam) : "");
        return TRUE;
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(markupText().size());
    case WM_GETTEXT: {
        if (wParam == 0) return 0;
        std::string text = markupText();
        std::size_t n = std::min<std::size_t>(text.size(), wParam - 1);
        auto* buffer = reinterpret_cast<char*>(lParam);
        std::copy_n(text.data(), n, buffer);
        buffer[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETDLGCODE:
        return dialogCode(reinterpret_cast<const MSG*>(lParam));
    case WM_SETFOCUS:
        focused_ = true;
        repaintAll(); // the focus frame shows only while the label has the focus
        onSetFocus(reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_KILLFOCUS:
        focused_ = false;
        repaintAll();
        return 0;
    case WM_UPDATEUISTATE: {
        // The window's keyboard cues came on or went off: the focus rectangle follows.
        const LRESULT result = defaultMessage(msg, wParam, lParam);
        repaintAll();
        return result;
    }
    case WM_GETOBJECT:
        if (std::optional<LRESULT> answer =
                accessible_.answer(wParam, lParam, [&]() -> DelegatingAccessible* {
                    return ParamLabelAccessible::create(hwnd());
                }))
            return *answer;
        break;
    case WM_MOUSEMOVE:
        onMouseMove(at);
        return 0;
    case WM_MOUSELEAVE:
        trackingMouseLeave_ = false;
        onMouseLeave();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        onMouseDown(at);
        return 0;
    case WM_LBUTTONUP:
        onMouseUp(at);
        return 0;
    case WM_KEYDOWN:
        if (onKeyDown(wParam)) return 0;
        break;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && onSetCursor()) return TRUE;
        break;
    case WM_NOTIFY:
        return onNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_FONTCHANGE:
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        // Faces may resolve to other fonts, or draw with other advances, from now on.
        textCache_.clear();
        repaintAll();
        break;
    case WM_DESTROY:
        releaseInput();
        accessible_.release();
        return 0;
    default:
        break;
    }
    return defaultMessage(msg, wParam, lParam);
}

void TParamLabel::setHTMLText(std::vector<std::string> lines) {
    // Markup can ask for any face and size: what the old one needed goes when it changes;
    // the same markup again (a refresh) keeps it.
    if (lines != lines_) textCache_.clear();
    lines_ = std::move(lines);
    markupChanged();
}

std::string TParamLabel::htmlLine(std::size_t index) const {
    return index < lines_.size() ? lines_[index] : std::string();
}

void TParamLabel::setHtmlLine(std::size_t index, const std::string& text) {
    if (lines_.size() <= index) lines_.resize(index + 1);
    if (lines_[index] != text) textCache_.clear();
    lines_[index] = text;
    markupChanged();
}

std::string TParamLabel::markupText() {
    return joinMarkupLines(lines_);
}

void TParamLabel::setMarkupText(const std::string& text) {
    setHTMLText(splitMarkupLines(text));
}

void TParamLabel::markupChanged() {
    InvalidateRect(hwnd(), nullptr, FALSE);
    updateTabStop();
    // Other lines, other children.
    notifyAccessible(EVENT_OBJECT_REORDER, hwnd(), CHILDID_SELF);
}

void TParamLabel::updateTabStop() {
    bool stops = false;
    if (look_.TabStop)
        for (AnchorKind kind : interaction_->anchorKinds())
            stops = stops || isTabStop(kind);
    const LONG_PTR style = GetWindowLongPtrA(hwnd(), GWL_STYLE);
    const LONG_PTR wanted = stops ? (style | WS_TABSTOP) : (style & ~LONG_PTR{WS_TABSTOP});
    if (wanted != style) SetWindowLongPtrA(hwnd(), GWL_STYLE, wanted);
}

std::string TParamLabel::renderedMarkup() const {
    std::string markup;
    for (const std::string& line : lines_)
        markup += line;
    return markup;
}

std::vector<AccessibleLine> TParamLabel::accessibleLines() const {
    return remvana::accessibleLines(renderedMarkup(),
                                    static_cast<bool>(interaction_->events.OnParamClick));
}

void TParamLabel::setLook(const ParamLabelLook& look) {
    bool autoSizingTurnedOn = look.AutoSizing && !look_.AutoSizing;
    if (!(look.Font == look_.Font)) {
        textCache_.clear();
        // The editors are made again in the new font when next needed.
        textEditor_.reset();
        listBox_.reset();
        spinEdit_.reset();
        datePicker_.reset();
        maskEdit_.reset();
    }
    look_ = look;
    updateTabStop();
    if (autoSizingTurnedOn)
        SetWindowPos(hwnd(), nullptr, 0, 0, 6, 6, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void TParamLabel::setImages(HIMAGELIST images) {
    images_ = images;
    InvalidateRect(hwnd(), nullptr, FALSE);
}

Rect TParamLabel::layoutRect() const {
    RECT client{};
    GetClientRect(hwnd(), &client);
    Rect r{client.left, client.top, client.right, client.bottom};
    int inset = 0;
    if (look_.BevelInner != TBevelCut::bvNone || look_.BevelOuter != TBevelCut::bvNone)
        inset += look_.BevelWidth;
    if (look_.BorderStyle == TBorderStyle::bsSingle) inset += look_.BorderWidth;
    r = Rect{r.left + inset, r.top + inset, r.right - inset, r.bottom - inset};
    if (look_.AutoSizing) {
        // Room to measure the text at its full size; the control is sized to it afterwards.
        r.right += 65535;
        r.bottom += 250;
    }
    return r;
}

MarkupResult TParamLabel::render(HDC dc, MarkupMode mode, Point mouse, int locateAnchor) {
    GdiCanvas canvas(dc, &textCache_);
    // The markup's densities (points, images) follow the scale the window lays itself out for.
    const int dpi = layoutDpi(hwnd());
    canvas.setDpi(dpi);
    const bool contrast = highContrastOn();
    const LabelColors colors = drawnColors(contrast);
    Font font = look_.Font;
    font.color = colors.text;
    canvas.setFont(font);
    canvas.setBackground(kColorNone);
    ImageListImages images(images_, dpi);

    MarkupRequest request;
    request.markup = renderedMarkup();
    request.rect = layoutRect();
    request.mode = mode;
    request.lineSpacing = look_.LineSpacing;
    request.images = images_ ? &images : nullptr;
    request.pictures = &resources_->pictures;
    request.shellIcons = &resources_->shellIcons;
    request.mouse = mouse;
    request.mouseDown = interaction_->mouseButtonDown();
    request.paramColor = colors.param;
    request.shadowColor = look_.ShadowColor;
    request.shadowOffset = look_.ShadowOffset;
    request.labelColor = colors.background;
    request.systemColors = contrast;
    request.locateAnchor = locateAnchor;
    if (mode == MarkupMode::Draw) {
        request.hoveredAnchor = interaction_->hoveredAnchor();
        request.focusedAnchor =
            focused_ && focusCuesShown(hwnd()) ? interaction_->focusedIndex() : -1;
        if (look_.Hover) {
            request.hoverColor = colors.hover;
            request.hoverFontColor = colors.hoverText;
        }
    }
    return renderMarkup(canvas, request);
}

LabelColors TParamLabel::drawnColors(bool highContrast) const {
    return labelColors(
        {look_.Color, look_.Font.color, look_.ParamColor, look_.HoverColor, look_.HoverFontColor},
        highContrast);
}

void TParamLabel::paint() {
    if (look_.Transparent) {
        PaintDc target(hwnd());
        RECT client{};
        GetClientRect(hwnd(), &client);
        paintTo(target.get(), client);
        return;
    }
    BufferedPaint buffer(hwnd());
    GdiCanvas(buffer.dc())
        .fillRect(toRect(buffer.client()), drawnColors(highContrastOn()).background);
    paintTo(buffer.dc(), buffer.client());
}

void TParamLabel::paintTo(HDC dc, const RECT& client) {
    RECT area = client;
    drawFrames(dc, area);
    POINT mouse{-1, -1};
    GetCursorPos(&mouse);
    ScreenToClient(hwnd(), &mouse);
    MarkupResult result = render(dc, MarkupMode::Draw, Point{mouse.x, mouse.y});
    paintedAnchorCount_ = result.anchorCount;
    if (look_.AutoSizing) autoSize(result);
}

void TParamLabel::drawFrames(HDC dc, RECT& area) {
    drawBevel(dc, area, look_.BevelOuter, look_.BevelWidth);
    if (look_.BorderWidth > 0) {
        GdiCanvas canvas(dc);
        Color frame = look_.BorderStyle == TBorderStyle::bsSingle ? rgb(0, 0, 0)
                                                                  : canvas.resolve(look_.Color);
        for (int i = 0; i < look_.BorderWidth && area.right > area.left; ++i) {
            canvas.frameRect(toRect(area), frame);
            InflateRect(&area, -1, -1);
        }
    }
    drawBevel(dc, area, look_.BevelInner, look_.BevelWidth);
}

void TParamLabel::autoSize(const MarkupResult& result) {
    RECT now{};
    GetWindowRect(hwnd(), &now);
    int width = result.maxLineWidth + 6;
    int height = result.contentHeight + 6;
    if (width != now.right - now.left || height != now.bottom - now.top)
        SetWindowPos(hwnd(), nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

MarkupResult TParamLabel::hitTestAt(Point client) {
    ClientDc dc(hwnd());
    return render(dc.get(), MarkupMode::HitTest, client);
}

std::optional<Rect> TParamLabel::anchorRectOf(int number) {
    ClientDc dc(hwnd());
    MarkupResult result = render(dc.get(), MarkupMode::HitTest, Point{-1, -1}, number);
    if (result.anchorNumber != number) return std::nullopt;
    return result.anchorRect;
}

void TParamLabel::repaint(const Rect& rect) {
    RECT r = toRECT(rect);
    InvalidateRect(hwnd(), &r, FALSE);
}

void TParamLabel::repaintAll() {
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void TParamLabel::takeFocus() {
    SetFocus(hwnd());
}

Point TParamLabel::clientToScreen(Point client) {
    POINT p{client.x, client.y};
    ClientToScreen(hwnd(), &p);
    return {p.x, p.y};
}

} // namespace remvana
