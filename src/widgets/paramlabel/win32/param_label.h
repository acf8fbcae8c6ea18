#pragma once
// TParamLabel: the markup label as a real child window of class "TParamLabel". It holds the
// markup in HTMLText, paints it double-buffered through the markup engine, and answers the
// mouse and keyboard through ParamInteraction (the input side lives in
// param_label_input.cpp, the painting and properties in param_label.cpp). The fonts and
// glyph advances its layouts need are kept from one paint or hit test to the next until its
// font or markup changes.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/win32/accessible_object.h"
#include "platform/win32/canvas_gdi.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/window_impl.h"
#include "widgets/paramlabel/accessible_lines.h"
#include "widgets/paramlabel/label_colors.h"
#include "widgets/paramlabel/markup_render.h"
#include "widgets/paramlabel/param_interaction.h"

namespace remvana {

class PopupEditor;
class TPopupEdit;
class TPopupListBox;
class TPopupSpinEdit;
class TPopupDatePicker;
class TPopupMaskEdit;
class ParamLabelResources;

enum class TBevelCut { bvNone, bvLowered, bvRaised };
enum class TBorderStyle { bsNone, bsSingle };

// The label's look, each with the default a new label has.
struct ParamLabelLook {
    int LineSpacing = 0;
    Color ParamColor = rgb(0, 0x80, 0);
    bool Hover = true;
    Color HoverColor = rgb(0, 0x80, 0);
    Color HoverFontColor = rgb(0xFF, 0xFF, 0xFF);
    Color ShadowColor = rgb(0x80, 0x80, 0x80);
    int ShadowOffset = 2;
    Font Font{"MS Sans Serif", -11, systemColor(kColorWindowText)};
    Color Color = systemColor(kColorBtnFace);
    bool Transparent = false;
    TBevelCut BevelInner = TBevelCut::bvNone;
    TBevelCut BevelOuter = TBevelCut::bvNone;
    int BevelWidth = 1;
    int BorderWidth = 0;
    TBorderStyle BorderStyle = TBorderStyle::bsNone;
    // Sizes the control to its text after each paint (width widest line + 6, height
    // content height + 6).
    bool AutoSizing = false;
    bool TabStop = false;
};

class TParamLabel final : public ParamLabelHost, public SelfOwnedWindow<TParamLabel> {
  public:
    static constexpr const char* kClassName = "TParamLabel";
    static constexpr int kDefaultWidth = 100;
    static constexpr int kDefaultHeight = 32;

    static WindowClass windowClass();
    // Creates the label as a visible child of parent with the given control id, at rect in
    // the parent's client coordinates (an empty rect gives the default 100 x 32). The label
    // belongs to its window and is deleted when the window is destroyed. fromHandle (of the
    // window base) finds it again from its window.
    static TParamLabel* create(HWND parent, int id, const RECT& rect);

    // ---- Markup ----
    // HTMLText: the markup lines. For rendering they are joined with nothing between them.
    const std::vector<std::string>& HTMLText() const { return lines_; }
    void setHTMLText(std::vector<std::string> lines);
    // Line index of HTMLText, empty when there is no such line.
    std::string htmlLine(std::size_t index) const;
    // Replaces line index, adding empty lines up to it when the list is shorter.
    void setHtmlLine(std::size_t index, const std::string& text);

    // ---- Look ----
    const ParamLabelLook& look() const { return look_; }
    void setLook(const ParamLabelLook& look);
    // The image list of `idx:` images (not owned); null detaches it.
    void setImages(HIMAGELIST images);
    HIMAGELIST Images() const { return images_; }

    // ---- Editing and events ----
    ParamInteraction& interaction() { return *interaction_; }
    ParamLabelEvents& events() { return interaction_->events; }
    ParamEditOptions& editOptions() { return interaction_->options; }

    // The lines a screen reader reads (param_label_accessible.cpp answers from them).
    std::vector<AccessibleLine> accessibleLines() const;

    // The engine over the label's layout rectangle.
    MarkupResult render(HDC dc, MarkupMode mode, Point mouse, int locateAnchor = -1);
    Rect layoutRect() const;

    // ---- ParamLabelHost (painting and markup side, param_label.cpp) ----
    std::string markupText() override;
    void setMarkupText(const std::string& text) override;
    MarkupResult hitTestAt(Point client) override;
    std::optional<Rect> anchorRectOf(int number) override;
    int paintedAnchorCount() override { return paintedAnchorCount_; }
    bool hover() override { return look_.Hover; }
    bool tabStop() override { return look_.TabStop; }
    int lineSpacing() override { return look_.LineSpacing; }
    void repaint(const Rect& rect) override;
    void repaintAll() override;
    void takeFocus() override;
    Point clientToScreen(Point client) override;
    void accessibleEvent(ParamAccessEvent event, int anchorIndex) override;

