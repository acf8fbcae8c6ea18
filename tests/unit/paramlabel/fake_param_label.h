#pragma once
// A stand-in for the label window: markup in a string, a hit test from fixed rectangles and
// every editor recorded instead of shown.
#include <optional>
#include <string>
#include <vector>

#include "widgets/paramlabel/param_interaction.h"
#include "widgets/paramlabel/param_lookup.h"

namespace remvana {

// A label with two EDIT anchors side by side and a check box below them; the hit test
// answers from fixed rectangles, as the engine would after laying the markup out.
class FakeLabel : public ParamLabelHost {
  public:
    struct Area {
        std::string href;
        Rect rect;
        int number;
    };
    std::string markup = "<a href=\"Publisher\" class=\"EDIT\" hint=\"Who &amp; where\">old</a> "
                         "<a href=\"Contact\" class=\"EDIT\">old</a> <a href=\"Plain\">p</a>\r\n";
    std::vector<Area> areas = {{"Publisher", {10, 0, 40, 14}, 1},
                               {"Contact", {50, 0, 80, 14}, 2},
                               {"Plain", {90, 0, 100, 14}, 3}};
    MarkupControlHit check{"CHECK", "c1", "FALSE", {10, 20, 25, 35}};

    std::string markupText() override { return markup; }
    void setMarkupText(const std::string& text) override {
        markup = text;
        ++markupWrites;
    }
    MarkupResult hitTestAt(Point p) override {
        MarkupResult r;
        for (const Area& a : areas)
            if (a.rect.contains(p)) {
                r.hit = true;
                r.anchorName = a.href;
                r.anchorRect = a.rect;
                r.anchorNumber = a.number;
            }
        if (check.rect.contains(p)) {
            r.hit = r.controlHit = true;
            r.control = check;
            r.control.value = GetControlValueForTest();
        }
        return r;
    }
    std::string GetControlValueForTest() {
        return markup.find("value=\"TRUE\"") != std::string::npos ? "TRUE" : "FALSE";
    }
    std::optional<Rect> anchorRectOf(int number) override {
        for (const Area& a : areas)
            if (a.number == number) return a.rect;
        return std::nullopt;
    }
    int paintedAnchorCount() override { return static_cast<int>(areas.size()); }
    bool hover() override { return hoverOn; }
    bool tabStop() override { return tabStopOn; }
    int lineSpacing() override { return 6; }
    void repaint(const Rect& r) override { repaints.push_back(r); }
    void repaintAll() override { ++fullRepaints; }
    void cancelHint() override { ++hintCancels; }
    void takeFocus() override { ++focusTaken; }
    void accessibleEvent(ParamAccessEvent event, int anchorIndex) override {
        static const char* const kNames[] = {"focus", "opened", "changed"};
        accessEvents.push_back(std::string(kNames[static_cast<int>(event)]) + " " +
                               std::to_string(anchorIndex));
    }
    Point clientToScreen(Point p) override { return {p.x + 100, p.y + 200}; }
    void openTextEditor(const std::string& href, Point at, int width,
                        const std::string& text) override {
        editorHref = href;
        editorAt = at;
        editorWidth = width;
        editorText = text;
        ++editorOpens;
    }
    void openSpinEditor(const std::string& href, Point at, int width,
                        const std::string& text) override {
        opened("spin", href, at, width, text);
    }
    void openMaskEditor(const std::string& href, Point at, int width, const EditMask&,
                        const std::string& text) override {
        opened("mask", href, at, width, text);
    }
    void openDatePicker(const std::string& href, Point at, int width, bool timeMode,
                        std::optional<SystemTime> value) override {
        // What the picker shows, as text, so that a wrong date or time shows in the case.
        opened(timeMode ? "time" : "date", href, at, width,
               value ? formatDateTime(*value, "yyyy-MM-dd HH:mm", {}) : "");
        pickerValue = value;
    }
    void openListBox(const std::string& href, Point at, const std::vector<std::string>& values,
                     int selected) override {
        opened("list", href, at, 0, "");
        offered = values;
        listSelected = selected;
    }
    std::optional<int> popUpMenu(Point at, const std::vector<std::string>& captions) override {
        opened("menu", "", at, 0, "");
        offered = captions;
        return menuChoice;
    }
    std::optional<std::string> browseForFolder(const std::string& folder, Point below) override {
        opened("dir", "", below, 0, folder);
        return folderChoice;
    }
    std::string currentDirectory() override { return "C:\\work\\"; }
    DateTimeFormats dateTimeFormats() override { return {}; }
    void opened(const std::string& kind, const std::string& href, Point at, int width,
                const std::string& text) {
        editorKind = kind;
        editorHref = href;
        editorAt = at;
        editorWidth = width;
        editorText = text;
        ++editorOpens;
    }

    bool hoverOn = true;
    bool tabStopOn = true;
    int markupWrites = 0;
    std::vector<Rect> repaints;
    int fullRepaints = 0;
    int hintCancels = 0;
    int focusTaken = 0;
    std::vector<std::string> accessEvents;
    std::string editorKind, editorHref, editorText;
    std::vector<std::string> offered;
    int listSelected = -2;
    std::optional<SystemTime> pickerValue;
    std::optional<int> menuChoice;
    std::optional<std::string> folderChoice;
    Point editorAt;
    int editorWidth = 0;
    int editorOpens = 0;
};

} // namespace remvana
