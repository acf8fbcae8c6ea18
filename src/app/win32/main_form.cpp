#include "app/win32/main_form.h"

#include "app/layout.h"
#include "app/resize_rules.h"
#include "app/scaled_layout.h"
#include "app/win32/application.h"
#include "app/win32/form_resources.h"
#include "app/win32/gdi_util.h"
#include "app/win32/link_label.h"
#include "app/win32/list_view_sink.h"
#include "app/win32/program_list_columns.h"
#include "app/win32/panel_control.h"
#include "app/win32/res/resource.h"
#include "app/win32/splitter_control.h"
#include "app/win32/status_bar.h"
#include "app/win32/tool_button.h"
#include "app/win32/window_util.h"
#include "platform/win32/display_dpi.h"

namespace remvana {

T_mainForm* _mainForm = nullptr;

namespace {

constexpr const char* kFormClass = "T_mainForm";

// Appends the program's icon resource `id`, loaded at `size` pixels, to `images`.
void addIconResource(HIMAGELIST images, HINSTANCE instance, int id, int size) {
    const ScopedIcon image(
        static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0)));
    if (image) ImageList_AddIcon(images, image.get()); // the list keeps a copy
}

} // namespace

T_mainForm::T_mainForm(HINSTANCE instance, FormServices services)
    : instance_(instance), services_(services), resources_(std::make_unique<FormResources>()),
      leftPanelWidth_(layout::kLeftPanelWidth) {}

T_mainForm::~T_mainForm() {
    if (hwnd() != nullptr && IsWindow(hwnd())) DestroyWindow(hwnd());
    if (_mainForm == this) _mainForm = nullptr;
    Application.KeyPreview = nullptr;
}

WindowClass T_mainForm::windowClass() {
    // The class keeps its icons for the life of the process.
    HINSTANCE module = GetModuleHandleA(nullptr);
    static const HICON icon = LoadIconA(module, MAKEINTRESOURCEA(IDI_REMVANA));
    // The caption's icon at the system's small size: 16 at 96 DPI, more when scaled.
    static const ScopedIcon smallIcon(static_cast<HICON>(
        LoadImageA(module, MAKEINTRESOURCEA(IDI_REMVANA), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                   GetSystemMetrics(SM_CYSMICON), 0)));
    WindowClass spec{kFormClass};
    spec.background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    spec.icon = icon;
    spec.smallIcon = smallIcon.get();
    return spec;
}

HWND T_mainForm::create() {
    static const bool commonControls = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                                           ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)commonControls;
    _mainForm = this;
    // Sized for the system DPI: the window's own is known once it exists (createControls).
    const int systemScale = systemDpi();
    const Size size = creationLayout(systemScale).window;
    createWindow(WS_EX_CONTROLPARENT, "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                 CW_USEDEFAULT, size.cx, size.cy, nullptr);
    // Opened on a display of another scale than the system's: the size of that scale.
    if (hwnd() && dpi_ != systemScale) {
        const Size own = creationLayout(dpi_).window;
        SetWindowPos(hwnd(), nullptr, 0, 0, own.cx, own.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return hwnd();
}

void T_mainForm::show(int showCommand) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT self{};
    GetWindowRect(hwnd(), &self);
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    SetWindowPos(hwnd(), nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd(), showCommand);
    UpdateWindow(hwnd());
}

LRESULT T_mainForm::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    switch (msg) {
    case WM_CREATE:
        onCreate();
        return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED && AdvOfficeStatusBar != nullptr) onSize();
        return 0;
    case WM_ACTIVATE:
        onActivate(wParam, lParam);
        break;
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_NOTIFY:
        return onNotify(reinterpret_cast<NMHDR*>(lParam), wParam, lParam);
    case kCheckHealthMessage:
        checkHealthBatch(wParam);
        return 0;
    case kCompleteEntriesMessage:
        Application.guarded([&] { completeEntries(); });
        return 0;
    case kSplitterMovedMessage:
        onSplitterReleased(static_cast<int>(wParam));
        return 0;
    case WM_GETMINMAXINFO:
        // Narrower than this, "Refresh" would cover "Undo".
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize.x =
            creationLayout(dpi_).minWindowWidth;
        return 0;
    case WM_DPICHANGED:
        onDpiChanged(dpiChangeOf(wParam, lParam));
        return 0;
    case WM_GETFONT:
        // The window's font, for children that take their parent's.
        return reinterpret_cast<LRESULT>(resources_->windowFont.get());
    case WM_DESTROY:
        if (Application.MainWindow == hwnd()) PostQuitMessage(0);
        break;
    default:
        if (handleChildMessage(hwnd(), msg, wParam, lParam, result)) return result;
    }
    return defaultMessage(msg, wParam, lParam);
}

