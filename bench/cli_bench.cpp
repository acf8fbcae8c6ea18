#include "bench/cli_bench.h"

#include <windows.h>

#include <chrono>

#include "support/child_process.h"

namespace remvana::bench {

std::string remvanaCommand(const std::string& arguments) {
    return testing::ownProgramCommand("remvana.exe", arguments);
}

std::string wineUninstallerCommand(const std::string& arguments) {
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string exe = std::string(system) + "\\uninstaller.exe";
    if (GetFileAttributesA(exe.c_str()) == INVALID_FILE_ATTRIBUTES) return {};
    return "\"" + exe + "\" " + arguments;
}

double processMilliseconds(const std::string& commandLine) {
    const auto start = std::chrono::steady_clock::now();
    testing::ChildProcess child(commandLine, testing::ChildOutput::Discarded);
    const bool ended = child.waitOrEnd(INFINITE);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return ended && child.exitCode() == 0 ? ms : -1;
}

} // namespace remvana::bench
