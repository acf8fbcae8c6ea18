#pragma once
// The parameter label's in-place text editor: a top-level popup owned by the label holding
// one single-line edit. Return commits and closes it, Escape closes it without committing,
// losing the focus commits, and deactivation hides it. One editor serves every opening.
#include <windows.h>

#include <functional>
#include <string>

namespace remvana {

class TPopupEdit {
  public:
    // The edit-done step: (anchor name, committed text).
    std::function<void(const std::string&, const std::string&)> OnCommit;
    // After Return has committed and closed the editor.
    std::function<void()> OnAdvance;
    // The editor closed without committing.
    std::function<void()> OnCancel;

    bool EditAutoSize = false;

    // Creates the hidden popup, owned by the label; the label gets the focus back on close.
    // The text shows in `font` (the stock GUI font when null), which the editor deletes
    // with itself when it owns it.
    TPopupEdit(HWND label, HFONT font, bool ownsFont = false);
    ~TPopupEdit();
    TPopupEdit(const TPopupEdit&) = delete;
    TPopupEdit& operator=(const TPopupEdit&) = delete;

    // Places the editor with its top-left at a screen point, sets its width, anchor name and
    // text (all selected), shows and focuses it.
    void open(const std::string& href, POINT screenTopLeft, int width, const std::string& text);

    bool visible() const;
    bool finished() const { return finished_; }
    const std::string& href() const { return href_; }
    // The text in the process code page ("?" for what it cannot hold).
    std::string text() const;
    HWND window() const { return popup_; }
    HWND editWindow() const { return edit_; }

  private:
    static LRESULT CALLBACK popupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK editProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT editMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Return hands the focus back to the label and advances; a focus loss leaves the focus
    // where it went.
    void commitAndClose(bool byReturn);
    void closeWithoutCommit();
    void close();
    void fitToText();
    std::u16string wideText() const;
    int defaultHeight() const;

    HWND label_;
    HWND popup_ = nullptr;
    HWND edit_ = nullptr;
    HFONT font_;
    bool ownsFont_;
    WNDPROC editDefault_ = nullptr;
    std::string href_;
    bool finished_ = true;
    bool contextMenuOpen_ = false;
};

} // namespace remvana
