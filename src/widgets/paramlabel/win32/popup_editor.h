#pragma once
// What every popup editor of the parameter label shares. Each is a hidden top-level popup
// owned by the label (not a child: it may stand out of the label and the window) holding
// one control; it knows the name of the anchor it edits, a commit callback (the label's
// edit-done step), an advance callback (the label's advance step) and a cancel callback, and
// whether it has finished. The common ending: Return commits, hands the focus back to the
// label, hides and advances; Escape hides without committing; losing the focus commits
// unless finished; deactivation hides, except while the control's context menu is open.
// Each editor changes only what differs for it.
#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/scoped_handles.h"
#include "platform/win32/window_impl.h"

namespace remvana {

class PopupEditor : public WindowImpl<PopupEditor> {
  public:
    // The edit-done step: (anchor name, committed text).
    std::function<void(const std::string&, const std::string&)> OnCommit;
    // After Return has committed and closed the editor.
    std::function<void()> OnAdvance;
    // The editor closed without committing.
    std::function<void()> OnCancel;

    virtual ~PopupEditor();
    PopupEditor(const PopupEditor&) = delete;
    PopupEditor& operator=(const PopupEditor&) = delete;

    static WindowClass windowClass();

    bool visible() const;
    bool finished() const { return finished_; }
    const std::string& href() const { return href_; }
    HWND control() const { return control_.get(); }

  protected:
    // Creates the hidden popup, owned by the label; the label gets the focus back on close.
    explicit PopupEditor(HWND label);

    // Creates the control filling the popup (in place of the one it had) in `font`, and
    // routes its messages through controlMessage.
    HWND createControl(const char* className, DWORD style, DWORD exStyle, HFONT font);
    // Starts an editing of the anchor: not finished, its name remembered.
    void begin(const std::string& href);
    void showAt(POINT screenTopLeft, int width, int height);

    // The text a commit hands over, and whether it may be committed now.
    virtual std::string committedText() = 0;
    virtual bool acceptsCommit() { return true; }
    // The focus went from the editor to `to`, outside its popup: commits by default.
    virtual void focusLost(HWND /*to*/) { commitAndClose(false); }

    // Commits and hides; after Return the focus goes back to the label and the advance step
    // runs. A text the editor does not accept is not committed: after Return the editor
    // stays open, after a focus loss it closes.
    void commitAndClose(bool byReturn);
    // Hides without committing; the focus goes back to the label after Escape only.
    void cancel(bool byEscape);
    // Hands the focus back to the label and hides, then commits what it accepts.
    void closeThenCommit();
    void hide();

    // The control's messages; the default carries out the common ending. What a handler
    // throws is shown by the window base's guard.
    virtual LRESULT controlMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // The popup's messages (the control's notifications among them); the default keeps the
    // control filling the popup and hides it on deactivation.
    virtual LRESULT popupMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Whether the popup stays up while `activated` becomes the active window.
    virtual bool staysOnDeactivation(HWND /*activated*/) const { return contextMenuOpen_; }
    LRESULT defaultControlMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND label_;

  private:
    friend class WindowImpl<PopupEditor>;
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    bool holds(HWND window) const;

    // A child of the popup: it goes with it too.
    ScopedWindow control_;
    // Through the common controls' subclass chain: controls that subclass their own buddies
    // (the spin edit's arrows) come and go without cutting the editor off.
    ControlSubclass subclass_;
    // Set while the editor destroys its popup: the derived editor is gone by then.
    bool destroying_ = false;
    std::string href_;
    bool finished_ = true;
    bool contextMenuOpen_ = false;
};

} // namespace remvana
