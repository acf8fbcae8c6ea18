#pragma once
// Whole-process timings of the command line: remvana.exe --list against Wine's own
// `uninstaller --list`, and remvana.exe --json, each started as a new process with its
// output thrown away.
#include <string>

namespace remvana::bench {

// The program beside the benchmark, and Wine's uninstaller in the system folder.
std::string remvanaCommand(const std::string& arguments);
// Empty when the system has no uninstaller.exe (not Wine).
std::string wineUninstallerCommand(const std::string& arguments);

// Starts the command line, waits for it to end and returns the milliseconds it took;
// negative when it could not be started or did not exit with 0.
double processMilliseconds(const std::string& commandLine);

} // namespace remvana::bench
