#include "app/win32/application.h"

#include "app/error_message.h"
#include "platform/win32/window_impl.h"

namespace remvana {

TApplication Application;

TApplication::TApplication() {
    setWindowErrorGuard([this](std::exception_ptr error) { HandleException(error); });
}

void TApplication::HandleException(const std::exception& error) {
    ShowErrorText(error.what());
}

void TApplication::HandleException(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        HandleException(e);
    } catch (...) {
        ShowErrorText("Unknown error");
    }
}

void TApplication::ShowErrorText(const std::string& message) {
    const std::string text = errorBoxText(message);
    if (ErrorBoxHook) {
        ErrorBoxHook(text);
        return;
    }
    showingError_ = true;
    HWND owner = GetActiveWindow();
    if (owner == nullptr) owner = MainWindow;
    MessageBoxA(owner, text.c_str(), Title.c_str(), MB_OK | MB_ICONERROR);
    showingError_ = false;
}

void TApplication::Terminate() {
    if (!terminated_) PostQuitMessage(0);
    terminated_ = true;
}

int TApplication::Run() {
    MSG msg;
    while (!terminated_ && MainWindow != nullptr && IsWindow(MainWindow)) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        dispatch(msg);
    }
    terminated_ = true;
    return 0;
}

void TApplication::dispatch(MSG& msg) {
    if (KeyPreview && KeyPreview(msg)) return;
    if (MainWindow != nullptr && IsDialogMessageA(MainWindow, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

void TApplication::takePendingInput() {
    if (takingInput_) return;
    takingInput_ = true;
    MSG msg;
    while (!terminated_ && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT)) {
        if (msg.message == WM_QUIT) {
            // For Run, which ends on it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        dispatch(msg);
    }
    takingInput_ = false;
}

} // namespace remvana
