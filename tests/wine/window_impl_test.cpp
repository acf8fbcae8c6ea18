// The window base under the application's error guard: a handler's exception is shown and
// the window goes on; fromHandle tells the class's windows from others; the object lets go
// of its window after the last message, and a control's object goes with its window.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/win32/application.h"
#include "platform/win32/scoped_handles.h"
#include "platform/win32/window_impl.h"

namespace remvana {
namespace {

constexpr UINT kThrow = WM_APP + 1;
constexpr UINT kAnswer = WM_APP + 2;

class ProbeWindow : public WindowImpl<ProbeWindow> {
  public:
    static WindowClass windowClass() { return {"RemvanaProbeWindow"}; }
    HWND create() { return createWindow(0, "probe", WS_POPUP, 0, 0, 20, 20, nullptr); }
    int finalMessages = 0;
    void onFinalMessage() { ++finalMessages; }

  private:
    friend WindowImpl<ProbeWindow>;
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == kThrow) throw std::runtime_error("Probe handler failed");
        if (msg == kAnswer) return 42;
        return defaultMessage(msg, wParam, lParam);
    }
};

// A control whose object its window owns; counts the objects alive.
class OwnedProbe : public SelfOwnedWindow<OwnedProbe> {
  public:
    static int alive;
    OwnedProbe() { ++alive; }
    ~OwnedProbe() { --alive; }
    static WindowClass windowClass() { return {"RemvanaOwnedProbe"}; }
    // With refuse set, the window fails in WM_CREATE and is destroyed in its creation.
    static HWND create(bool refuse) {
        return createOwned([&](OwnedProbe& self) {
            self.refuse_ = refuse;
            return self.createWindow(0, "", WS_POPUP, 0, 0, 10, 10, nullptr);
        });
    }

  private:
    friend WindowImpl<OwnedProbe>;
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_CREATE && refuse_) return -1;
        return defaultMessage(msg, wParam, lParam);
    }
    bool refuse_ = false;
};
int OwnedProbe::alive = 0;

TEST(WindowImpl, AHandlersErrorReachesTheApplicationAndTheWindowGoesOn) {
    std::vector<std::string> shown;
    Application.ErrorBoxHook = [&](const std::string& text) { shown.push_back(text); };
    ProbeWindow probe;
    HWND window = probe.create();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(0, SendMessageA(window, kThrow, 0, 0));
    EXPECT_EQ(std::vector<std::string>{"Probe handler failed."}, shown);
    EXPECT_EQ(42, SendMessageA(window, kAnswer, 0, 0));

    EXPECT_EQ(&probe, ProbeWindow::fromHandle(window));
    const ScopedWindow other(CreateWindowExA(0, "Static", "other", WS_POPUP, 0, 0, 10, 10, nullptr,
                                             nullptr, GetModuleHandleA(nullptr), nullptr));
    EXPECT_EQ(nullptr, ProbeWindow::fromHandle(other.get()));

    DestroyWindow(window);
    EXPECT_EQ(nullptr, probe.hwnd());
    EXPECT_EQ(1, probe.finalMessages);
    Application.ErrorBoxHook = nullptr;
}

TEST(WindowImpl, AControlsObjectGoesWithItsWindowOrWithAFailedCreation) {
    HWND control = OwnedProbe::create(false);
    ASSERT_NE(nullptr, control);
    EXPECT_EQ(1, OwnedProbe::alive);
    DestroyWindow(control);
    EXPECT_EQ(0, OwnedProbe::alive);
    EXPECT_EQ(nullptr, OwnedProbe::create(true));
    EXPECT_EQ(0, OwnedProbe::alive);
}

} // namespace
} // namespace remvana
