#include "app/win32/main_form.h"

#include "app/layout.h"
#include "app/resize_rules.h"
#include "app/win32/application.h"
#include "app/win32/gdi_util.h"
#include "app/win32/link_label.h"
#include "app/win32/panel_control.h"
#include "app/win32/res/resource.h"
#include "app/win32/splitter_control.h"
#include "app/win32/status_bar.h"
#include "app/win32/tool_button.h"
#include "app/win32/window_util.h"
#include "inventory/win32/list_view_sink.h"

namespace remvana {

T_mainForm* _mainForm = nullptr;

namespace {

constexpr const char* kFormClass = "T_mainForm";

void registerClasses(HINSTANCE instance) {
    static bool done = false;
    if (done) return;
    done = true;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                                       ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    registerPanelClasses(instance);
    registerToolButtonClass(instance);
    registerStatusBarClass(instance);
    registerLinkLabelClass(instance);
    registerSplitterClass(instance);
}

// Appends the program's icon resource `id`, loaded at `size` pixels, to `images`.
void addIconResource(HIMAGELIST images, HINSTANCE instance, int id, int size) {
    if (HICON image = static_cast<HICON>(
            LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0))) {
        ImageList_AddIcon(images, image);
        DestroyIcon(image);
    }
}

} // namespace

T_mainForm::T_mainForm(HINSTANCE instance, FormServices services)
    : instance_(instance), services_(services), leftPanelWidth_(layout::kLeftPanelWidth) {}

T_mainForm::~T_mainForm() {
    if (Handle != nullptr && IsWindow(Handle)) DestroyWindow(Handle);
    if (_mainForm == this) _mainForm = nullptr;
    if (SmallImageList) ImageList_Destroy(SmallImageList);
    if (LabelImageList) ImageList_Destroy(LabelImageList);
    if (windowFont_) DeleteObject(windowFont_);
    if (filterFont_) DeleteObject(filterFont_);
    Application.KeyPreview = nullptr;
}

HWND T_mainForm::create() {
    registerClasses(instance_);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(instance_, kFormClass, &wc)) {
        wc.cbSize = sizeof wc;
        wc.hInstance = instance_;
        wc.lpfnWndProc = windowProc;
        wc.lpszClassName = kFormClass;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_REMVANA));
        wc.hIconSm = static_cast<HICON>(
            LoadImageA(instance_, MAKEINTRESOURCEA(IDI_REMVANA), IMAGE_ICON, 16, 16, 0));
        RegisterClassExA(&wc);
    }
    _mainForm = this;
    CreateWindowExA(WS_EX_CONTROLPARENT, kFormClass, "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                    CW_USEDEFAULT, CW_USEDEFAULT, layout::kWindowWidth, layout::kWindowHeight,
                    nullptr, nullptr, instance_, this);
    return Handle;
}

void T_mainForm::show(int showCommand) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT self{};
    GetWindowRect(Handle, &self);
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    SetWindowPos(Handle, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(Handle, showCommand);
    UpdateWindow(Handle);
}

LRESULT CALLBACK T_mainForm::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* form = static_cast<T_mainForm*>(create->lpCreateParams);
        form->Handle = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<T_mainForm*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (form == nullptr) return DefWindowProcA(hwnd, msg, wParam, lParam);
    return form->handleMessage(msg, wParam, lParam);
}

LRESULT T_mainForm::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND self = Handle; // Handle is cleared once the window is gone
    LRESULT result = 0;
    switch (msg) {
    case WM_CREATE:
        createControls();
        // Laid out for the real client area before the first refresh fills the list: resized
        // when first shown, with hundreds of rows in it, the list would lay them all out again.
        onSize();
        // An error while the window is being created is shown, and creation goes on.
        Application.guarded([&] { FormCreate(Handle); });
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
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == AdvListView) {
            Application.guarded([&] { result = listNotify(header); });
            return result;
        }
        break;
    }
    case kCheckHealthMessage:
        Application.guarded([&] { checkHealthBatch(wParam); });
        return 0;
    case kCompleteEntriesMessage:
        Application.guarded([&] { completeEntries(); });
        return 0;
    case kSplitterMovedMessage:
        onSplitterReleased(static_cast<int>(wParam));
        return 0;
    case WM_GETMINMAXINFO:
        // Narrower than this, "Refresh" would cover "Undo".
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize.x = layout::kMinWindowWidth;
        return 0;
    case WM_GETFONT:
        // The window's font, for children that take their parent's.
        return reinterpret_cast<LRESULT>(windowFont_);
    case WM_DESTROY:
        if (Application.MainWindow == Handle) PostQuitMessage(0);
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(Handle, GWLP_USERDATA, 0);
        Handle = nullptr;
        break;
    default:
        if (handleChildMessage(Handle, msg, wParam, lParam, result)) return result;
    }
    return DefWindowProcA(self, msg, wParam, lParam);
}

