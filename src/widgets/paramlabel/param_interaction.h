#pragma once
// How the parameter label answers the mouse and the keyboard: hover tracking with its enter
// and exit events, the hand cursor, opening the editor of an anchor, committing an edit back
// into the markup, keyboard focus over the anchors, parameter hints and embedded check
// boxes. It decides everything from hit-test results and leaves windows, painting and the
// editors themselves to its host, the label control.
#include <optional>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/date_time_text.h"
#include "widgets/paramlabel/edit_mask.h"
#include "widgets/paramlabel/markup_render.h"
#include "widgets/paramlabel/param_events.h"
#include "widgets/paramlabel/param_lookup.h"
#include "widgets/paramlabel/param_tab_order.h"

namespace remvana {

// What the interaction reads from the label: its markup, its layout and its settings.
class ParamLabelContent {
  public:
    virtual ~ParamLabelContent() = default;

    // The markup in its text form (lines joined with CR LF), and storing it back, which
    // repaints the label.
    virtual std::string markupText() = 0;
    virtual void setMarkupText(const std::string& text) = 0;
    // The engine in hit-test mode over the label's layout rectangle at a client point.
    virtual MarkupResult hitTestAt(Point client) = 0;
    // The rectangle of the anchor with this 1-based number, if it is laid out.
    virtual std::optional<Rect> anchorRectOf(int number) = 0;
    // The number of anchors the last paint met.
    virtual int paintedAnchorCount() = 0;

    virtual bool hover() = 0;
    virtual bool tabStop() = 0;
    virtual int lineSpacing() = 0;
};

// What a screen reader is told about an anchor (by its index): the keyboard focus moved onto
// it, its editor opened, or a committed edit changed its text.
enum class ParamAccessEvent { Focus, EditorOpened, ValueChanged };

// What the label's window does on the interaction's behalf.
class ParamLabelHost : public ParamLabelContent {
  public:
    virtual void accessibleEvent(ParamAccessEvent event, int anchorIndex) = 0;
    virtual void repaint(const Rect& rect) = 0;
    virtual void repaintAll() = 0;
    virtual void cancelHint() = 0;
    virtual void takeFocus() = 0;
    virtual Point clientToScreen(Point client) = 0;

    // Shows the text editor for the anchor with its top-left at a screen point, the given
    // width and text, and focuses it.
    virtual void openTextEditor(const std::string& href, Point screenTopLeft, int width,
                                const std::string& text) = 0;
    // The other editors, placed and focused the same way; each commits through editDone and
    // advances after Return as the text editor does.
    virtual void openSpinEditor(const std::string& href, Point screenTopLeft, int width,
                                const std::string& text) = 0;
    virtual void openMaskEditor(const std::string& href, Point screenTopLeft, int width,
                                const EditMask& mask, const std::string& text) = 0;
    // Without a value the picker keeps the one it shows and commits on focus loss only once
    // the user changed it.
    virtual void openDatePicker(const std::string& href, Point screenTopLeft, int width,
                                bool timeMode, std::optional<SystemTime> value) = 0;
    virtual void openListBox(const std::string& href, Point screenTopLeft,
                             const std::vector<std::string>& values, int selected) = 0;
    // Modal: a menu of these captions at a screen point; the chosen item's index.
    virtual std::optional<int> popUpMenu(Point screenTopLeft,
                                         const std::vector<std::string>& captions) = 0;
    // Modal: the folder browser starting in `folder`, placed from the anchor's bottom-left
    // screen point; the chosen folder's path.
    virtual std::optional<std::string> browseForFolder(const std::string& folder, Point below) = 0;
    virtual std::string currentDirectory() = 0;
    virtual DateTimeFormats dateTimeFormats() = 0;
};

// The label's editing properties.
struct ParamEditOptions {
    std::string EmptyParam = "?";
    bool EditAutoSize = false;
    bool AdvanceOnReturn = false;
    bool ParamHint = false;
    // MENU and LIST values in alphabetical order instead of as written.
    bool ParamListSorted = false;
};

enum class ParamKey { Left, Up, Right, Down, F2, Return, Space, Tab, ShiftTab, Other };

// What the label shows when the toolkit asks for its hint at a point.
struct ParamHintAnswer {
    enum class Kind { Ordinary, Show, Suppressed } kind = Kind::Ordinary;
    std::string text;
    Point screenPosition;
};

// The text editor's width for an anchor w pixels wide, and its width after its text became
// textWidth pixels wide (it widens to fit and never shrinks).
int textEditorWidth(int anchorWidth);
int autoSizedEditorWidth(int currentWidth, int textWidth);

class ParamInteraction {
  public:
    ParamInteraction(ParamLabelHost& host, TParamLabel* sender) : host_(host), sender_(sender) {}

