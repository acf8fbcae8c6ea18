#include "app/win32/details_pane.h"

#include <array>

#include "actions/product_links.h"
#include "app/layout.h"
#include "app/resize_rules.h"
#include "app/scaled_layout.h"
#include "app/win32/application.h"
#include "app/win32/gdi_util.h"
#include "app/win32/link_label.h"
#include "app/win32/main_form.h"
#include "app/win32/panel_control.h"
#include "app/win32/res/resource.h"
#include "app/win32/window_util.h"
#include "details/details_markup.h"
#include "platform/win32/canvas_gdi.h"
#include "platform/win32/display_dpi.h"
#include "widgets/paramlabel/win32/param_label.h"

namespace remvana {

namespace {

using namespace layout;

constexpr std::array<ButtonRow, 1> kDetailsButtons{{
    {&kModifyPropertiesButton, EnabledBy::Edits, Anchor::Right,
     &T_mainForm::ModifyPropertiesAdvToolButtonClick},
}};

constexpr std::array<DetailsPane::LinkRow, 4> kDetailsLinks{{
    {&kStartupLink, nullptr, &DetailsPane::StartupLabelClick},
    {&kSiteLink, &LinkTops::site, &DetailsPane::SiteLabelClick},
    {&kSuggestLink, &LinkTops::suggest, &DetailsPane::SuggestLabelClick},
    {&kMailToLink, &LinkTops::mailTo, &DetailsPane::MailToLabelClick},
}};

} // namespace

DetailsPane::DetailsPane() : buttons_(kDetailsButtons) {}

std::span<const ButtonRow> DetailsPane::buttonTable() {
    return kDetailsButtons;
}

std::span<const DetailsPane::LinkRow> DetailsPane::linkTable() {
    return kDetailsLinks;
}

void DetailsPane::create(HWND parent, const Rect& rect, HWND tooltips, HINSTANCE instance,
                         Shell& shell) {
    instance_ = instance;
    shell_ = &shell;
    dpi_ = layoutDpi(parent);
    panel_ = createAdvPanel(parent, kRightPanelId, rect);
    // Tab goes through the pane's controls in the order they were made: the label's values,
    // "Modify Properties" that writes them, then the links.
    createImages();
    createLabel();
    buttons_.create(panel_, tooltips);
    links_.clear();
    for (const LinkRow& row : kDetailsLinks)
        links_.push_back(createLinkLabel(panel_, *row.placement, tooltips));
}

void DetailsPane::createImages() {
    // 0 is the program image, 1 the heading image, each loaded at the size of the scale.
    const int size = creationLayout(dpi_).labelImageSize;
    labelImages_.reset(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 2, 2));
    for (int id : {IDI_DEFAULT_PROGRAM, IDI_HEADING})
        addIconResource(labelImages_.get(), instance_, id, size);
}

void DetailsPane::createLabel() {
    TParamLabel* label =
        TParamLabel::create(panel_, kParamLabelId, toRECT(labelPlace(LabelFit::Table)));
    if (!label) return;
    label_ = label->hwnd();
    styleLabel();
    // EmptyParam keeps its default "?".
    ParamEditOptions& options = label->editOptions();
    options.EditAutoSize = true;
    options.AdvanceOnReturn = false;
    options.ParamHint = true;
    label->setHtmlLine(0, kPropertiesHeadingLine);
    label->events().OnParamClick = [this](TParamLabel* sender, const std::string& href,
                                          std::string& value) {
        if (OnParamClick) OnParamClick(sender ? sender->hwnd() : nullptr, href, value);
    };
    label->events().OnParamEditDone = [this](TParamLabel* sender, const std::string& href,
                                             std::string& value) {
        if (OnParamEditDone) OnParamEditDone(sender ? sender->hwnd() : nullptr, href, value);
    };
}

// The label's look at the pane's scale, with the images made for it.
void DetailsPane::styleLabel() {
    TParamLabel* label = TParamLabel::fromHandle(label_);
    if (!label) return;
    const CreationLayout at = creationLayout(dpi_);
    ParamLabelLook look = label->look();
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
    label->setImages(labelImages_.get());
}

Rect DetailsPane::labelPlace(LabelFit fit) const {
    const Rect table = creationLayout(dpi_).paramLabel;
    if (fit == LabelFit::Table) return table;
    const Rect now = childRectOf(label_);
    Size size{now.width(), now.height()};
    if (fit != LabelFit::KeepSize) {
        // The label's figures of the rule do not depend on the button's width.
        const DetailsPaneFit rule = rightAdvPanelResize(clientSizeOf(panel_), 0, dpi_);
        size.cx = rule.paramLabelWidth;
        if (fit == LabelFit::WidthAndHeight) size.cy = rule.paramLabelHeight;
    }
    return {table.left, table.top, table.left + size.cx, table.top + size.cy};
}