void T_mainForm::onCreate() {
    createControls();
    // Laid out for the real client area before the first refresh fills the list: resized
    // when first shown, with hundreds of rows in it, the list would lay them all out again.
    onSize();
    // An error while the window is being created is shown, and creation goes on.
    Application.guarded([&] { FormCreate(hwnd()); });
}

LRESULT T_mainForm::onNotify(NMHDR* header, WPARAM wParam, LPARAM lParam) {
    if (header->hwndFrom == AdvListView) return listNotify(header);
    return defaultMessage(WM_NOTIFY, wParam, lParam);
}

const std::array<T_mainForm::PlacedButton, 8>& T_mainForm::placedButtons() {
    using namespace layout;
    static const std::array<PlacedButton, 8> buttons{{
        {&T_mainForm::RemoveAdvToolButton, &T_mainForm::TopAdvPanel, &kRemoveButton},
        {&T_mainForm::ChangeAdvToolButton, &T_mainForm::TopAdvPanel, &kChangeButton},
        {&T_mainForm::RepairAdvToolButton, &T_mainForm::TopAdvPanel, &kRepairButton},
        {&T_mainForm::DeleteEntryAdvToolButton, &T_mainForm::TopAdvPanel, &kDeleteEntryButton},
        {&T_mainForm::UndoAdvToolButton, &T_mainForm::TopAdvPanel, &kUndoButton},
        {&T_mainForm::RefreshAdvToolButton, &T_mainForm::TopAdvPanel, &kRefreshButton},
        {&T_mainForm::SavetofileAdvToolButton, &T_mainForm::TopAdvPanel, &kSavetofileButton},
        {&T_mainForm::ModifyPropertiesAdvToolButton, &T_mainForm::RightAdvPanel,
         &kModifyPropertiesButton},
    }};
    return buttons;
}

const std::array<T_mainForm::PlacedLink, 4>& T_mainForm::placedLinks() {
    using namespace layout;
    static const std::array<PlacedLink, 4> links{{
        {&T_mainForm::StartupLabel, &kStartupLink, nullptr},
        {&T_mainForm::SiteLabel, &kSiteLink, &LinkTops::site},
        {&T_mainForm::SuggestLabel, &kSuggestLink, &LinkTops::suggest},
        {&T_mainForm::MailToLabel, &kMailToLink, &LinkTops::mailTo},
    }};
    return links;
}

void T_mainForm::createControls() {
    using namespace layout;
    dpi_ = windowDpi(hwnd());
    setLayoutDpi(hwnd(), dpi_);
    const CreationLayout at = creationLayout(dpi_);
    leftPanelWidth_ = at.leftPanelWidth;
    resources_->windowFont.reset(createFontOf(scaledFont(kWindowFont, dpi_)));
    createImageLists();

    const PaneRects& panes = at.panes;
    AdvOfficeStatusBar = createStatusBar(hwnd(), kStatusBarId);
    MainAdvPanel = createAdvPanel(hwnd(), kMainPanelId, panes.mainPanel);
    LeftAdvPanel = createAdvPanel(MainAdvPanel, kLeftAdvPanelId, panes.leftAdvPanel);
    TopAdvPanel = createAdvPanel(LeftAdvPanel, kTopPanelId, panes.topPanel);
    LeftPanel = createPlainPanel(LeftAdvPanel, kLeftPanelId, panes.leftPanel);
    const Rect& bar = panes.splitter;
    Splitter =
        createSplitter(LeftAdvPanel, kSplitterId, bar.left, bar.top, bar.width(), bar.height());
    RightAdvPanel = createAdvPanel(LeftAdvPanel, kRightPanelId, panes.rightPanel);

    for (const PlacedButton& placed : placedButtons())
        this->*placed.button = createToolButton(this->*placed.parent, *placed.placement);

    // Owned by the window, so it goes with it.
    Tooltips =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, instance_, nullptr);
    for (const PlacedLink& placed : placedLinks())
        this->*placed.label = createLinkLabel(RightAdvPanel, *placed.placement, Tooltips);
    addUndoTooltip();

    createListControl();
    createFilterEdit();
    createParamLabel();
}

