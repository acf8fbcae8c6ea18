#pragma once
// Jobs that end when the test says so, on the test's own thread.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/command_jobs.h"

namespace remvana {

class FakeCommandJobs : public CommandJobs {
  public:
    struct Started {
        std::string commandLine;
        int showCommand = 0;
        JobFinished finished;
    };

    bool startJob(const std::string& commandLine, int showCommand, JobFinished finished) override;
    std::string lastStartError() override { return startError; }

    // Ends job `index` with the exit code: its callback runs (once).
    void finish(std::size_t index, std::uint32_t exitCode);

    bool startSucceeds = true;
    // This one command line alone cannot start.
    std::string refusedCommandLine;
    std::string startError = "The system cannot find the file specified";
    // Run by startJob before it reports the end at once with `exitCode`; unset: the job
    // stays running until finish is called.
    std::function<void(const std::string& commandLine)> runAtOnce;
    std::uint32_t exitCode = 0;

    std::vector<Started> started;
};

} // namespace remvana
