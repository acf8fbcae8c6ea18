#pragma once
// Starts the real main window in this process, against the real registry of the test
// prefix, and drives it through window messages: find controls by id or class, read their
// texts and places, click them, resize the window, pump messages, save a screenshot.
// Error boxes are recorded instead of shown, so no test blocks on one.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/layout.h"
#include "app/win32/main_form.h"
#include "app/win32/window_util.h"
#include "platform/canvas.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/command_jobs_win32.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/locale_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shell_win32.h"
#include "settings/win32/string_table_win32.h"
#include "support/child_process.h"
#include "widgets/listview/win32/adv_list_view.h"

namespace remvana::testing {

// A child window anywhere below `root` with that control id (nullptr when none).
HWND findControl(HWND root, int id);
// All windows below `root` of that class (case-insensitive), in creation order.
std::vector<HWND> findByClass(HWND root, const std::string& className);
std::string classNameOf(HWND hwnd);
// The window's control with that id (layout::ControlId), whichever pane holds it.
inline HWND controlOf(const T_mainForm& form, int id) {
    return findControl(form.hwnd(), id);
}
std::string windowText(HWND hwnd);
using remvana::clientSizeOf;
// A file's bytes; empty when it cannot be read.
std::string readFile(const std::string& path);
// A started helper's record: the file's bytes once it has any, waiting up to 20 seconds.
std::string waitForFile(const std::string& path);
// A child's rectangle in its parent's client coordinates.
inline Rect placeOf(HWND hwnd) {
    return childRectOf(hwnd);
}
// A visible borderless top-level window at that place on the screen, to host a control on
// its own.
HWND createHostWindow(const Rect& at);
// A window's rectangle on the screen, frame included.
Rect windowRectOf(HWND hwnd);
// Processes this thread's pending messages, for at least `milliseconds`.
void pumpMessages(int milliseconds = 0);
// A click as the user makes it: BM_CLICK on buttons, mouse down and up on anything else.
void clickControl(HWND hwnd);
// Saves the window as it is on screen into $REMVANA_TEST_ARTIFACTS/<name>.bmp (or the
// working folder without it); returns the path, empty on failure.
// With repaintFirst false the picture shows the screen exactly as it is (for passing states
// such as a drag line).
std::string saveScreenshot(HWND hwnd, const std::string& name, bool repaintFirst = true);

// The real file system, with the local application data folder moved to a scratch folder
// of this test process, so backups never land in the prefix user's own folder.
class ScratchFileSystem : public Win32FileSystem {
  public:
    ScratchFileSystem();
    std::string localAppDataFolder() override { return appData; }
    std::optional<std::string> writeNewFile(const std::string& path,
                                            const std::vector<std::uint8_t>& bytes) override {
        auto failure = Win32FileSystem::writeNewFile(path, bytes);
        if (!failure && afterWrite) afterWrite();
        return failure;
    }
    // Runs once a file is written: lets a test change the registry between the backup and
    // the action it precedes.
    std::function<void()> afterWrite;
    // The files in the backup folder, oldest name first.
    std::vector<std::string> backups() const;
    void removeBackups() const;
    std::string appData;
};

class MainWindowFixture : public ::testing::Test {
  protected:
    void TearDown() override;

    // Creates and shows the window with `services` (the real ones unless a test swapped
    // some), waits until it is activated and painted.
    void openWindow();
    void closeWindow();
    // Clicks Refresh and lets the window answer until the new list is shown.
    void refreshAndWait();
    // Lets the window answer until the Refresh running (a click's, Delete Entry's or
    // Undo's) has shown its list; fails the test when it takes over 20 seconds.
    void waitForRefresh();
    // Sets the window's outer size and lets it settle.
    void resizeWindow(int outerWidth, int outerHeight);
    T_mainForm& form() { return *form_; }
    HWND window() const { return form_ ? form_->hwnd() : nullptr; }
    HWND control(int id) const { return findControl(window(), id); }
    // The program list's first row showing that caption, or -1.
    int rowOf(const std::string& caption);
    // Selects and focuses the row showing that caption, as a click on it does, and lets the
    // window answer; fails the test when there is no such row.
    void selectRow(const std::string& caption);
    // Adds the row to the selection, as a Ctrl+click does, and lets the window answer.
    void addToSelection(const std::string& caption);

    Win32RegistryFactory registry;
    Win32Shell shell;
    Win32Clock clock;
    Win32Locale locale;
    Win32StringTable strings{GetModuleHandleA(nullptr)};
    ScratchFileSystem files;
    Win32CommandJobs jobs;
    FormServices services{&registry, &shell, &clock, &locale, &strings, &files, &jobs};
    // Texts of the error boxes the window put up, in order. With recordErrors false the
    // real modal boxes come up instead (someone must answer them).
    std::vector<std::string> errors;
    bool recordErrors = true;

  private:
    std::unique_ptr<T_mainForm> form_;
};

} // namespace remvana::testing

namespace remvana {
// For the suites outside the testing namespace that drive the window.
using testing::controlOf;
} // namespace remvana