void T_mainForm::createImageLists() {
    using namespace layout;
    // Images at the size that fits the scale, each loaded at that size from its icon.
    const CreationLayout at = creationLayout(dpi_);
    const int rowSize = at.smallImageSize;
    resources_->smallImages.reset(
        ImageList_Create(rowSize, rowSize, ILC_COLOR32 | ILC_MASK, 1, kSmallImageGrowBy));
    SmallImageList = resources_->smallImages.get();
    addIconResource(SmallImageList, instance_, IDI_DEFAULT_PROGRAM, rowSize);
    // The label's images: 0 is the program image, 1 the heading image of the details.
    const int labelSize = at.labelImageSize;
    resources_->labelImages.reset(
        ImageList_Create(labelSize, labelSize, ILC_COLOR32 | ILC_MASK, 2, 2));
    LabelImageList = resources_->labelImages.get();
    for (int id : {IDI_DEFAULT_PROGRAM, IDI_HEADING})
        addIconResource(LabelImageList, instance_, id, labelSize);
}

void T_mainForm::onCommand(int id, int code, HWND control) {
    using namespace layout;
    using Handler = void (T_mainForm::*)(HWND);
    struct Binding {
        int id;
        Handler handler;
    };
    // Which handler each control's click is bound to.
    static constexpr Binding kButtonClicks[] = {
        {kRemoveButtonId, &T_mainForm::RemoveAdvToolButtonClick},
        {kChangeButtonId, &T_mainForm::ChangeAdvToolButtonClick},
        {kRepairButtonId, &T_mainForm::RepairAdvToolButtonClick},
        {kDeleteEntryButtonId, &T_mainForm::DeleteEntryAdvToolButtonClick},
        {kUndoButtonId, &T_mainForm::UndoAdvToolButtonClick},
        {kRefreshButtonId, &T_mainForm::RefreshAdvToolButtonClick},
        {kSavetofileButtonId, &T_mainForm::SavetofileAdvToolButtonClick},
        {kModifyPropertiesButtonId, &T_mainForm::ModifyPropertiesAdvToolButtonClick},
    };
    static constexpr Binding kLabelClicks[] = {
        {kSiteLabelId, &T_mainForm::SiteLabelClick},
        {kMailToLabelId, &T_mainForm::MailToLabelClick},
        {kSuggestLabelId, &T_mainForm::SuggestLabelClick},
        {kStartupLabelId, &T_mainForm::StartupLabelClick},
    };
    if (control == nullptr) return;
    auto dispatch = [&](const auto& bindings) {
        for (const Binding& binding : bindings)
            if (binding.id == id) (this->*binding.handler)(control);
    };
    if (code == BN_CLICKED && isToolButton(control)) dispatch(kButtonClicks);
    if (code == STN_CLICKED && isLinkLabel(control)) dispatch(kLabelClicks);
    if (id == kFilterEditId && code == EN_CHANGE && control == FilterEdit)
        FilterEditChange(control);
}

void T_mainForm::onSize() {
    // The panes follow their alignment first, then the window's resize handler runs.
    realign(leftPanelWidth_);
    FormResize(hwnd());
}

void T_mainForm::onActivate(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == WA_INACTIVE) return;
    // Activation counts when the window is first shown and when focus returns from another
    // window of this program (a dialog); coming back from another program is not one, and
    // neither is the closing of the error box that a failing activation itself put up.
    if (Application.ShowingError()) return;
    HWND previous = reinterpret_cast<HWND>(lParam);
    DWORD process = 0;
    if (previous != nullptr) GetWindowThreadProcessId(previous, &process);
    const bool fromOwnWindow = previous != nullptr && process == GetCurrentProcessId();
    if (activatedOnce_ && !fromOwnWindow) return;
    activatedOnce_ = true;
    // The activation goes on to the system's handling (the focus) after an error.
    Application.guarded([&] { FormActivate(hwnd()); });
}