void DetailsPane::layout(const Rect& rect, int dpi) {
    if (dpi != dpi_) {
        dpi_ = dpi;
        rescale();
    }
    const Size before = clientSizeOf(panel_);
    moveChild(panel_, rect);
    // A failing resize handler does not stop the callers' layout.
    if (clientSizeOf(panel_) != before) Application.guarded([&] { RightAdvPanelResize(panel_); });
}

void DetailsPane::rescale() {
    buttons_.rescale(dpi_);
    for (std::size_t i = 0; i < links_.size(); ++i) {
        HWND link = links_[i];
        const Point at = placedAt(*kDetailsLinks[i].placement, dpi_);
        setChildLeft(link, at.x);
        setChildTop(link, at.y);
        SendMessageA(link, WM_SETFONT, reinterpret_cast<WPARAM>(fontAtDpi(kLinkFont, dpi_)), FALSE);
        // Setting its text again fits the label to the text in the new font.
        char text[256] = {};
        GetWindowTextA(link, text, sizeof text);
        SetWindowTextA(link, text);
    }
    // The label lets go of the old images before they go.
    ScopedImageList old = std::move(labelImages_);
    createImages();
    styleLabel();
    if (label_) moveChild(label_, labelPlace(LabelFit::KeepSize));
}

void DetailsPane::fitButtons() {
    std::vector<int> lefts;
    for (int width : buttons_.rightAnchoredWidths())
        lefts.push_back(
            rightAdvPanelResize(clientSizeOf(panel_), width, dpi_).modifyPropertiesLeft);
    buttons_.setRightAnchoredLefts(lefts);
}

void DetailsPane::RightAdvPanelResize(HWND) {
    fitButtons();
    if (label_) moveChild(label_, labelPlace(LabelFit::WidthAndHeight));
}

void DetailsPane::followWindowResize() {
    fitButtons();
    if (label_) moveChild(label_, labelPlace(LabelFit::Width));
    const LinkTops tops = linkTopsFor(clientSizeOf(panel_).cy, dpi_);
    for (std::size_t i = 0; i < links_.size(); ++i)
        if (kDetailsLinks[i].bottomTop) setChildTop(links_[i], tops.*kDetailsLinks[i].bottomTop);
    placeLinksWithin();
}

void DetailsPane::placeLinksWithin() {
    const int pane = clientSizeOf(panel_).cx;
    for (std::size_t i = 0; i < links_.size(); ++i) {
        if (!kDetailsLinks[i].bottomTop) continue;
        HWND link = links_[i];
        setChildLeft(link, linkLeftWithin(placedAt(*kDetailsLinks[i].placement, dpi_).x,
                                          childRectOf(link).width(), pane));
    }
}

void DetailsPane::showLine0(const std::string& markup) {
    if (TParamLabel* label = TParamLabel::fromHandle(label_)) label->setHtmlLine(0, markup);
}

void DetailsPane::showHeading() {
    showLine0(kPropertiesHeadingLine);
}

std::string DetailsPane::emptyParam() const {
    TParamLabel* label = TParamLabel::fromHandle(label_);
    return label ? label->editOptions().EmptyParam : std::string();
}

bool DetailsPane::command(T_mainForm& form, int id, int code, HWND control) {
    if (buttons_.command(form, id, code, control)) return true;
    if (code != STN_CLICKED || !isLinkLabel(control)) return false;
    for (std::size_t i = 0; i < links_.size(); ++i)
        if (kDetailsLinks[i].placement->id == id && links_[i] == control) {
            (this->*kDetailsLinks[i].click)(control);
            return true;
        }
    return false;
}

void DetailsPane::setEnabled(int id, bool enabled) {
    if (HWND button = buttons_.button(id)) EnableWindow(button, enabled ? TRUE : FALSE);
}

void DetailsPane::SiteLabelClick(HWND) {
    openProductLink(ProductLink::HomePage, *shell_);
}

void DetailsPane::MailToLabelClick(HWND) {
    openProductLink(ProductLink::SupportMail, *shell_);
}

void DetailsPane::SuggestLabelClick(HWND) {
    openProductLink(ProductLink::SuggestFeature, *shell_);
}

void DetailsPane::StartupLabelClick(HWND) {
    openProductLink(ProductLink::Lumvex, *shell_);
}

} // namespace remvana