void T_mainForm::createControls() {
    using namespace layout;
    windowFont_ = createFontOf(kWindowFont);
    createImageLists();

    const PaneRects panes = alignPanes({kClientWidth, kClientHeight}, kLeftPanelWidth);
    AdvOfficeStatusBar = createStatusBar(Handle, kStatusBarId, instance_);
    MainAdvPanel = createAdvPanel(Handle, kMainPanelId, panes.mainPanel, instance_);
    LeftAdvPanel = createAdvPanel(MainAdvPanel, kLeftAdvPanelId, panes.leftAdvPanel, instance_);
    TopAdvPanel = createAdvPanel(LeftAdvPanel, kTopPanelId, panes.topPanel, instance_);
    LeftPanel = createPlainPanel(LeftAdvPanel, kLeftPanelId, panes.leftPanel, instance_);
    const Rect& bar = panes.splitter;
    Splitter = createSplitter(LeftAdvPanel, kSplitterId, bar.left, bar.top, bar.width(),
                              bar.height(), instance_);
    RightAdvPanel = createAdvPanel(LeftAdvPanel, kRightPanelId, panes.rightPanel, instance_);

    RemoveAdvToolButton = createToolButton(TopAdvPanel, kRemoveButton, instance_);
    ChangeAdvToolButton = createToolButton(TopAdvPanel, kChangeButton, instance_);
    RepairAdvToolButton = createToolButton(TopAdvPanel, kRepairButton, instance_);
    DeleteEntryAdvToolButton = createToolButton(TopAdvPanel, kDeleteEntryButton, instance_);
    UndoAdvToolButton = createToolButton(TopAdvPanel, kUndoButton, instance_);
    RefreshAdvToolButton = createToolButton(TopAdvPanel, kRefreshButton, instance_);
    SavetofileAdvToolButton = createToolButton(TopAdvPanel, kSavetofileButton, instance_);
    ModifyPropertiesAdvToolButton =
        createToolButton(RightAdvPanel, kModifyPropertiesButton, instance_);

    Tooltips =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, Handle, nullptr, instance_, nullptr);
    StartupLabel = createLinkLabel(RightAdvPanel, kStartupLink, Tooltips, instance_);
    SiteLabel = createLinkLabel(RightAdvPanel, kSiteLink, Tooltips, instance_);
    SuggestLabel = createLinkLabel(RightAdvPanel, kSuggestLink, Tooltips, instance_);
    MailToLabel = createLinkLabel(RightAdvPanel, kMailToLink, Tooltips, instance_);
    addUndoTooltip();

    createListControl();
    createFilterEdit();
    createParamLabel();
}

void T_mainForm::createImageLists() {
    using namespace layout;
    SmallImageList = ImageList_Create(kSmallImageSize, kSmallImageSize, ILC_COLOR32 | ILC_MASK, 1,
                                      kSmallImageGrowBy);
    addIconResource(SmallImageList, instance_, IDI_DEFAULT_PROGRAM, kSmallImageSize);
    // The label's images: 0 is the program image, 1 the heading image of the details.
    LabelImageList = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 2);
    for (int id : {IDI_DEFAULT_PROGRAM, IDI_HEADING})
        addIconResource(LabelImageList, instance_, id, 16);
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
            if (binding.id == id) Application.guarded([&] { (this->*binding.handler)(control); });
    };
    if (code == BN_CLICKED && isToolButton(control)) dispatch(kButtonClicks);
    if (code == STN_CLICKED && isLinkLabel(control)) dispatch(kLabelClicks);
    if (id == kFilterEditId && code == EN_CHANGE && control == FilterEdit)
        Application.guarded([&] { FilterEditChange(control); });
}

void T_mainForm::onSize() {
    // The panes follow their alignment first, then the window's resize handler runs.
    realign(leftPanelWidth_);
    Application.guarded([&] { FormResize(Handle); });
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
    Application.guarded([&] { FormActivate(Handle); });
}

void T_mainForm::realign(int leftPanelWidth) {
    const PaneRects panes = alignPanes(clientSizeOf(Handle), leftPanelWidth);
    const Size before = clientSizeOf(RightAdvPanel);
    moveChild(AdvOfficeStatusBar, panes.statusBar);
    moveChild(MainAdvPanel, panes.mainPanel);
    moveChild(LeftAdvPanel, panes.leftAdvPanel);
    moveChild(TopAdvPanel, panes.topPanel);
    moveChild(LeftPanel, panes.leftPanel);
    moveChild(Splitter, panes.splitter);
    moveChild(RightAdvPanel, panes.rightPanel);
    const ListPaneFit listPane = listPaneFit(clientSizeOf(LeftPanel));
    if (FilterEdit) moveChild(FilterEdit, listPane.filterEdit);
    // The list fits its name column to every new size itself.
    if (AdvListView) moveChild(AdvListView, listPane.list);
    if (clientSizeOf(RightAdvPanel) != before)
        Application.guarded([&] { RightAdvPanelResize(RightAdvPanel); });
}

void T_mainForm::onSplitterReleased(int proposedLeft) {
    const int container = clientSizeOf(LeftAdvPanel).cx;
    leftPanelWidth_ = splitterDragWidth(proposedLeft, container, leftPanelWidth_);
    realign(leftPanelWidth_);
}

void T_mainForm::FormResize(HWND) {
    FormResizeInput input;
    input.outerWidth = outerWidthOf(Handle);
    input.client = clientSizeOf(Handle);
    input.refreshWidth = outerWidthOf(RefreshAdvToolButton);
    input.savetofileWidth = outerWidthOf(SavetofileAdvToolButton);
    input.modifyPropertiesWidth = outerWidthOf(ModifyPropertiesAdvToolButton);
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
    setChildTop(MailToLabel, plan.links.mailTo);
    setChildTop(SuggestLabel, plan.links.suggest);
    setChildTop(SiteLabel, plan.links.site);
}

void T_mainForm::RightAdvPanelResize(HWND) {
    const DetailsPaneFit fit = rightAdvPanelResize(clientSizeOf(RightAdvPanel),
                                                   outerWidthOf(ModifyPropertiesAdvToolButton));
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
    SetWindowTextA(Handle, caption.c_str());
}

std::string T_mainForm::caption() const {
    char text[512] = {};
    GetWindowTextA(Handle, text, sizeof text);
    return text;
}

} // namespace remvana
