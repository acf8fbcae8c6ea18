#include "widgets/paramlabel/win32/param_label_input.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/win32/application.h"

namespace remvana {

namespace {

ParamKey paramKeyOf(WPARAM vk) {
    switch (vk) {
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

Point clientPointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

} // namespace

ParamLabelInput::ParamLabelInput(HWND label, ParamLabelContent& content, TParamLabel* sender)
    : label_(label), content_(content), interaction_(*this, sender) {}

ParamLabelInput::~ParamLabelInput() {
    editor_.reset();
    if (tooltip_ != nullptr) DestroyWindow(tooltip_);
}

void ParamLabelInput::setParamHint(bool on) {
    interaction_.options.ParamHint = on;
    if (!on || tooltip_ != nullptr) return;
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, label_, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = label_;
    tool.uId = reinterpret_cast<UINT_PTR>(label_);
    // Asked for at every showing: the text depends on the anchor under the mouse.
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
}

void ParamLabelInput::repaint(const Rect& rect) {
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    InvalidateRect(label_, &r, FALSE);
}

void ParamLabelInput::repaintAll() {
    InvalidateRect(label_, nullptr, FALSE);
}

void ParamLabelInput::cancelHint() {
    if (tooltip_ != nullptr) SendMessageA(tooltip_, TTM_POP, 0, 0);
}

void ParamLabelInput::takeFocus() {
    if (GetFocus() != label_) SetFocus(label_);
}

Point ParamLabelInput::clientToScreen(Point client) {
    POINT p{client.x, client.y};
    ClientToScreen(label_, &p);
    return {p.x, p.y};
}

void ParamLabelInput::openTextEditor(const std::string& href, Point screenTopLeft, int width,
                                     const std::string& text) {
    if (!editor_) {
        auto font = reinterpret_cast<HFONT>(SendMessageA(label_, WM_GETFONT, 0, 0));
        editor_ = std::make_unique<TPopupEdit>(label_, font);
        editor_->OnCommit = [this](const std::string& name, const std::string& value) {
            interaction_.editDone(name, value);
        };
        editor_->OnAdvance = [this] { interaction_.advance(); };
        editor_->OnCancel = [this] { interaction_.editCancelled(); };
    }
    editor_->EditAutoSize = interaction_.options.EditAutoSize;
    editor_->open(href, {screenTopLeft.x, screenTopLeft.y}, width, text);
}

void ParamLabelInput::trackLeave() {
    if (trackingLeave_) return;
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = label_;
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
}

bool ParamLabelInput::onNotify(const NMHDR& header, LRESULT& result) {
    if (tooltip_ == nullptr || header.hwndFrom != tooltip_) return false;
    if (header.code == TTN_GETDISPINFOA) {
        auto& info = *reinterpret_cast<NMTTDISPINFOA*>(const_cast<NMHDR*>(&header));
        POINT screen;
        GetCursorPos(&screen);
        POINT client = screen;
        ScreenToClient(label_, &client);
        ParamHintAnswer answer = interaction_.hintAt({client.x, client.y}, {screen.x, screen.y});
        switch (answer.kind) {
        case ParamHintAnswer::Kind::Show:
            hintText_ = answer.text;
            hintPosition_ = {answer.screenPosition.x, answer.screenPosition.y};
            break;
        case ParamHintAnswer::Kind::Suppressed:
            hintText_.clear();
            break;
        case ParamHintAnswer::Kind::Ordinary:
            hintText_ = Hint;
            hintPosition_ = {screen.x, screen.y + 20};
            break;
        }
        // An empty text keeps the hint window from showing at all.
        info.lpszText = hintText_.data();
        result = 0;
        return true;
    }
    if (header.code == TTN_SHOW) {
        SetWindowPos(tooltip_, nullptr, hintPosition_.x, hintPosition_.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        result = TRUE;
        return true;
    }
    return false;
}

bool ParamLabelInput::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (msg) {
    case WM_MOUSEMOVE:
        trackLeave();
        Application.guarded([&] { interaction_.mouseMove(clientPointOf(lParam)); });
        return true;
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        Application.guarded([&] { interaction_.mouseLeave(); });
        return true;
    case WM_LBUTTONDOWN:
        Application.guarded([&] { interaction_.mouseDown(clientPointOf(lParam)); });
        return true;
    case WM_LBUTTONUP:
        Application.guarded([&] { interaction_.mouseUp(clientPointOf(lParam)); });
        return true;
    case WM_SETCURSOR:
        if (LOWORD(lParam) != HTCLIENT) return false;
        SetCursor(LoadCursorA(nullptr, interaction_.handCursor()
                                           ? reinterpret_cast<LPCSTR>(IDC_HAND)
                                           : reinterpret_cast<LPCSTR>(IDC_ARROW)));
        result = TRUE;
        return true;
    case WM_GETDLGCODE:
        result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return true;
    case WM_KEYDOWN: {
        bool used = false;
        Application.guarded([&] { used = interaction_.keyDown(paramKeyOf(wParam)); });
        return used;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        // The focus frame is drawn only while the label has the focus.
        repaintAll();
        return false;
    case WM_NOTIFY:
        return onNotify(*reinterpret_cast<const NMHDR*>(lParam), result);
    case WM_DESTROY:
        editor_.reset();
        if (tooltip_ != nullptr) DestroyWindow(tooltip_);
        tooltip_ = nullptr;
        return false;
    default:
        return false;
    }
}

} // namespace remvana
