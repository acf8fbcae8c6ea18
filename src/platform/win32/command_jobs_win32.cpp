#include "platform/win32/command_jobs_win32.h"

#include <windows.h>

#include <utility>

#include "platform/win32/scoped_handles.h"
#include "platform/win32/shell_win32.h"

namespace remvana {
namespace {

// The completion key that tells a waiting thread to stop without reporting.
constexpr ULONG_PTR kStopKey = 1;
constexpr ULONG_PTR kJobKey = 2;

} // namespace

struct Win32CommandJobs::Running {
    ScopedKernelHandle job;
    ScopedKernelHandle port; // null when the process could not join the job
    ScopedKernelHandle process;
    ScopedKernelHandle stop; // set to end the wait for a process without a job
    std::thread waiter;
    std::atomic<bool> ended{false};

    void wait(const JobFinished& finished) {
        bool reported = false;
        if (port) {
            DWORD message = 0;
            ULONG_PTR key = 0;
            LPOVERLAPPED detail = nullptr;
            while (GetQueuedCompletionStatus(port.get(), &message, &key, &detail, INFINITE)) {
                if (key == kStopKey) break;
                if (key == kJobKey && message == JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO) {
                    reported = true;
                    break;
                }
            }
        } else {
            const HANDLE handles[] = {process.get(), stop.get()};
            reported = WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0;
        }
        if (reported) {
            DWORD exitCode = 0;
            GetExitCodeProcess(process.get(), &exitCode);
            finished(exitCode);
        }
        ended = true;
    }

    void stopWaiting() {
        if (port) PostQueuedCompletionStatus(port.get(), 0, kStopKey, nullptr);
        SetEvent(stop.get());
        if (waiter.joinable()) waiter.join();
    }
};

Win32CommandJobs::Win32CommandJobs() = default;

Win32CommandJobs::~Win32CommandJobs() {
    for (const std::unique_ptr<Running>& running : running_)
        running->stopWaiting();
}

void Win32CommandJobs::reapFinished() {
    std::erase_if(running_, [](const std::unique_ptr<Running>& running) {
        if (!running->ended) return false;
        running->waiter.join();
        return true;
    });
}

bool Win32CommandJobs::startJob(const std::string& commandLine, int showCommand,
                                JobFinished finished) {
    reapFinished();
    auto running = std::make_unique<Running>();
    running->stop.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    running->job.reset(CreateJobObjectA(nullptr, nullptr));
    if (running->job) {
        running->port.reset(CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1));
        JOBOBJECT_ASSOCIATE_COMPLETION_PORT association{reinterpret_cast<PVOID>(kJobKey),
                                                        running->port.get()};
        if (running->port && !SetInformationJobObject(running->job.get(),
                                                      JobObjectAssociateCompletionPortInformation,
                                                      &association, sizeof association))
            running->port.reset();
    }

    // As WinExec starts it: the command line parsed by the system, the window shown as asked.
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION started{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &started)) {
        lastStartError_ = Win32Shell().lastErrorText(); // the same words as WinExec's
        return false;
    }
    running->process.reset(started.hProcess);
    const ScopedKernelHandle thread(started.hThread);
    // Joined before it runs, so that nothing it starts escapes the job.
    if (!running->port || !AssignProcessToJobObject(running->job.get(), started.hProcess))
        running->port.reset();
    ResumeThread(started.hThread);

    Running& job = *running;
    job.waiter = std::thread([&job, finished = std::move(finished)] { job.wait(finished); });
    running_.push_back(std::move(running));
    return true;
}

} // namespace remvana
