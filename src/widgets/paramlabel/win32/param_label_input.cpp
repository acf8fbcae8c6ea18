// The label's mouse, keyboard and hint side: window messages become ParamInteraction calls,
// and what the interaction asks for (the hand cursor, the hint window, the in-place text
// editor) is carried out here.
#include "widgets/paramlabel/win32/param_label.h"

#include "platform/win32/canvas_gdi.h"
#include "widgets/paramlabel/win32/popup_date_picker.h"
#include "widgets/paramlabel/win32/popup_edit.h"
#include "widgets/paramlabel/win32/popup_list_box.h"
#include "widgets/paramlabel/win32/popup_mask_edit.h"
#include "widgets/paramlabel/win32/popup_spin_edit.h"

namespace remvana {

namespace {

ParamKey paramKeyOf(WPARAM vk) {
    switch (vk) {
    case VK_TAB:
        return GetKeyState(VK_SHIFT) < 0 ? ParamKey::ShiftTab : ParamKey::Tab;
    case VK_LEFT:
        return ParamKey::Left;
    case VK_UP:
        return ParamKey::Up;
    case VK_RIGHT:
        return ParamKey::Right;
    case VK_DOWN:
        return ParamKey::Down;
    case VK_F2:
        return ParamKey::F2;
    case VK_RETURN:
        return ParamKey::Return;
    case VK_SPACE:
        return ParamKey::Space;
    default:
        return ParamKey::Other;
    }
}

// The hint window of a label, made the first time the mouse comes by with ParamHint on. Its
// one tool covers the anchor under the mouse and nothing else, so that the hint window
// takes every anchor for a new place to show a hint at, and none away from anchors.
constexpr UINT_PTR kAnchorTool = 1;

TTTOOLINFOA anchorTool(HWND label, const Rect& anchor) {
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = label;
    tool.uId = kAnchorTool;
    tool.rect = {anchor.left, anchor.top, anchor.right, anchor.bottom};
    // Asked for at every showing: the text depends on the anchor under the mouse.
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    return tool;
}

HWND makeHintWindow(HWND label) {
    HWND tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, label, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    TTTOOLINFOA tool = anchorTool(label, Rect{});
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(tooltip, TTM_SETMAXTIPWIDTH, 0, 400);
    return tooltip;
}

// Runs `step` and shows what it throws without unwinding further: the caller has more to do
// after it (everything else lets its errors reach the window base's guard).
template <typename Step> void reportingErrors(Step&& step) {
    try {
        step();
    } catch (...) {
        reportWindowError(std::current_exception());
    }
}

} // namespace

void TParamLabel::onMouseMove(Point client) {
    if (!trackingMouseLeave_) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = hwnd();
        trackingMouseLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    if (editOptions().ParamHint && !hintWindow_) hintWindow_.reset(makeHintWindow(hwnd()));
    // The hint window follows the anchor under the mouse even when the move failed.
    reportingErrors([&] { interaction().mouseMove(client); });
    if (hintWindow_) {
        Rect anchor = interaction().currentAnchorRect();
        if (anchor != hintToolRect_) {
            hintToolRect_ = anchor;
            TTTOOLINFOA tool = anchorTool(hwnd(), anchor);
            SendMessageA(hintWindow_.get(), TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
}

void TParamLabel::onMouseLeave() {
    interaction().mouseLeave();
}

void TParamLabel::onMouseDown(Point client) {
    interaction().mouseDown(client);
}

void TParamLabel::onMouseUp(Point client) {
    interaction().mouseUp(client);
}

bool TParamLabel::onKeyDown(WPARAM key) {
    return interaction().keyDown(paramKeyOf(key));
}

bool TParamLabel::onSetCursor() {
    SetCursor(LoadCursorA(nullptr, interaction().handCursor()
                                       ? reinterpret_cast<LPCSTR>(IDC_HAND)
                                       : reinterpret_cast<LPCSTR>(IDC_ARROW)));
    return true;
}

LRESULT TParamLabel::dialogCode(const MSG* message) const {
    const bool keyDown = message != nullptr && message->message == WM_KEYDOWN;
    const bool returnKey = keyDown && message->wParam == VK_RETURN;
    // Tab stays while there is another anchor on that side; at the ends the window's Tab
    // order takes the focus on.
    const bool tabKey =
        keyDown && message->wParam == VK_TAB && interaction_->wantsTab(GetKeyState(VK_SHIFT) >= 0);
    return DLGC_WANTARROWS | (returnKey ? DLGC_WANTMESSAGE : 0) | (tabKey ? DLGC_WANTTAB : 0);
}

void TParamLabel::onSetFocus(HWND previous) {
    std::optional<bool> forward;
    if (previous != nullptr) {
        HWND root = GetAncestor(hwnd(), GA_ROOT);
        const bool fromBefore = GetNextDlgTabItem(root, hwnd(), TRUE) == previous;
        const bool fromAfter = GetNextDlgTabItem(root, hwnd(), FALSE) == previous;
        // With only one other stop it is both; then Shift says which way Tab went.
        if (fromBefore && fromAfter)
            forward = GetKeyState(VK_SHIFT) >= 0;
        else if (fromBefore || fromAfter)
            forward = fromBefore;
    }
    reportingErrors([&] { interaction().focusEntered(forward); });
}

void TParamLabel::accessibleEvent(ParamAccessEvent event, int anchorIndex) {
    const int line = lineOfAnchor(accessibleLines(), anchorIndex);
    if (line < 0) return;
    switch (event) {
    case ParamAccessEvent::Focus:
        // Only the focus the keyboard really has is announced.
        if (GetFocus() == hwnd()) notifyAccessible(EVENT_OBJECT_FOCUS, hwnd(), line + 1);
        break;
    case ParamAccessEvent::EditorOpened:
        notifyAccessible(EVENT_OBJECT_STATECHANGE, hwnd(), line + 1);
        break;
    case ParamAccessEvent::ValueChanged:
        notifyAccessible(EVENT_OBJECT_VALUECHANGE, hwnd(), line + 1);
        break;
    }
}

void TParamLabel::cancelHint() {
    // Only a hint on screen is taken down: popping also stops the wait for the next one.
    if (hintWindow_ && IsWindowVisible(hintWindow_.get()))
        SendMessageA(hintWindow_.get(), TTM_POP, 0, 0);
}

void TParamLabel::openTextEditor(const std::string& href, Point screenTopLeft, int width,
                                 const std::string& text) {
    if (!textEditor_) {
        // The editor writes in the label's own face and size, in the edit's usual colours.
        textEditor_ = std::make_unique<TPopupEdit>(hwnd(), editorFont());
        connectEditor(*textEditor_);
    }
    textEditor_->EditAutoSize = editOptions().EditAutoSize;
    textEditor_->open(href, {screenTopLeft.x, screenTopLeft.y}, width, text);
}

LRESULT TParamLabel::onNotify(NMHDR* header) {
    if (header == nullptr || !hintWindow_ || header->hwndFrom != hintWindow_.get()) return 0;
    if (header->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        POINT screen;
        GetCursorPos(&screen);
        POINT client = screen;
        ScreenToClient(hwnd(), &client);
        ParamHintAnswer answer{};
        // The hint window reads the text back whatever happens: it gets an empty one.
        reportingErrors([&] {
            answer = interaction().hintAt({client.x, client.y}, {screen.x, screen.y});
        });
        // Away from anchors the label has no hint of its own; an empty text shows nothing.
        hintText_ = answer.kind == ParamHintAnswer::Kind::Show ? answer.text : std::string();
        hintPosition_ = {answer.screenPosition.x, answer.screenPosition.y};
        info->lpszText = hintText_.data();
        return 0;
    }
    if (header->code == TTN_SHOW) {
        SetWindowPos(hintWindow_.get(), nullptr, hintPosition_.x, hintPosition_.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE;
    }
    return 0;
}

void TParamLabel::releaseInput() {
    textEditor_.reset();
    listBox_.reset();
    spinEdit_.reset();
    datePicker_.reset();
    maskEdit_.reset();
    hintWindow_.reset();
}

} // namespace remvana