    ParamEditOptions options;
    ParamLabelEvents events;

    void mouseMove(Point client);
    void mouseLeave();
    void mouseDown(Point client);
    void mouseUp(Point client);
    // True when the key was used (the control then swallows it).
    bool keyDown(ParamKey key);
    // Whether Tab (forward) or Shift+Tab stays inside the label: there is another stop on
    // that side of the focused anchor. Otherwise the window's Tab takes the focus on.
    bool wantsTab(bool forward);
    // The label got the keyboard focus: from the control before it in the Tab order
    // (forward), after it (backward), or from elsewhere (nothing: the focused anchor stays).
    void focusEntered(std::optional<bool> forward);
    // The kind of every anchor, by index.
    std::vector<AnchorKind> anchorKinds();
    // Moves the keyboard focus onto the anchor with that index, as the arrow keys do.
    void focusAnchor(int index);
    // Focuses the anchor and opens it as Return does (for a screen reader's default action).
    void activateAnchor(int index);
    ParamHintAnswer hintAt(Point client, Point mouseScreen);

    // Opens the editor of the anchor named href whose rectangle (client coordinates) is rect.
    void StartParamEdit(const std::string& href, Rect rect);
    // Commits a value through OnParamEditDone into the markup and ends editing.
    void editDone(const std::string& href, const std::string& text);
    // After Return in an editor: with AdvanceOnReturn, opens the next anchor's editor.
    void advance();
    // An editor closed without committing (Escape, deactivation).
    void editCancelled();

    bool editing() const { return editing_; }
    bool handCursor() const { return handCursor_; }
    int hoveredAnchor() const { return hovered_; }
    int focusedIndex() const { return focused_; }
    bool mouseButtonDown() const { return buttonDown_; }
    const std::string& currentAnchor() const { return currentAnchor_; }
    // The current anchor's rectangle (client coordinates, inflated); empty off anchors.
    Rect currentAnchorRect() const { return currentAnchor_.empty() ? Rect{} : currentRect_; }

  private:
    struct AnchorHit {
        bool onAnchor = false;
        std::string href;
        Rect rect;
        int number = -1;
        bool onControl = false;
        MarkupControlHit control;
    };
    AnchorHit hitTest(Point client);
    // The anchor's text ready for an editor: EmptyParam shows as empty, entities decoded,
    // then OnParamEditStart may change it.
    std::string prepareValue(const std::string& href, const std::string& rawText);
    void openFocusedAnchor();
    // An anchor being opened: rect is its rectangle moved down by the line spacing, screen
    // its top-left on the screen.
    struct Opening {
        std::string href;
        ParamAnchor anchor;
        Rect rect;
        Point screen;
        // Editors stand with their top two pixels above the anchor's screen point.
        Point editorAt() const { return {screen.x, screen.y - 2}; }
    };
    // Opens what the anchor's class asks for.
    void openClass(const Opening& at);
    void popUpMenu(const Opening& at);
    void dropDownList(const Opening& at);
    void openDatePicker(const Opening& at, bool timeMode);
    void openSpinEditor(const Opening& at);
    void browseForFolder(const Opening& at);
    void trackControlUnderMouse(const AnchorHit& hit);

    ParamLabelHost& host_;
    TParamLabel* sender_;

    std::string currentAnchor_;
    Rect currentRect_;
    int hovered_ = -1;
    int lastHit_ = -1;
    int focused_ = 0;
    bool editing_ = false;
    bool handCursor_ = false;
    std::string hintAnchor_;
    Rect controlRect_;
    std::optional<Rect> pushedRect_;
    bool buttonDown_ = false;
};

} // namespace remvana
