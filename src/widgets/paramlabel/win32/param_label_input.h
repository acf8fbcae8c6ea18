#pragma once
// The parameter label's mouse, keyboard and hint handling on Windows: turns the label
// window's messages into ParamInteraction calls and carries out what it asks for (repaints,
// the hand cursor, the hint window, focus, the in-place text editor).
//
// The label control owns one, implements ParamLabelContent for it (markup, hit test,
// settings) and offers every message to handleMessage() before handling it itself; its
// paint reads the hovered and focused anchors from interaction().
#include <windows.h>

#include <memory>

#include "widgets/paramlabel/param_interaction.h"
#include "widgets/paramlabel/win32/popup_edit.h"

namespace remvana {

class ParamLabelInput : private ParamLabelHost {
  public:
    ParamLabelInput(HWND label, ParamLabelContent& content, TParamLabel* sender);
    ~ParamLabelInput() override;
    ParamLabelInput(const ParamLabelInput&) = delete;
    ParamLabelInput& operator=(const ParamLabelInput&) = delete;

    ParamInteraction& interaction() { return interaction_; }
    ParamEditOptions& options() { return interaction_.options; }
    ParamLabelEvents& events() { return interaction_.events; }

    // Turns ParamHint on or off; on, the label shows its hints (the hint window exists).
    void setParamHint(bool on);
    // The label's ordinary hint, shown away from anchors.
    std::string Hint;

    // True when the message was handled here and result is its answer.
    bool handleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The text editor, once it was opened (for tests and the label's teardown).
    TPopupEdit* textEditor() { return editor_.get(); }
    HWND hintWindow() const { return tooltip_; }

  private:
    // ParamLabelContent, forwarded to the label.
    std::string markupText() override { return content_.markupText(); }
    void setMarkupText(const std::string& text) override { content_.setMarkupText(text); }
    MarkupResult hitTestAt(Point client) override { return content_.hitTestAt(client); }
    std::optional<Rect> anchorRectOf(int number) override { return content_.anchorRectOf(number); }
    int paintedAnchorCount() override { return content_.paintedAnchorCount(); }
    bool hover() override { return content_.hover(); }
    bool tabStop() override { return content_.tabStop(); }
    int lineSpacing() override { return content_.lineSpacing(); }
    // ParamLabelHost, done here.
    void repaint(const Rect& rect) override;
    void repaintAll() override;
    void cancelHint() override;
    void takeFocus() override;
    Point clientToScreen(Point client) override;
    void openTextEditor(const std::string& href, Point screenTopLeft, int width,
                        const std::string& text) override;

    bool onNotify(const NMHDR& header, LRESULT& result);
    void trackLeave();

    HWND label_;
    ParamLabelContent& content_;
    ParamInteraction interaction_;
    std::unique_ptr<TPopupEdit> editor_;
    HWND tooltip_ = nullptr;
    std::string hintText_;
    POINT hintPosition_{};
    bool trackingLeave_ = false;
};

} // namespace remvana
