#include "platform/win32/clipboard_win32.h"

#include <cstring>

#include "platform/win32/code_page_win32.h"

namespace remvana {

namespace {

// Open for as long as the object lives, closed on every way out.
class OpenClipboardScope {
  public:
    explicit OpenClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardScope() {
        if (open_) CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    bool open() const { return open_; }

  private:
    bool open_;
};

// Global memory that goes back unless the clipboard took it over.
struct GlobalBlock {
    HGLOBAL memory;
    ~GlobalBlock() {
        if (memory) GlobalFree(memory);
    }
};

} // namespace

bool copyTextToClipboard(HWND owner, const std::string& text) {
    const std::wstring wide = ansiToWide(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    GlobalBlock block{GlobalAlloc(GMEM_MOVEABLE, bytes)};
    if (!block.memory) return false;
    void* target = GlobalLock(block.memory);
    if (!target) return false;
    std::memcpy(target, wide.c_str(), bytes);
    GlobalUnlock(block.memory);

    const OpenClipboardScope clipboard(owner);
    if (!clipboard.open() || !EmptyClipboard()) return false;
    if (!SetClipboardData(CF_UNICODETEXT, block.memory)) return false;
    block.memory = nullptr; // the clipboard owns it now
    return true;
}

} // namespace remvana
