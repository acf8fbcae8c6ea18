#pragma once
// What the Wine suite and the benchmark share to run other programs: the folder they were
// started from, and a child process started with its output inherited, thrown away or
// caught, waited for with a time limit and ended when it runs over. Test support, not part
// of the program.
#include <windows.h>

#include <string>

#include "platform/win32/scoped_handles.h"

namespace remvana::testing {

// The folder of the running program, with its trailing backslash.
std::string ownFolder();
// The command line of a program in that folder: its quoted path, then `arguments` if any.
std::string ownProgramCommand(const std::string& program, const std::string& arguments = {});

enum class ChildOutput {
    Inherited, // the child writes where this process does
    Discarded, // standard output and error go to NUL
    Captured,  // each is kept, for output() and errors() once the child has ended
};

class ChildProcess {
  public:
    // Starts `commandLine`; started() tells whether that worked. The child's input is ours.
    explicit ChildProcess(const std::string& commandLine,
                          ChildOutput output = ChildOutput::Inherited);
    // A child still running is ended: no test leaves a process behind.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return process_.valid(); }
    DWORD processId() const { return processId_; }
    // Waits up to `milliseconds` (INFINITE for no limit) for the child to end, and ends it
    // when it has not; true when it ended by itself.
    bool waitOrEnd(DWORD milliseconds);
    // The child's exit code once it has ended; 1 when it never started or was ended.
    DWORD exitCode() const;
    // What the child wrote to its standard output and error (Captured only).
    std::string output() const;
    std::string errors() const;

  private:
    ScopedKernelHandle process_;
    DWORD processId_ = 0;
    ScopedFile output_;
    ScopedFile errors_;
};

} // namespace remvana::testing
