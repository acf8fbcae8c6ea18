#include "cli/command_line.h"

#include "platform/ascii.h"

namespace remvana {
namespace {

CliRequest invalid(std::string problem) {
    CliRequest request;
    request.action = CliAction::Invalid;
    request.problem = std::move(problem);
    return request;
}

// --uninstall <key>... [--store HKLM64|HKLM32|HKCU] [--quiet], keys and options in any order.
CliRequest parseUninstall(const std::vector<std::string>& arguments) {
    CliRequest request;
    request.action = CliAction::Uninstall;
    bool storeGiven = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--quiet" && !request.quiet) {
            request.quiet = true;
        } else if (option == "--store" && !storeGiven) {
            const std::string name = i + 1 < arguments.size() ? arguments[++i] : "";
            if (name == "HKLM64")
                request.store = StoreChoice::Machine64;
            else if (name == "HKLM32")
                request.store = StoreChoice::Machine32;
            else if (name == "HKCU")
                request.store = StoreChoice::User;
            else
                return invalid("--store needs HKLM64, HKLM32 or HKCU");
            storeGiven = true;
        } else if (option.empty() || option.starts_with("--")) {
            return invalid("unexpected argument: " + option);
        } else {
            // Run twice, the second run would only report a program already gone.
            for (const std::string& key : request.uninstallKeys)
                if (equalsIgnoringAsciiCase(key, option))
                    return invalid("the key \"" + option + "\" is named twice");
            request.uninstallKeys.push_back(option);
        }
    }
    if (request.uninstallKeys.empty())
        return invalid("--uninstall needs the key name of the program to remove");
    return request;
}

} // namespace

CliRequest parseCommandLine(const std::vector<std::string>& arguments) {
    CliRequest request;
    if (arguments.empty()) return request;
    const std::string& option = arguments[0];
    if (option == "--uninstall") return parseUninstall(arguments);
    std::size_t taken = 1;
    if (option == "--list") {
        request.action = CliAction::List;
    } else if (option == "--json") {
        request.action = CliAction::Json;
    } else if (option == "--tsv") {
        request.action = CliAction::Tsv;
    } else if (option == "--version") {
        request.action = CliAction::Version;
    } else if (option == "--help" || option == "-h" || option == "/?") {
        request.action = CliAction::Help;
    } else if (option == "--report") {
        if (arguments.size() < 2 || arguments[1].empty())
            return invalid("--report needs a file name, or - for standard output");
        request.action = CliAction::Report;
        request.reportPath = arguments[1];
        taken = 2;
    } else if (option == "--restore") {
        if (arguments.size() < 2 || arguments[1].empty())
            return invalid("--restore needs the backup file to restore");
        request.action = CliAction::Restore;
        request.restorePath = arguments[1];
        taken = 2;
    } else {
        return invalid("unknown argument: " + option);
    }
    // One piece of work per run: anything after it would be silently ignored otherwise.
    if (arguments.size() > taken) return invalid("unexpected argument: " + arguments[taken]);
    return request;
}

std::string usageText() {
    return "Usage: remvana.exe [option]\r\n"
           "Without an option the window opens. With one, remvana prints and exits:\r\n"
           "  --list           one line per listed program: <key name>|||<display name>\r\n"
           "  --report <file>  the software audit report, as \"Save to file ...\" writes it;\r\n"
           "                   - writes it to standard output\r\n"
           "  --json           every program with all its values, as JSON (UTF-8)\r\n"
           "  --tsv            the same as tab-separated values with a header line (UTF-8)\r\n"
           "  --restore <file> puts back an entry from a backup that Delete Entry or\r\n"
           "                   Modify Properties made (in the local application data\r\n"
           "                   folder, Kelvane\\Remvana\\Backups)\r\n"
           "  --uninstall <key>... [--store HKLM64|HKLM32|HKCU] [--quiet]\r\n"
           "                   removes the programs registered under those key names, one\r\n"
           "                   after another: saves each entry's backup, runs its\r\n"
           "                   uninstaller (--quiet: without a window) and waits for it;\r\n"
           "                   one line each; exit code 0 when none of them is registered\r\n"
           "                   afterwards\r\n"
           "  --version        the program's name and version\r\n"
           "  --help           this text\r\n"
           "Exit codes: 0 done, 1 the registry or a file could not be used (or the\r\n"
           "program is still registered), 2 unknown arguments. Only --restore and\r\n"
           "--uninstall write to the registry.\r\n";
}

} // namespace remvana
