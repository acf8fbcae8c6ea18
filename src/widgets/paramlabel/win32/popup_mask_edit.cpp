#include "widgets/paramlabel/win32/popup_mask_edit.h"

#include "platform/utf8.h"

namespace remvana {

namespace {

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The edit counts UTF-16 units, the mask whole characters: how many characters the first
// `units` units hold, and how many units the first `characters` characters take.
std::size_t charactersIn(std::u16string_view text, std::size_t units) {
    return utf8Length(utf16ToUtf8(text.substr(0, std::min(units, text.size()))));
}

std::size_t unitsOf(std::u16string_view text, std::size_t characters) {
    std::size_t at = 0;
    for (; characters > 0 && at < text.size(); --characters)
        at += isHighSurrogate(text[at]) && at + 1 < text.size() && isLowSurrogate(text[at + 1]) ? 2
                                                                                                : 1;
    return at;
}

std::string clipboardText(HWND owner) {
    std::string text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const char16_t*>(GlobalLock(data))) {
            text = utf16ToUtf8(units);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool keyDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

} // namespace

TPopupMaskEdit::TPopupMaskEdit(HWND label, HFONT font) : TPopupEdit(label, font) {}

void TPopupMaskEdit::open(const std::string& href, POINT screenTopLeft, int width,
                          const EditMask& mask, const std::string& text) {
    mask_ = mask;
    pendingHighSurrogate_ = 0;
    TPopupEdit::open(href, screenTopLeft, width, text);
}

// The text editor's exact text, so a character the code page cannot hold is refused here too.
std::string TPopupMaskEdit::committedText() {
    return maskedValue(mask_, TPopupEdit::committedText()).value_or(std::string());
}

bool TPopupMaskEdit::acceptsCommit() {
    return maskedValue(mask_, text()).has_value();
}

template <typename Change> void TPopupMaskEdit::edit(Change change) {
    const std::u16string before = wideWindowTextOf(control());
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(control(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    MaskedTyping typing(mask_, utf16ToUtf8(before), charactersIn(before, start),
                        charactersIn(before, end));
    const bool taken = change(typing);
    const std::u16string after = utf8ToUtf16(typing.text());
    if (after != before) SetWindowTextW(control(), reinterpret_cast<const wchar_t*>(after.c_str()));
    if (taken || after != before) {
        const auto caret = static_cast<WPARAM>(unitsOf(after, typing.caret()));
        SendMessageW(control(), EM_SETSEL, caret, static_cast<LPARAM>(caret));
        SendMessageW(control(), EM_SCROLLCARET, 0, 0);
    }
    if (!taken) MessageBeep(MB_OK);
}

void TPopupMaskEdit::typed(char16_t unit) {
    std::u16string character(1, unit);
    if (isHighSurrogate(unit)) {
        pendingHighSurrogate_ = unit;
        return;
    }
    if (isLowSurrogate(unit)) {
        // Half a character is no character: it is refused like any misfit.
        if (pendingHighSurrogate_ == 0) {
            MessageBeep(MB_OK);
            return;
        }
        character.insert(character.begin(), pendingHighSurrogate_);
    }
    pendingHighSurrogate_ = 0;
    const std::string typedText = utf16ToUtf8(character);
    edit([&](MaskedTyping& typing) { return typing.type(typedText); });
}

void TPopupMaskEdit::paste() {
    const std::string pasted = clipboardText(control());
    edit([&](MaskedTyping& typing) { return typing.paste(pasted); });
}

LRESULT TPopupMaskEdit::controlMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    // A mask without places takes any text: the edit types as it always does.
    if (mask_.places.empty()) return TPopupEdit::controlMessage(msg, wParam, lParam);
    auto erase = [this](void (MaskedTyping::*how)()) {
        edit([how](MaskedTyping& typing) {
            (typing.*how)();
            return true;
        });
    };
    switch (msg) {
    case WM_CHAR:
        if (wParam == VK_BACK) {
            erase(&MaskedTyping::eraseBackward);
            return 0;
        }
        // Below the space are Return, Escape and the control keys (Ctrl+V comes back as
        // WM_PASTE); they go on as usual.
        if (wParam >= 0x20 && wParam != 0x7F) {
            typed(static_cast<char16_t>(wParam));
            return 0;
        }
        break;
    case WM_KEYDOWN:
        // The edit would shift the text over a deleted character and paste on Shift+Insert
        // without a message: the mask decides both.
        if (wParam == VK_DELETE) {
            if (keyDown(VK_SHIFT))
                SendMessageW(control(), WM_CUT, 0, 0);
            else
                erase(&MaskedTyping::eraseForward);
            return 0;
        }
        if (wParam == VK_INSERT && keyDown(VK_SHIFT)) {
            paste();
            return 0;
        }
        break;
    case WM_PASTE:
        paste();
        return 0;
    case WM_CUT:
        defaultControlMessage(WM_COPY, 0, 0);
        erase(&MaskedTyping::eraseSelection);
        return 0;
    case WM_CLEAR:
        erase(&MaskedTyping::eraseSelection);
        return 0;
    default:
        break;
    }
    return TPopupEdit::controlMessage(msg, wParam, lParam);
}

} // namespace remvana
