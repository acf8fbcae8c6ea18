// The label's editors beyond the text edit, as the interaction asks for them: the list box,
// spin edit, date picker and mask edit (made on first use and kept), the popup menu and
// the shell's folder browser (made for each use).
#include <windows.h>

#include <shlobj.h>

#include "platform/display_scale.h"
#include "platform/win32/canvas_gdi.h"
#include "platform/win32/display_dpi.h"
#include "platform/win32/system_library.h"
#include "widgets/paramlabel/param_editors.h"
#include "widgets/paramlabel/win32/param_label.h"
#include "widgets/paramlabel/win32/popup_date_picker.h"
#include "widgets/paramlabel/win32/popup_list_box.h"
#include "widgets/paramlabel/win32/popup_mask_edit.h"
#include "widgets/paramlabel/win32/popup_spin_edit.h"

namespace remvana {

namespace {

// The editor of a kind, made the first time it is needed.
template <typename Editor> Editor& editorOf(std::unique_ptr<Editor>& slot, TParamLabel& label) {
    if (!slot) {
        slot = std::make_unique<Editor>(label.hwnd(), label.editorFont());
        label.connectEditor(*slot);
    }
    return *slot;
}

std::string localeText(LCTYPE what, const char* fallback) {
    char buffer[80] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, what, buffer, sizeof buffer) <= 0) return fallback;
    return buffer;
}

// What the folder browser's callback needs to start and place itself.
struct FolderBrowserStart {
    const std::string* folder;
    Point below;
    int labelHeight;
};

int CALLBACK folderBrowserCallback(HWND dialog, UINT msg, LPARAM, LPARAM data) {
    if (msg != BFFM_INITIALIZED) return 0;
    const auto* start = reinterpret_cast<const FolderBrowserStart*>(data);
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE,
                 reinterpret_cast<LPARAM>(start->folder->c_str()));
    RECT r{};
    GetWindowRect(dialog, &r);
    Rect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    Point at = folderBrowserPosition(start->below, {r.right - r.left, r.bottom - r.top}, screen,
                                     start->labelHeight);
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return 0;
}

} // namespace

HFONT TParamLabel::editorFont() {
    Font face = look().Font;
    face.bold = face.italic = face.underline = face.strikeOut = false;
    face.escapement = 0;
    // The look's font is at the label's scale already.
    return fontAtDpi(face, kDesignDpi);
}

void TParamLabel::connectEditor(PopupEditor& editor) {
    editor.OnCommit = [this](const std::string& name, const std::string& value) {
        interaction().editDone(name, value);
    };
    editor.OnAdvance = [this] { interaction().advance(); };
    editor.OnCancel = [this] { interaction().editCancelled(); };
}

void TParamLabel::openSpinEditor(const std::string& href, Point screenTopLeft, int width,
                                 const std::string& text) {
    editorOf(spinEdit_, *this).open(href, {screenTopLeft.x, screenTopLeft.y}, width, text);
}

void TParamLabel::openMaskEditor(const std::string& href, Point screenTopLeft, int width,
                                 const EditMask& mask, const std::string& text) {
    TPopupMaskEdit& editor = editorOf(maskEdit_, *this);
    editor.EditAutoSize = editOptions().EditAutoSize;
    editor.open(href, {screenTopLeft.x, screenTopLeft.y}, width, mask, text);
}

void TParamLabel::openDatePicker(const std::string& href, Point screenTopLeft, int width,
                                 bool timeMode, std::optional<SystemTime> value) {
    editorOf(datePicker_, *this)
        .open(href, {screenTopLeft.x, screenTopLeft.y}, width, timeMode, value, dateTimeFormats());
}

void TParamLabel::openListBox(const std::string& href, Point screenTopLeft,
                              const std::vector<std::string>& values, int selected) {
    editorOf(listBox_, *this).open(href, {screenTopLeft.x, screenTopLeft.y}, values, selected);
}

std::optional<int> TParamLabel::popUpMenu(Point screenTopLeft,
                                          const std::vector<std::string>& captions) {
    ScopedMenu menu(CreatePopupMenu());
    if (!menu) return std::nullopt;
    for (std::size_t i = 0; i < captions.size(); ++i)
        AppendMenuA(menu.get(), MF_STRING, i + 1, captions[i].c_str());
    int chosen = static_cast<int>(
        TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY,
                       screenTopLeft.x, screenTopLeft.y, 0, hwnd(), nullptr));
    if (chosen <= 0) return std::nullopt;
    return chosen - 1;
}

std::optional<std::string> TParamLabel::browseForFolder(const std::string& folder, Point below) {
    RECT own{};
    GetWindowRect(hwnd(), &own);
    FolderBrowserStart start{&folder, below, static_cast<int>(own.bottom - own.top)};
    BROWSEINFOA info{};
    info.hwndOwner = hwnd();
    info.lpszTitle = "Select directory";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = folderBrowserCallback;
    info.lParam = reinterpret_cast<LPARAM>(&start);
    // The shell's browser wants COM on this thread; it is let go again only if started here.
    static const auto initialize =
        systemFunction<decltype(CoInitializeEx)>("ole32.dll", "CoInitializeEx");
    static const auto uninitialize =
        systemFunction<decltype(CoUninitialize)>("ole32.dll", "CoUninitialize");
    const HRESULT com =
        initialize && uninitialize ? initialize(nullptr, COINIT_APARTMENTTHREADED) : E_FAIL;
    const ScopedItemIdList chosen(SHBrowseForFolderA(&info));
    if (SUCCEEDED(com)) uninitialize();
    if (!chosen) return std::nullopt;
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(chosen.get(), path)) return std::nullopt;
    return std::string(path);
}

std::string TParamLabel::currentDirectory() {
    char path[MAX_PATH] = {};
    DWORD length = GetCurrentDirectoryA(sizeof path, path);
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

DateTimeFormats TParamLabel::dateTimeFormats() {
    DateTimeFormats formats;
    formats.shortDate = localeText(LOCALE_SSHORTDATE, "M/d/yyyy");
    formats.time = localeText(LOCALE_STIMEFORMAT, "h:mm:ss tt");
    formats.am = localeText(LOCALE_S1159, "AM");
    formats.pm = localeText(LOCALE_S2359, "PM");
    return formats;
}

} // namespace remvana