void T_mainForm::realign(int leftPanelWidth) {
    const PaneRects panes = alignPanes(clientSizeOf(hwnd()), leftPanelWidth, dpi_);
    const Size before = clientSizeOf(RightAdvPanel);
    moveChild(AdvOfficeStatusBar, panes.statusBar);
    moveChild(MainAdvPanel, panes.mainPanel);
    moveChild(LeftAdvPanel, panes.leftAdvPanel);
    moveChild(TopAdvPanel, panes.topPanel);
    moveChild(LeftPanel, panes.leftPanel);
    moveChild(Splitter, panes.splitter);
    moveChild(RightAdvPanel, panes.rightPanel);
    const ListPaneFit listPane = listPaneFit(clientSizeOf(LeftPanel), dpi_);
    if (FilterEdit) moveChild(FilterEdit, listPane.filterEdit);
    // The list fits its name column to every new size itself.
    if (AdvListView) moveChild(AdvListView, listPane.list);
    // A failing resize handler does not stop the callers' layout.
    if (clientSizeOf(RightAdvPanel) != before)
        Application.guarded([&] { RightAdvPanelResize(RightAdvPanel); });
}

void T_mainForm::onSplitterReleased(int proposedLeft) {
    const int container = clientSizeOf(LeftAdvPanel).cx;
    leftPanelWidth_ = splitterDragWidth(proposedLeft, container, leftPanelWidth_, dpi_);
    realign(leftPanelWidth_);
}

void T_mainForm::FormResize(HWND) {
    FormResizeInput input;
    input.outerWidth = outerWidthOf(hwnd());
    input.client = clientSizeOf(hwnd());
    input.refreshWidth = outerWidthOf(RefreshAdvToolButton);
    input.savetofileWidth = outerWidthOf(SavetofileAdvToolButton);
    input.modifyPropertiesWidth = outerWidthOf(ModifyPropertiesAdvToolButton);
    input.dpi = dpi_;
    const FormResizeResult plan = formResize(input);

    setChildLeft(SavetofileAdvToolButton, plan.savetofileLeft);
    setChildLeft(RefreshAdvToolButton, plan.refreshLeft);
    leftPanelWidth_ = plan.leftPanelWidth;
    realign(leftPanelWidth_);
    setChildLeft(ModifyPropertiesAdvToolButton, plan.details.modifyPropertiesLeft);
    if (ParamLabel) {
        setChildSize(ParamLabel, plan.details.paramLabelWidth, childRectOf(ParamLabel).height());
    }
    InvalidateRect(Splitter, nullptr, FALSE);
    for (const PlacedLink& placed : placedLinks())
        if (placed.bottomTop) setChildTop(this->*placed.label, plan.links.*placed.bottomTop);
    placeLinksInPane();
}

void T_mainForm::RightAdvPanelResize(HWND) {
    const DetailsPaneFit fit = rightAdvPanelResize(
        clientSizeOf(RightAdvPanel), outerWidthOf(ModifyPropertiesAdvToolButton), dpi_);
    setChildLeft(ModifyPropertiesAdvToolButton, fit.modifyPropertiesLeft);
    if (ParamLabel) setChildSize(ParamLabel, fit.paramLabelWidth, fit.paramLabelHeight);
}

void T_mainForm::setButtonEnabled(HWND button, bool enabled) {
    EnableWindow(button, enabled ? TRUE : FALSE);
}

bool T_mainForm::buttonEnabled(HWND button) const {
    return IsWindowEnabled(button) != FALSE;
}

void T_mainForm::setStatusText(int panel, const std::string& text) {
    setStatusPanelText(AdvOfficeStatusBar, panel, text);
}

std::string T_mainForm::statusText(int panel) const {
    return statusPanelText(AdvOfficeStatusBar, panel);
}

void T_mainForm::setCaption(const std::string& caption) {
    SetWindowTextA(hwnd(), caption.c_str());
}

std::string T_mainForm::caption() const {
    char text[512] = {};
    GetWindowTextA(hwnd(), text, sizeof text);
    return text;
}

} // namespace remvana
