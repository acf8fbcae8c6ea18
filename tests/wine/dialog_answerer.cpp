#include "dialog_answerer.h"

#include <commdlg.h>
#include <dlgs.h>

#include <chrono>
#include <utility>

namespace remvana::testing {
namespace {

constexpr int kMessageTextId = 0xFFFF; // the static text of a message box

struct Search {
    const std::string* caption;
    bool anyProcess = false;
    HWND found = nullptr;
};

BOOL CALLBACK matchDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if ((!search->anyProcess && process != GetCurrentProcessId()) || !IsWindowVisible(window))
        return TRUE;
    char className[64] = {};
    char title[256] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (std::string(className) == "#32770" && *search->caption == title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::string controlText(HWND dialog, int id) {
    char text[1024] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

} // namespace

DialogAnswerer::DialogAnswerer(std::string caption, int buttonId, std::string fileName,
                               AnswererReach reach)
    : caption_(std::move(caption)), buttonId_(buttonId), fileName_(std::move(fileName)),
      reach_(reach), thread_([this] { run(); }) {}

DialogAnswerer::~DialogAnswerer() {
    wait();
}

void DialogAnswerer::wait() {
    if (thread_.joinable()) thread_.join();
}

bool DialogAnswerer::hadButton(int id) {
    wait();
    return id >= 0 && id < 32 && (buttonsSeen_ & (1u << id)) != 0;
}

void DialogAnswerer::run() {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(reach_.patienceSeconds);
    Search search{&caption_, reach_.anyProcess};
    while (!search.found && std::chrono::steady_clock::now() < deadline) {
        EnumWindows(matchDialog, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(50);
    }
    if (!search.found) return;
    const HWND dialog = search.found;
    // Let the dialog finish its own setup (file dialogs fill their folder view late).
    Sleep(300);

    messageText_ = controlText(dialog, kMessageTextId);
    for (int id = 1; id < 32; ++id)
        if (GetDlgItem(dialog, id)) buttonsSeen_ |= 1u << id;

    if (!fileName_.empty()) {
        char folder[MAX_PATH] = {};
        SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder));
        folderPath_ = folder;
        // Explorer-style dialogs keep the name in a combo box, older ones in an edit.
        SendMessageA(dialog, CDM_SETCONTROLTEXT, cmb13,
                     reinterpret_cast<LPARAM>(fileName_.c_str()));
        SendMessageA(dialog, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(fileName_.c_str()));
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId_, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId_)));
    answered_ = true;
}

} // namespace remvana::testing
