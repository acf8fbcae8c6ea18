#pragma once
// The events the parameter label raises. Each receives the label as Sender; a reference
// parameter may be changed by the handler. An event left empty is skipped.
#include <functional>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace remvana {

class TParamLabel;

// OnParamEditStart, OnParamEditDone, OnParamQuery: (href, var value).
using TParamLabelEditEvent =
    std::function<void(TParamLabel* Sender, const std::string& href, std::string& value)>;
// OnParamClick: (href, var value).
using TParamLabelClickEvent =
    std::function<void(TParamLabel* Sender, const std::string& href, std::string& value)>;
// OnParamPopup, OnParamList: (href, values, var DoPopup).
using TParamLabelPopupEvent = std::function<void(TParamLabel* Sender, const std::string& href,
                                                 std::vector<std::string>& values, bool& DoPopup)>;
// OnParamSelect, OnParamEnter, OnParamExit: (href, value).
using TParamLabelSelectEvent =
    std::function<void(TParamLabel* Sender, const std::string& href, const std::string& value)>;
// OnParamChanged: (href, oldvalue, newvalue).
using TParamLabelChangedEvent =
    std::function<void(TParamLabel* Sender, const std::string& href, const std::string& oldvalue,
                       const std::string& newvalue)>;
// OnParamHint: (href, var hintvalue, var showhint).
using TParamLabelHintEvent = std::function<void(TParamLabel* Sender, const std::string& href,
                                                std::string& hintvalue, bool& showhint)>;
// OnParamCustomEdit: (href, value, props, EditRect in screen coordinates).
using TParamCustomEditEvent =
    std::function<void(TParamLabel* Sender, const std::string& href, const std::string& value,
                       const std::string& props, Rect EditRect)>;
// OnControlClick: (X, Y, ControlID, ControlType, ControlValue).
using TParamItemControlEvent =
    std::function<void(TParamLabel* Sender, int X, int Y, const std::string& ControlID,
                       const std::string& ControlType, const std::string& ControlValue)>;

struct ParamLabelEvents {
    TParamLabelEditEvent OnParamEditStart;
    TParamLabelEditEvent OnParamEditDone;
    TParamLabelClickEvent OnParamClick;
    TParamLabelPopupEvent OnParamPopup;
    TParamLabelPopupEvent OnParamList;
    TParamLabelSelectEvent OnParamSelect;
    TParamLabelChangedEvent OnParamChanged;
    TParamLabelHintEvent OnParamHint;
    TParamLabelSelectEvent OnParamEnter;
    TParamLabelSelectEvent OnParamExit;
    TParamLabelEditEvent OnParamQuery;
    TParamCustomEditEvent OnParamCustomEdit;
    TParamItemControlEvent OnControlClick;
};

// Raises an event when it is assigned; an unassigned one costs nothing and changes nothing.
template <typename Event, typename... Args> void raiseEvent(const Event& event, Args&&... args) {
    if (event) event(std::forward<Args>(args)...);
}

} // namespace remvana
