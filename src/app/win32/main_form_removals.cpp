// Removing several programs from the window: one question, then their uninstallers one after
// another as jobs the window follows (main_form_following.cpp), quietly where they registered
// a way to; Remove reads "Stop" meanwhile; one summary at the end.
#include <string>
#include <vector>

#include "actions/removal_queue.h"
#include "actions/removal_texts.h"
#include "app/layout.h"
#include "app/win32/main_form.h"

namespace remvana {

void T_mainForm::removeSelectedPrograms() {
    if (!command_ || command_->running()) return;
    // Chosen now, before the box runs its own message loop: nothing that happens meanwhile
    // can leave them pointing at released entries.
    std::vector<QueuedRemoval> removals;
    for (const TAppInfo* entry : selectedAppInfos())
        removals.push_back(queuedRemoval(*entry,
                                         readQuietUninstallString(*services().registry, *entry),
                                         RemovalMode::QuietWherePossible));
    if (removals.empty()) return;
    const std::string question = removalConfirmationText(removals);
    if (MessageBoxA(hwnd(), question.c_str(), "Confirm", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    HWND window = hwnd();
    if (!command_->startRemovals(std::move(removals), [window](std::uint32_t exitCode) {
            PostMessageA(window, kCommandEndedMessage, exitCode, 0);
        }))
        return;
    setStatusText(kCommandStatusPanel, command_->runningText());
    updateEntryCommandButtons();
    // None of them could start: the summary says why, at once.
    showRemovalsSummary();
}

void T_mainForm::stopRemovals() {
    if (!command_) return;
    command_->stopRemovals();
    showStopButton();
}

void T_mainForm::showStopButton() {
    const StopButton stop = command_ ? command_->stopButton() : StopButton{};
    HWND remove = toolBar_.button(layout::kRemoveButtonId);
    SetWindowTextA(remove, stop.shown ? "Stop" : layout::kRemoveButton.caption);
    InvalidateRect(remove, nullptr, TRUE);
    if (stop.shown)
        toolBar_.hold(layout::kRemoveButtonId, stop.enabled);
    else
        toolBar_.release(layout::kRemoveButtonId);
}

void T_mainForm::showRemovalsSummary() {
    const std::string summary = command_ ? command_->takeRemovalsSummary() : std::string();
    if (summary.empty()) return;
    showOutcomeOverTheStores(summary.substr(0, summary.find('\n')));
    MessageBoxA(hwnd(), summary.c_str(), kRemovalSummaryCaption, MB_OK | MB_ICONINFORMATION);
    // After the box: a change of the selection it let through would show over it otherwise.
    details_.showLine0(removalSummaryMarkup(summary));
}

} // namespace remvana
