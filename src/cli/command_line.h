#pragma once
// The program's arguments turned into what it is asked to do: the window (no arguments) or
// one piece of work for the command line, done without a window.
#include <string>
#include <vector>

namespace remvana {

enum class CliAction {
    Window,
    List,
    Report,
    Json,
    Tsv,
    Restore,
    Uninstall,
    Version,
    Help,
    Invalid
};

// The stores --store names: "HKLM64", "HKLM32", "HKCU".
enum class StoreChoice { Any, Machine64, Machine32, User };

struct CliRequest {
    CliAction action = CliAction::Window;
    // --report: the file to write, "-" for standard output.
    std::string reportPath;
    // Invalid: what was wrong, one line for standard error before the usage.
    std::string problem;
    // --restore: the backup file to put back.
    std::string restorePath;
    // --uninstall: the entries' key names in the order given, the store they must be in, and
    // whether the quiet commands are to run.
    std::vector<std::string> uninstallKeys;
    StoreChoice store = StoreChoice::Any;
    bool quiet = false;
};

// `arguments` without the program's own name.
CliRequest parseCommandLine(const std::vector<std::string>& arguments);

// The usage text, lines ended by CR LF.
std::string usageText();

} // namespace remvana
