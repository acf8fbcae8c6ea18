#pragma once
// What the status bar and the details say while a Remove, Change or Repair started from
// here runs, and once everything it started has ended.
#include <cstdint>
#include <string>

namespace remvana {

struct TAppInfo;

enum class EntryCommand { Remove, Change, Repair };

// Windows Installer's exit codes worth naming in words.
inline constexpr std::uint32_t kExitInstallCancelled = 1602; // ERROR_INSTALL_USEREXIT
inline constexpr std::uint32_t kExitRestartNeeded = 3010;    // ERROR_SUCCESS_REBOOT_REQUIRED

// The name a program goes by in these texts: its display name, else its key name.
std::string programNameOf(const TAppInfo& entry);

// "Removing Quillmark Notes ...", "Changing ..." or "Repairing ...".
std::string commandRunningText(EntryCommand command, const std::string& programName);

struct CommandOutcome {
    EntryCommand command = EntryCommand::Remove;
    std::string programName;
    std::uint32_t exitCode = 0;
    // Whether the entry's key is still in its store once the command has ended.
    bool stillRegistered = false;
};

// Whether a text names the exit code 0 as well (the command line always names it).
enum class ExitCodeMention { WhenNotZero, Always };

// The exit code as a sentence of its own, after a space: " Exit code 5.", 1602 and 3010 in
// words; nothing for 0 unless asked.
std::string exitCodeSentence(std::uint32_t code, ExitCodeMention mention);

// "Quillmark Notes was removed.", "The uninstaller of Quillmark Notes has finished, but the
// program is still registered.", "Repair of Tallyport Ledger finished." (and "Change of"),
// each followed by the exit code when it is not 0, 1602 and 3010 in words.
std::string commandOutcomeText(const CommandOutcome& outcome,
                               ExitCodeMention mention = ExitCodeMention::WhenNotZero);

// For an entry still registered after its uninstaller: whether the folder it registered as
// its install location is still there; empty when it registered none.
std::string installLocationOutcomeText(const std::string& installLocation, bool exists);

} // namespace remvana
