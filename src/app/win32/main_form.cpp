#include "app/win32/main_form.h"

#include <commctrl.h>

#include "app/layout.h"
#include "app/resize_rules.h"
#include "app/scaled_layout.h"
#include "app/win32/application.h"
#include "app/win32/panel_control.h"
#include "app/win32/res/resource.h"
#include "app/win32/splitter_control.h"
#include "app/win32/status_bar.h"
#include "app/win32/window_util.h"
#include "platform/win32/display_dpi.h"

namespace remvana {

T_mainForm* _mainForm = nullptr;

namespace {

constexpr const char* kFormClass = "T_mainForm";

} // namespace

T_mainForm::T_mainForm(HINSTANCE instance, FormServices services)
    : instance_(instance), services_(services), leftPanelWidth_(layout::kLeftPanelWidth) {
    if (services_.jobs)
        command_ = std::make_unique<RunningCommand>(
            RunningCommand::Services{*services_.jobs, *services_.registry, *services_.shell});
}

T_mainForm::~T_mainForm() {
    destroyWindow();
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
        if (wParam != SIZE_MINIMIZED && statusBar_ != nullptr) onSize();
        return 0;
    case WM_ACTIVATE: {
        onActivate(wParam, lParam);
        const LRESULT answer = defaultMessage(msg, wParam, lParam);
        followActivation(wParam);
        return answer;
    }
    case WM_CONTEXTMENU:
        if (onContextMenu(reinterpret_cast<HWND>(wParam), lParam)) return 0;
        break;
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_NOTIFY:
        if (programs_.notify(reinterpret_cast<NMHDR*>(lParam), result)) return result;
        break;
    case kReadingSliceMessage:
        programs_.continueReading(wParam);
        return 0;
    case kSeveralSelectedMessage:
        Application.guarded([&] { showSeveralSelected(); });
        return 0;
    case kCommandEndedMessage:
        Application.guarded([&] { commandEnded(static_cast<std::uint32_t>(wParam)); });
        return 0;
    case kStoresChangedMessage:
        Application.guarded([&] { followStoresRead(); });
        return 0;
    case kRefreshReadMessage:
        Application.guarded([&] { followRefreshRead(); });
        return 0;
    case WM_TIMER:
        if (wParam != kRefreshAfterEditTimer) break;
        KillTimer(hwnd(), kRefreshAfterEditTimer);
        Application.guarded([&] { followRefreshRead(); });
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
        return reinterpret_cast<LRESULT>(fontAtDpi(layout::kWindowFont, dpi_));
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

void T_mainForm::createControls() {
    using namespace layout;
    dpi_ = windowDpi(hwnd());
    setLayoutDpi(hwnd(), dpi_);
    const CreationLayout at = creationLayout(dpi_);
    leftPanelWidth_ = at.leftPanelWidth;

    const PaneRects& panes = at.panes;
    statusBar_ = createStatusBar(hwnd(), kStatusBarId);
    mainPanel_ = createAdvPanel(hwnd(), kMainPanelId, panes.mainPanel);
    leftAdvPanel_ = createAdvPanel(mainPanel_, kLeftAdvPanelId, panes.leftAdvPanel);
    // A popup the window owns: it goes with the window, or with the form if that goes first.
    tooltips_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                    WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                                    instance_, nullptr));
    toolBar_.create(leftAdvPanel_, panes.topPanel, tooltips_.get());
    programs_.create(leftAdvPanel_, panes.leftPanel, hwnd(), instance_, services_);
    const Rect& bar = panes.splitter;
    splitter_ =
        createSplitter(leftAdvPanel_, kSplitterId, bar.left, bar.top, bar.width(), bar.height());
    details_.create(leftAdvPanel_, panes.rightPanel, tooltips_.get(), instance_, *services_.shell);
    bindPaneEvents();
}

void T_mainForm::bindPaneEvents() {
    programs_.OnSelectItem = [this](int item, bool selected) {
        AdvListViewSelectItem(programs_.listWindow(), item, selected);
    };
    programs_.OnColumnClick = [this](int column) {
        AdvListViewColumnClick(programs_.listWindow(), column);
    };
    programs_.OnFilterChanged = [this](bool selectionDropped) {
        if (selectionDropped) resetDetails();
        showProgramCount();
    };
    details_.OnParamClick = [this](HWND sender, const std::string& href, std::string& value) {
        ParamLabelParamClick(sender, href, value);
    };
    details_.OnParamEditDone = [this](HWND sender, const std::string& href, std::string& value) {
        ParamLabelParamEditDone(sender, href, value);
    };
    Application.KeyPreview = [this](const MSG& msg) { return FormShortcut(msg); };
}

void T_mainForm::onCommand(int id, int code, HWND control) {
    if (control == nullptr) return;
    if (toolBar_.command(*this, id, code, control)) return;
    if (details_.command(*this, id, code, control)) return;
    programs_.command(id, code, control);
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
    moveChild(statusBar_, panes.statusBar);
    moveChild(mainPanel_, panes.mainPanel);
    moveChild(leftAdvPanel_, panes.leftAdvPanel);
    toolBar_.layout(panes.topPanel, dpi_);
    programs_.layout(panes.leftPanel, dpi_);
    moveChild(splitter_, panes.splitter);
    details_.layout(panes.rightPanel, dpi_);
}

void T_mainForm::onSplitterReleased(int proposedLeft) {
    const int container = clientSizeOf(leftAdvPanel_).cx;
    leftPanelWidth_ = splitterDragWidth(proposedLeft, container, leftPanelWidth_, dpi_);
    realign(leftPanelWidth_);
}

void T_mainForm::FormResize(HWND) {
    const int outerWidth = outerWidthOf(hwnd());
    toolBar_.alignToWindow(outerWidth, dpi_);
    leftPanelWidth_ = listPaneWidthFor(outerWidth, dpi_);
    realign(leftPanelWidth_);
    details_.followWindowResize();
    InvalidateRect(splitter_, nullptr, FALSE);
}

void T_mainForm::onDpiChanged(const DpiChange& change) {
    dpi_ = change.dpi;
    setLayoutDpi(hwnd(), dpi_);
    const RECT& r = change.suggested;
    if (r.right > r.left && r.bottom > r.top)
        SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    // The size may not have changed, the figures have: every pane lays itself out again,
    // with its fonts and images made anew for the scale.
    onSize();
    details_.RightAdvPanelResize(details_.panel());
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void T_mainForm::setStatusText(int panel, const std::string& text) {
    setStatusPanelText(statusBar_, panel, text);
}

std::string T_mainForm::statusText(int panel) const {
    return statusPanelText(statusBar_, panel);
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
