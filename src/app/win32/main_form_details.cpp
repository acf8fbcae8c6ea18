// Details glue of the main window: the details label and the selection handler.
// PLACEHOLDER bodies: the markup label's owner replaces this file with the real glue
// (TParamLabel and the details markup).
#include "app/layout.h"
#include "app/win32/main_form.h"

namespace remvana {

void T_mainForm::createParamLabel() {
    using namespace layout;
    ParamLabel = CreateWindowExA(
        0, "Static", "Properties", WS_CHILD | WS_VISIBLE | SS_LEFT, kParamLabelLeft, kParamLabelTop,
        kParamLabelWidth, kParamLabelHeight, RightAdvPanel,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kParamLabelId)), instance(), nullptr);
}

void T_mainForm::AdvListViewSelectItem(HWND, int, bool selected) {
    for (HWND button : {RemoveAdvToolButton, ChangeAdvToolButton, RepairAdvToolButton,
                        ModifyPropertiesAdvToolButton})
        setButtonEnabled(button, false);
    if (selected) setButtonEnabled(DeleteEntryAdvToolButton, true);
}

} // namespace remvana
