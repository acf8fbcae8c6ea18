// Details glue of the main window: the details label and the selection handler.
#include "app/layout.h"
#include "app/scaled_layout.h"
#include "app/win32/main_form.h"
#include "details/details_markup.h"
#include "details/entry_facts.h"
#include "inventory/entry_health.h"
#include "platform/win32/canvas_gdi.h"
#include "widgets/paramlabel/win32/param_label.h"

namespace remvana {

void T_mainForm::createParamLabel() {
    using namespace layout;
    const CreationLayout at = creationLayout(dpi_);
    const RECT bounds = toRECT(at.paramLabel);
    TParamLabel* label = TParamLabel::create(RightAdvPanel, kParamLabelId, bounds);
    if (!label) return;
    ParamLabel = label->handle();

    ParamLabelLook look;
    look.Font = scaledFont(kParamLabelFont, dpi_);
    look.Color = rgb(0xFF, 0xFF, 0xFF);
    look.Transparent = false;
    look.LineSpacing = at.paramLabelLineSpacing;
    look.ParamColor = kParamLabelParamColor;
    look.HoverColor = kParamLabelHoverColor;
    look.ShadowColor = kParamLabelShadowColor;
    look.ShadowOffset = at.paramLabelShadowOffset;
    look.AutoSizing = false;
    look.TabStop = true;
    label->setLook(look);

    // EmptyParam keeps its default "?".
    ParamEditOptions& options = label->editOptions();
    options.EditAutoSize = true;
    options.AdvanceOnReturn = false;
    options.ParamHint = true;

    label->setImages(LabelImageList);
    label->setHtmlLine(0, kDetailsHeading);
    label->events().OnParamClick = [this](TParamLabel* sender, const std::string& href,
                                          std::string& value) {
        ParamLabelParamClick(sender ? sender->handle() : nullptr, href, value);
    };
    label->events().OnParamEditDone = [this](TParamLabel* sender, const std::string& href,
                                             std::string& value) {
        ParamLabelParamEditDone(sender ? sender->handle() : nullptr, href, value);
    };
}

void T_mainForm::AdvListViewSelectItem(HWND, int item, bool selected) {
    TAppInfo* entry = rowAppInfo(item);
    // The marks belong in the details even before the checks after the refresh reach it.
    if (entry && selected) checkEntryHealth(*entry, *services().shell);
    const DetailsSelection details = detailsForSelection(entry, selected, *services().locale);
    setButtonEnabled(RemoveAdvToolButton, false);
    setButtonEnabled(ChangeAdvToolButton, false);
    setButtonEnabled(RepairAdvToolButton, false);
    setButtonEnabled(ModifyPropertiesAdvToolButton, false);
    if (!details.markupLine0) return;
    if (details.buttons.deleteEntry)
        setButtonEnabled(DeleteEntryAdvToolButton, *details.buttons.deleteEntry);
    setButtonEnabled(RemoveAdvToolButton, details.buttons.remove);
    setButtonEnabled(ChangeAdvToolButton, details.buttons.change);
    setButtonEnabled(RepairAdvToolButton, details.buttons.repair);
    if (TParamLabel* label = TParamLabel::fromHandle(ParamLabel))
        label->setHtmlLine(0, *details.markupLine0);
}

void T_mainForm::resetDetails() {
    if (TParamLabel* label = TParamLabel::fromHandle(ParamLabel))
        label->setHtmlLine(0, kDetailsHeading);
    disableEntryButtons();
}

void T_mainForm::ParamLabelParamClick(HWND, const std::string& href, std::string&) {
    const TAppInfo* entry = selectedAppInfo();
    if (!entry || href != kInstallLocationHref) return;
    // Only a folder is opened; a file named there would run.
    if (const auto folder = installLocationFolder(entry->InstallLocation, *services().shell))
        services().shell->openTarget(*folder);
}

} // namespace remvana
