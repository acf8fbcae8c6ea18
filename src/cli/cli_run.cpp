#include "cli/cli_run.h"

#include <exception>
#include <stdexcept>

#include "actions/action_errors.h"
#include "backup/entry_backup.h"
#include "cli/cli_uninstall.h"
#include "cli/program_outputs.h"
#include "inventory/refresh.h"

namespace remvana {
namespace {

constexpr const char* kRegistryErrorText = "Registry Error";

// Output cut short (a full disk, a closed pipe) must not pass for complete output.
class OutputError : public std::runtime_error {
  public:
    explicit OutputError(const std::string& reason)
        : std::runtime_error("Cannot write the output. " + asSentence(reason)) {}
};

void writeOut(CliConsole& console, const std::string& text, TextEncoding encoding) {
    if (const auto failure = console.writeOut(text, encoding)) throw OutputError(*failure);
}

void writeReport(const CliRequest& request, const InventoryArray& inventory, CliServices& services,
                 CliConsole& console) {
    AuditReportServices report{services.shell, services.clock, services.locale};
    if (request.reportPath != "-")
        return console.writeReportFile(request.reportPath, inventory, report);
    writeAuditReport(inventory, report, [&console](const std::string& piece) {
        writeOut(console, piece, TextEncoding::Ansi);
    });
}

int finish(CliConsole& console) {
    if (const auto failure = console.finishOut()) throw OutputError(*failure);
    return kExitSuccess;
}

int run(const CliRequest& request, CliServices& services, CliConsole& console) {
    if (request.action == CliAction::Version) {
        writeOut(console, services.programVersion() + "\r\n", TextEncoding::Ansi);
        return finish(console);
    }
    if (request.action == CliAction::Restore) {
        // The whole file is checked before anything is written; a refusal changes nothing.
        restoreBackupFile(services.registry, *services.files, request.restorePath);
        writeOut(console, "Restored \"" + request.restorePath + "\"\r\n", TextEncoding::Ansi);
        return finish(console);
    }
    if (request.action == CliAction::Uninstall) return runUninstall(request, services, console);
    ProgramInventory inventory;
    // The plain list prints names only, so it reads nothing else.
    const ScanDepth depth =
        request.action == CliAction::List ? ScanDepth::DisplayNames : ScanDepth::Everything;
    if (!inventory.rebuild(services.registry, services.locale, depth)) {
        console.writeError(std::string(kRegistryErrorText) + "\r\n");
        return kExitFailure;
    }
    switch (request.action) {
    case CliAction::List:
        writeOut(console, programListLines(inventory, services.locale), TextEncoding::Ansi);
        break;
    case CliAction::Report:
        writeReport(request, inventory.completeAll(), services, console);
        break;
    case CliAction::Json:
        writeOut(console,
                 programsJson(listedProgramRecords(inventory.completeAll(), services.locale,
                                                   services.clock)),
                 TextEncoding::Utf8);
        break;
    case CliAction::Tsv:
        writeOut(console,
                 programsTsv(listedProgramRecords(inventory.completeAll(), services.locale,
                                                  services.clock)),
                 TextEncoding::Utf8);
        break;
    default:
        break;
    }
    return finish(console);
}

} // namespace

int runCommandLine(const CliRequest& request, CliServices& services, CliConsole& console) {
    switch (request.action) {
    case CliAction::Window:
        return kExitUsage; // the window is not the command line's to open
    case CliAction::Help:
        return console.writeOut(usageText(), TextEncoding::Ansi) ? kExitFailure : kExitSuccess;
    case CliAction::Invalid:
        console.writeError("remvana: " + request.problem + "\r\n" + usageText());
        return kExitUsage;
    default:
        break;
    }
    try {
        return run(request, services, console);
    } catch (const std::exception& error) {
        // A registry read error or a report file that cannot be created: the same text the
        // window would show in its error box.
        console.writeError(std::string(error.what()) + "\r\n");
        return kExitFailure;
    }
}

} // namespace remvana
