#pragma once
// Doing what the command line asked, without a window: reading the stores, writing the
// texts, choosing the exit code. Only a restore from a backup writes to the registry.
#include <functional>
#include <optional>
#include <string>

#include "actions/audit_report.h"
#include "cli/command_line.h"
#include "inventory/app_info.h"
#include "platform/clock.h"
#include "platform/command_jobs.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace remvana {

enum class TextEncoding { Ansi, Utf8 };

// Where the command line's output goes: standard output and error, and report files.
class CliConsole {
  public:
    virtual ~CliConsole() = default;
    // `encoding` tells a console how to show the bytes; files and pipes get them as they are.
    // Returns the system's reason when not all of the text could be written.
    virtual std::optional<std::string> writeOut(const std::string& text, TextEncoding encoding) = 0;
    // Makes sure that everything written has reached its file; the reason when it has not.
    virtual std::optional<std::string> finishOut() { return std::nullopt; }
    virtual void writeError(const std::string& text) = 0;
    // The report into a file exactly as "Save to file ..." writes it; throws FileCreateError.
    virtual void writeReportFile(const std::string& path, const InventoryArray& inventory,
                                 AuditReportServices& services) = 0;
};

struct CliServices {
    RegistryFactory& registry;
    Locale& locale;
    Clock& clock;
    Shell& shell;
    FileSystem* files = nullptr; // the backups --restore reads and --uninstall writes
    CommandJobs* jobs = nullptr; // the uninstaller --uninstall runs
    // The product name and version from the program's own version block ("KV Remvana
    // 2.1.0.0"), for --version; throws when the block cannot be read.
    std::function<std::string()> programVersion = nullptr;
};

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// 0 done, 1 a store or file could not be used, or the output could not be written whole
// (the reason on standard error), 2 the
// arguments were not understood (the usage on standard error).
int runCommandLine(const CliRequest& request, CliServices& services, CliConsole& console);

} // namespace remvana
