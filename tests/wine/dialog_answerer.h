#pragma once
// Answers one modal dialog of this process from a background thread, as a user would: the
// test starts an answerer, then runs the code that shows the dialog on its own thread.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace remvana::testing {

// Whose dialogs an answerer looks for, and how long it waits for one.
struct AnswererReach {
    bool anyProcess = false; // an uninstaller's own box too, not only this process's
    int patienceSeconds = 20;
};

class DialogAnswerer {
  public:
    // Waits for a dialog (window class "#32770") titled `caption`, optionally types
    // `fileName` into a file dialog's name field, then clicks the button `buttonId`.
    DialogAnswerer(std::string caption, int buttonId, std::string fileName = {},
                   AnswererReach reach = {});
    // Joins the thread; a dialog that never came leaves answered() false.
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // Waits until the dialog has been answered (or the answerer gave up).
    void wait();
    bool answered() {
        wait();
        return answered_;
    }
    // What the dialog showed before it was answered; each waits first.
    const std::string& messageText() {
        wait();
        return messageText_;
    }
    bool hadButton(int id);
    // A file dialog's current folder when it was answered.
    const std::string& folderPath() {
        wait();
        return folderPath_;
    }

  private:
    void run();

    std::string caption_;
    int buttonId_;
    std::string fileName_;
    AnswererReach reach_;
    DWORD buttonsSeen_ = 0; // bit n: a button with id n (below 32) was present
    std::string messageText_;
    std::string folderPath_;
    std::atomic<bool> answered_{false};
    std::thread thread_;
};

} // namespace remvana::testing
