#pragma once
// The command line's output on Windows: the standard handles the caller redirected, else
// the console of the process that started this one.
#include <windows.h>

#include "cli/cli_run.h"
#include "platform/win32/scoped_handles.h"

namespace remvana {

class StandardStreams : public CliConsole {
  public:
    // A handle the caller did not give (a window program gets none from a console) is
    // taken from the parent's console, when the parent has one; otherwise output is dropped.
    StandardStreams();
    StandardStreams(const StandardStreams&) = delete;
    StandardStreams& operator=(const StandardStreams&) = delete;

    std::optional<std::string> writeOut(const std::string& text, TextEncoding encoding) override;
    std::optional<std::string> finishOut() override;
    void writeError(const std::string& text) override;
    void writeReportFile(const std::string& path, const InventoryArray& inventory,
                         AuditReportServices& services) override;

  private:
    // The console's buffers this object opened itself; the caller's handles are not ours.
    ScopedKernelHandle ownedOut_;
    ScopedKernelHandle ownedError_;
    HANDLE out_ = nullptr;
    HANDLE error_ = nullptr;
};

// The program's arguments after its own name, in the ANSI code page.
std::vector<std::string> processArguments();

// Runs the request with the real registry, clock, locale and shell; the exit code.
// `programVersion` answers --version (CliServices::programVersion).
int runCommandLineProcess(const CliRequest& request, std::function<std::string()> programVersion);

} // namespace remvana
