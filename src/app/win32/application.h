#pragma once
// The application object: its title, the top-level error handler and the message loop.
// One per process, like the one window it runs.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

namespace remvana {

class TApplication {
  public:
    // Installs HandleException as the guard around every window's message handlers.
    TApplication();

    std::string Title = "Remvana";

    // Shows the error of a handler that let it escape: a modal box titled with the
    // application title, error icon, OK, the message ending as errorBoxText makes it.
    // The application goes on afterwards.
    void HandleException(const std::exception& error);
    void HandleException(std::exception_ptr error);
    void ShowErrorText(const std::string& message);

    // Runs fn and routes anything it throws to HandleException; true when it did not throw.
    template <class Fn> bool guarded(Fn&& fn) {
        try {
            fn();
            return true;
        } catch (...) {
            HandleException(std::current_exception());
            return false;
        }
    }

    // Ends the message loop (at once when it is running, before it starts otherwise).
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Pumps messages until the main window is gone or Terminate was called.
    int Run();
    // Dispatches, as Run does, the keys and mouse messages waiting in the queue; for long
    // work done in slices, which posted messages would otherwise keep ahead of all input.
    // Does nothing when called from input it is dispatching.
    void takePendingInput();

    HWND MainWindow = nullptr;
    // Sees every message before the loop dispatches it; true when it dealt with it (the
    // main window's shortcut keys).
    std::function<bool(const MSG& msg)> KeyPreview;

    // Replaces the modal box, for tests that must not block: receives the final text.
    std::function<void(const std::string& text)> ErrorBoxHook;
    // True while an error box is up; activation caused by its closing is not a new one.
    bool ShowingError() const { return showingError_; }

  private:
    // The main window's shortcut keys and dialog keys, then the window's own handler.
    void dispatch(MSG& msg);

    bool terminated_ = false;
    bool takingInput_ = false;
    bool showingError_ = false;
};

extern TApplication Application;

} // namespace remvana
