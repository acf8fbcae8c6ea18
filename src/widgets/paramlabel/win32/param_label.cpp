// The label window: its class, properties and double-buffered painting. The mouse and
// keyboard side is param_label_input.cpp.
#include "widgets/paramlabel/win32/param_label.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/win32/canvas_gdi.h"
#include "platform/win32/display_dpi.h"
#include "widgets/paramlabel/param_lookup.h"
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

void TParamLabel::registerWindowClass(HINSTANCE instance) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, kClassName, &existing)) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    RegisterClassExA(&wc);
}

TParamLabel* TParamLabel::create(HWND parent, int id, const RECT& rect) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    registerWindowClass(instance);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        width = kDefaultWidth;
        height = kDefaultHeight;
    }
    HWND hwnd = CreateWindowExA(
        0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect.left, rect.top, width,
        height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    return fromHandle(hwnd);
}

TParamLabel* TParamLabel::fromHandle(HWND window) {
    if (!window) return nullptr;
    char name[32] = {};
    if (!GetClassNameA(window, name, sizeof name) || lstrcmpiA(name, kClassName) != 0)
        return nullptr;
    return reinterpret_cast<TParamLabel*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

TParamLabel::TParamLabel(HWND hwnd)
    : hwnd_(hwnd), resources_(std::make_unique<ParamLabelResources>()),
      interaction_(std::make_unique<ParamInteraction>(*this, this)) {}

TParamLabel::~TParamLabel() = default;

LRESULT CALLBACK TParamLabel::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* label = new TParamLabel(hwnd);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(label));
    }
    auto* label = reinterpret_cast<TParamLabel*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!label) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        delete label;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    return label->handleMessage(msg, wParam, lParam);
}

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
    case WM_KILLFOCUS:
        focused_ = msg == WM_SETFOCUS;
        repaintAll(); // the focus frame shows only while the label has the focus
        return 0;
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
    case WM_DESTROY:
        releaseInput();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

void TParamLabel::setHTMLText(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    markupChanged();
}

std::string TParamLabel::htmlLine(std::size_t index) const {
    return index < lines_.size() ? lines_[index] : std::string();
}

void TParamLabel::setHtmlLine(std::size_t index, const std::string& text) {
    if (lines_.size() <= index) lines_.resize(index + 1);
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
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void TParamLabel::setLook(const ParamLabelLook& look) {
    bool autoSizingTurnedOn = look.AutoSizing && !look_.AutoSizing;
    if (look.Font != look_.Font) editorFont_.reset(); // made again in the new font
    look_ = look;
    if (autoSizingTurnedOn)
        SetWindowPos(hwnd_, nullptr, 0, 0, 6, 6, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void TParamLabel::setImages(HIMAGELIST images) {
    images_ = images;
    InvalidateRect(hwnd_, nullptr, FALSE);
}

Rect TParamLabel::layoutRect() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
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
    GdiCanvas canvas(dc);
    // The markup's densities (points, images) follow the scale the window lays itself out for.
    const int dpi = layoutDpi(hwnd_);
    canvas.setDpi(dpi);
    canvas.setFont(look_.Font);
    canvas.setBackground(kColorNone);
    ImageListImages images(images_, dpi);

    MarkupRequest request;
    for (const std::string& line : lines_)
        request.markup += line;
    request.rect = layoutRect();
    request.mode = mode;
    request.lineSpacing = look_.LineSpacing;
    request.images = images_ ? &images : nullptr;
    request.pictures = &resources_->pictures;
    request.shellIcons = &resources_->shellIcons;
    request.mouse = mouse;
    request.mouseDown = interaction_->mouseButtonDown();
    request.paramColor = look_.ParamColor;
    request.shadowColor = look_.ShadowColor;
    request.shadowOffset = look_.ShadowOffset;
    request.labelColor = look_.Color;
    request.locateAnchor = locateAnchor;
    if (mode == MarkupMode::Draw) {
        request.hoveredAnchor = interaction_->hoveredAnchor();
        request.focusedAnchor = focused_ ? interaction_->focusedIndex() : -1;
        if (look_.Hover) {
            request.hoverColor = look_.HoverColor;
            request.hoverFontColor = look_.HoverFontColor;
        }
    }
    return renderMarkup(canvas, request);
}

void TParamLabel::paint() {
    if (look_.Transparent) {
        PAINTSTRUCT ps;
        HDC target = BeginPaint(hwnd_, &ps);
        RECT client{};
        GetClientRect(hwnd_, &client);
        paintTo(target, client);
        EndPaint(hwnd_, &ps);
        return;
    }
    BufferedPaint buffer(hwnd_);
    GdiCanvas(buffer.dc()).fillRect(toRect(buffer.client()), look_.Color);
    paintTo(buffer.dc(), buffer.client());
}

void TParamLabel::paintTo(HDC dc, const RECT& client) {
    RECT area = client;
    drawFrames(dc, area);
    POINT mouse{-1, -1};
    GetCursorPos(&mouse);
    ScreenToClient(hwnd_, &mouse);
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
    GetWindowRect(hwnd_, &now);
    int width = result.maxLineWidth + 6;
    int height = result.contentHeight + 6;
    if (width != now.right - now.left || height != now.bottom - now.top)
        SetWindowPos(hwnd_, nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

MarkupResult TParamLabel::hitTestAt(Point client) {
    HDC dc = GetDC(hwnd_);
    MarkupResult result = render(dc, MarkupMode::HitTest, client);
    ReleaseDC(hwnd_, dc);
    return result;
}

std::optional<Rect> TParamLabel::anchorRectOf(int number) {
    HDC dc = GetDC(hwnd_);
    MarkupResult result = render(dc, MarkupMode::HitTest, Point{-1, -1}, number);
    ReleaseDC(hwnd_, dc);
    if (result.anchorNumber != number) return std::nullopt;
    return result.anchorRect;
}

void TParamLabel::repaint(const Rect& rect) {
    RECT r = toRECT(rect);
    InvalidateRect(hwnd_, &r, FALSE);
}

void TParamLabel::repaintAll() {
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void TParamLabel::takeFocus() {
    SetFocus(hwnd_);
}

Point TParamLabel::clientToScreen(Point client) {
    POINT p{client.x, client.y};
    ClientToScreen(hwnd_, &p);
    return {p.x, p.y};
}

} // namespace remvana
