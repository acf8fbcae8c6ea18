#include "platform/win32/code_page_win32.h"

#include <windows.h>

#include "platform/utf8.h"

namespace remvana {
namespace {

class LegacyCodePage : public CodePage {
  public:
    Converted fromUtf16(std::u16string_view units) const override {
        if (units.empty()) return {{}, true};
        const auto* wide = reinterpret_cast<const wchar_t*>(units.data());
        const int count = static_cast<int>(units.size());
        BOOL usedDefault = FALSE;
        const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, count, nullptr, 0,
                                             "?", &usedDefault);
        if (size <= 0) return {std::string(units.size(), '?'), false};
        std::string text(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, count, text.data(), size, "?",
                            &usedDefault);
        // The way back must give the same units too: what the ...A calls will turn it into.
        return {text, !usedDefault && ansiToUtf16(text) == units};
    }
};

} // namespace

const CodePage& processCodePage() {
    static const Utf8CodePage utf8;
    static const LegacyCodePage legacy;
    if (GetACP() == CP_UTF8) return utf8;
    return legacy;
}

std::wstring ansiToWide(std::string_view text) {
    const std::u16string units = ansiToUtf16(text);
    return std::wstring(units.begin(), units.end());
}

} // namespace remvana
