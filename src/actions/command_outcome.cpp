#include "actions/command_outcome.h"

#include <cstdio>

#include "inventory/app_info.h"

namespace remvana {
namespace {

std::string exitCodeNumber(std::uint32_t code) {
    // NTSTATUS-style codes (a crash, for one) read as they are documented: in hexadecimal.
    char text[16];
    std::snprintf(text, sizeof text, code >= 0x80000000u ? "0x%08X" : "%u", code);
    return text;
}

} // namespace

std::string exitCodeSentence(std::uint32_t code, ExitCodeMention mention) {
    switch (code) {
    case kExitInstallCancelled:
        return " It was cancelled (exit code 1602).";
    case kExitRestartNeeded:
        return " A restart is needed to complete it (exit code 3010).";
    case 0:
        if (mention == ExitCodeMention::WhenNotZero) return {};
        break;
    default:
        break;
    }
    return " Exit code " + exitCodeNumber(code) + ".";
}

std::string programNameOf(const TAppInfo& entry) {
    return entry.DisplayName.empty() ? entry.KeyName : entry.DisplayName;
}

std::string commandRunningText(EntryCommand command, const std::string& programName) {
    const char* verb = command == EntryCommand::Remove   ? "Removing "
                       : command == EntryCommand::Change ? "Changing "
                                                         : "Repairing ";
    return verb + programName + " ...";
}

std::string commandOutcomeText(const CommandOutcome& outcome, ExitCodeMention mention) {
    std::string text;
    switch (outcome.command) {
    case EntryCommand::Remove:
        text = outcome.stillRegistered ? "The uninstaller of " + outcome.programName +
                                             " has finished, but the program is still registered."
                                       : outcome.programName + " was removed.";
        break;
    case EntryCommand::Change:
        text = "Change of " + outcome.programName + " finished.";
        break;
    case EntryCommand::Repair:
        text = "Repair of " + outcome.programName + " finished.";
        break;
    }
    return text + exitCodeSentence(outcome.exitCode, mention);
}

std::string installLocationOutcomeText(const std::string& installLocation, bool exists) {
    if (installLocation.empty()) return {};
    return "Its install location \"" + installLocation + "\"" +
           (exists ? " still exists." : " is gone.");
}

} // namespace remvana
