// Editing glue of the main window: recorded edits and "Modify Properties".
// PLACEHOLDER bodies: the editing owner replaces this file with the real handlers.
#include "app/win32/main_form.h"

namespace remvana {

void T_mainForm::ParamLabelParamEditDone(HWND, const std::string&, std::string&) {}

void T_mainForm::ModifyPropertiesAdvToolButtonClick(HWND) {}

} // namespace remvana
