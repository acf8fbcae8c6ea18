#include "inventory/entry_health.h"

#include "platform/ascii.h"

namespace remvana {

namespace {

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string unquoted(const std::string& text) {
    const std::string t = trimmed(text);
    if (t.size() >= 2 && t.front() == '"' && t.back() == '"') return t.substr(1, t.size() - 2);
    return t;
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool hasExtension(const std::string& path) {
    return fileNameOf(path).find('.') != std::string::npos;
}

bool isAbsolute(const std::string& path) {
    return path.find(':') != std::string::npos || path.rfind("\\\\", 0) == 0 ||
           path.rfind('\\', 0) == 0;
}

// The named program: "rundll32" matches "RunDll32.exe" and "C:\...\rundll32.exe" alike.
bool isProgram(const std::string& path, const char* baseName) {
    std::string name = asciiUpperCased(fileNameOf(path));
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".EXE") == 0)
        name.resize(name.size() - 4);
    return name == baseName;
}

// One way the system may read the first token: the file it names and the arguments after.
struct TokenRun {
    std::string file;
    std::string arguments;
};

// Shortest first: a quoted token is the one run; unquoted, each run of words up to a space.
std::vector<TokenRun> firstTokenRuns(const std::string& commandLine) {
    const std::string command = trimmed(commandLine);
    if (command.empty()) return {};
    if (command.front() == '"') {
        const std::size_t close = command.find('"', 1);
        if (close == std::string::npos) return {{command.substr(1), {}}};
        return {{command.substr(1, close - 1), command.substr(close + 1)}};
    }
    std::vector<TokenRun> runs;
    for (std::size_t at = command.find(' '); at != std::string::npos;
         at = command.find(' ', at + 1))
        if (command[at - 1] != ' ') runs.push_back({command.substr(0, at), command.substr(at)});
    runs.push_back({command, {}});
    return runs;
}

// The DLL a rundll32 command loads: its argument up to the comma before the entry point.
std::string rundllTarget(const std::string& arguments) {
    const std::string args = trimmed(arguments);
    if (!args.empty() && args.front() == '"') {
        const std::size_t close = args.find('"', 1);
        return args.substr(1, close == std::string::npos ? close : close - 1);
    }
    return trimmed(args.substr(0, args.find(',')));
}

// A path as it names a file: a relative one in the system folder, where the system looks
// first; empty when the system folder cannot be told.
std::string resolved(const std::string& path, Shell& shell) {
    if (isAbsolute(path)) return path;
    const std::string system = shell.systemDirectory();
    return system.empty() ? std::string() : system + "\\" + path;
}

// The folder an absolute path starts from: "C:\" or a network share "\\server\share\";
// empty for a path of neither form.
std::string rootOf(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2) + "\\";
    if (path.rfind("\\\\", 0) != 0) return {};
    const std::size_t server = path.find('\\', 2);
    if (server == std::string::npos) return {};
    const std::size_t share = path.find('\\', server + 1);
    return share == std::string::npos ? path + "\\" : path.substr(0, share + 1);
}

// A path on a drive or share that cannot be reached cannot be checked: its file may be
// there all the same, so it is never called missing.
bool checkable(const std::string& path, Shell& shell) {
    const std::string root = rootOf(path);
    return !root.empty() && shell.directoryExists(root);
}

// Whether a file named in a registration is certainly missing.
bool fileCertainlyMissing(const std::string& path, Shell& shell) {
    if (path.empty()) return false;
    const std::string file = resolved(path, shell);
    if (file.empty() || shell.fileExists(file)) return false;
    return isAbsolute(path) && checkable(file, shell);
}

// An icon string is "path" or "path,index", maybe quoted, maybe with %VARIABLES%.
std::string iconFileOf(const std::string& iconString) {
    std::string text = trimmed(iconString);
    const std::size_t comma = text.rfind(',');
    if (comma != std::string::npos) {
        const std::string index = trimmed(text.substr(comma + 1));
        const std::size_t digits = index.rfind('-', 0) == 0 ? 1 : 0;
        if (index.size() > digits &&
            index.find_first_not_of("0123456789", digits) == std::string::npos)
            text.resize(comma);
    }
    return unquoted(text);
}

} // namespace

std::vector<std::string> programFileCandidates(const std::string& commandLine) {
    std::vector<std::string> candidates;
    for (const TokenRun& run : firstTokenRuns(commandLine)) {
        if (isProgram(run.file, "RUNDLL32")) {
            const std::string dll = rundllTarget(run.arguments);
            return dll.empty() ? candidates : std::vector<std::string>{dll};
        }
        candidates.push_back(run.file);
        if (!hasExtension(run.file)) candidates.push_back(run.file + ".exe");
    }
    return candidates;
}

std::string msiProductCodeOf(const std::string& commandLine, const std::string& keyName) {
    const std::vector<TokenRun> runs = firstTokenRuns(commandLine);
    if (runs.empty() || !isProgram(runs.front().file, "MSIEXEC")) return {};
    const std::size_t open = commandLine.find('{');
    const std::size_t close = open == std::string::npos ? open : commandLine.find('}', open);
    if (close != std::string::npos) return commandLine.substr(open, close - open + 1);
    if (keyName.size() > 2 && keyName.front() == '{' && keyName.back() == '}') return keyName;
    return {};
}

bool uninstallerMissing(const TAppInfo& entry, Shell& shell) {
    if (trimmed(entry.UninstallString).empty()) return false;
    const std::string command = shell.expandEnvironment(entry.UninstallString);
    const std::string productCode = msiProductCodeOf(command, entry.KeyName);
    if (!productCode.empty()) return !shell.msiProductKnown(productCode);
    const std::vector<std::string> candidates = programFileCandidates(command);
    if (candidates.empty()) return false;
    for (const std::string& candidate : candidates)
        if (!fileCertainlyMissing(candidate, shell)) return false;
    return true;
}

std::optional<std::string> installLocationFolder(const std::string& installLocation, Shell& shell) {
    std::string folder = unquoted(shell.expandEnvironment(installLocation));
    if (folder.empty() || !isAbsolute(folder) || !shell.directoryExists(folder))
        return std::nullopt;
    if (folder.back() != '\\') folder += '\\';
    return folder;
}

bool openInstallLocation(const std::string& installLocation, Shell& shell) {
    const std::optional<std::string> folder = installLocationFolder(installLocation, shell);
    if (folder) shell.openTarget(*folder);
    return folder.has_value();
}

void checkEntryHealth(TAppInfo& entry, Shell& shell) {
    if (entry.Health.checked) return;
    EntryHealth health;
    health.checked = true;
    health.uninstallerMissing = uninstallerMissing(entry, shell);
    if (!entry.InstallLocation.empty()) {
        const std::string folder = unquoted(shell.expandEnvironment(entry.InstallLocation));
        health.installLocationMissing = !folder.empty() && isAbsolute(folder) &&
                                        !shell.directoryExists(folder) &&
                                        !shell.fileExists(folder) && checkable(folder, shell);
        health.installLocationIsFolder =
            installLocationFolder(entry.InstallLocation, shell).has_value();
    }
    if (!entry.DisplayIcon.empty())
        health.displayIconMissing =
            fileCertainlyMissing(iconFileOf(shell.expandEnvironment(entry.DisplayIcon)), shell);
    entry.Health = health;
}

} // namespace remvana
