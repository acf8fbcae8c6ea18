#include "fakes/fake_command_jobs.h"

namespace remvana {

bool FakeCommandJobs::startJob(const std::string& commandLine, int showCommand,
                               JobFinished finished) {
    if (!startSucceeds || commandLine == refusedCommandLine) return false;
    started.push_back(Started{commandLine, showCommand, std::move(finished)});
    if (runAtOnce) {
        runAtOnce(commandLine);
        finish(started.size() - 1, exitCode);
    }
    return true;
}

void FakeCommandJobs::finish(std::size_t index, std::uint32_t code) {
    JobFinished finished = std::move(started.at(index).finished);
    if (finished) finished(code);
}

} // namespace remvana