    // ---- ParamLabelHost (input side, param_label_input.cpp) ----
    void cancelHint() override;
    void openTextEditor(const std::string& href, Point screenTopLeft, int width,
                        const std::string& text) override;

    // ---- ParamLabelHost (the other editors, param_label_editors.cpp) ----
    void openSpinEditor(const std::string& href, Point screenTopLeft, int width,
                        const std::string& text) override;
    void openMaskEditor(const std::string& href, Point screenTopLeft, int width,
                        const EditMask& mask, const std::string& text) override;
    void openDatePicker(const std::string& href, Point screenTopLeft, int width, bool timeMode,
                        std::optional<SystemTime> value) override;
    void openListBox(const std::string& href, Point screenTopLeft,
                     const std::vector<std::string>& values, int selected) override;
    std::optional<int> popUpMenu(Point screenTopLeft,
                                 const std::vector<std::string>& captions) override;
    std::optional<std::string> browseForFolder(const std::string& folder, Point below) override;
    std::string currentDirectory() override;
    DateTimeFormats dateTimeFormats() override;

    // ---- Input messages (param_label_input.cpp) ----
    void onMouseMove(Point client);
    void onMouseDown(Point client);
    void onMouseUp(Point client);
    void onMouseLeave();
    // True when the key was used and is to be swallowed.
    bool onKeyDown(WPARAM key);
    // True when the cursor was set.
    bool onSetCursor();
    // The keys the label wants from the window's dialog key handling: the arrows, and
    // Return, which opens the focused anchor's editor instead of pressing a default button.
    LRESULT dialogCode(const MSG* message) const;
    LRESULT onNotify(NMHDR* header);
    // The label got the keyboard focus from `previous`: by Tab from the control before it,
    // Shift+Tab from the one after it, or otherwise.
    void onSetFocus(HWND previous);
    // Frees what the input side made (editors, hint window) while the window still exists.
    void releaseInput();
    // The font every editor writes in: the label's face and size, plain.
    HFONT editorFont();
    // Makes an editor commit, advance and cancel through the interaction.
    void connectEditor(PopupEditor& editor);

    ~TParamLabel() override;
    TParamLabel(const TParamLabel&) = delete;
    TParamLabel& operator=(const TParamLabel&) = delete;

  private:
    friend class WindowImpl<TParamLabel>;
    friend class SelfOwnedWindow<TParamLabel>;
    TParamLabel();
    // The window owns the label (it goes with the window's last message).
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void paint();
    // The look's colours, or the system's under high contrast.
    LabelColors drawnColors(bool highContrast) const;
    void paintTo(HDC dc, const RECT& client);
    void drawFrames(HDC dc, RECT& area);
    void autoSize(const MarkupResult& result);
    void markupChanged();
    // The markup as the engine reads it: the lines joined with nothing between them.
    std::string renderedMarkup() const;
    // In the window's Tab order while it takes the focus and has an anchor to stop at.
    void updateTabStop();

    std::vector<std::string> lines_;
    ParamLabelLook look_;
    HIMAGELIST images_ = nullptr;
    std::unique_ptr<ParamLabelResources> resources_;
    std::unique_ptr<ParamInteraction> interaction_;
    GdiTextCache textCache_;
    int paintedAnchorCount_ = 0;
    bool focused_ = false;
    AccessibleSlot accessible_;

  public:
    // State of the input side (param_label_input.cpp).
    std::unique_ptr<TPopupEdit> textEditor_;
    std::unique_ptr<TPopupListBox> listBox_;
    std::unique_ptr<TPopupSpinEdit> spinEdit_;
    std::unique_ptr<TPopupDatePicker> datePicker_;
    std::unique_ptr<TPopupMaskEdit> maskEdit_;
    // A tooltip owned by the top-level window, which may destroy it before the label goes.
    ScopedWindow hintWindow_;
    bool trackingMouseLeave_ = false;
    // The hint text handed to the hint window, and where it shows.
    std::string hintText_;
    POINT hintPosition_{};
    // The hint window's tool: the rectangle of the anchor under the mouse.
    Rect hintToolRect_;
};

} // namespace remvana
