#pragma once
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/command_jobs.h"

namespace remvana {

// Jobs through kernel32: each command starts suspended, joins a job object whose end is
// reported to a completion port, and is resumed; a thread per job waits on the port for the
// job's last process to end. Where the process cannot join a job (an older Windows that
// runs this program in a job of its own), the started process alone is waited for.
class Win32CommandJobs : public CommandJobs {
  public:
    Win32CommandJobs();
    ~Win32CommandJobs() override;
    Win32CommandJobs(const Win32CommandJobs&) = delete;
    Win32CommandJobs& operator=(const Win32CommandJobs&) = delete;

    bool startJob(const std::string& commandLine, int showCommand, JobFinished finished) override;
    std::string lastStartError() override { return lastStartError_; }

  private:
    struct Running;
    // Joins the threads of jobs that have ended.
    void reapFinished();

    std::vector<std::unique_ptr<Running>> running_;
    std::string lastStartError_;
};

} // namespace remvana
