#pragma once
// What the "Remove", "Change", "Repair" and "Delete Entry" buttons do to the selected
// program. The command decisions return the command line to start (or nothing), so the
// window only has to start it as a job; the deletion runs over a registry factory.
#include <optional>
#include <string>
#include <string_view>

#include "platform/command_jobs.h"
#include "platform/registry.h"

namespace remvana {

struct TAppInfo;
struct UninstallStore;

// A Windows Installer repair of a product: this prefix followed directly by its product code.
inline constexpr std::string_view kRepairCommandPrefix = "MsiExec.exe /f ";
inline constexpr std::string_view kDeleteEntryConfirmation =
    "This will remove the uninstall entry from the registry. It will not uninstall the "
    "application. Are you sure you want to do this?";

// Windows Installer's own removal of a product: this prefix followed directly by its code.
inline constexpr std::string_view kMsiRemoveCommandPrefix = "MsiExec.exe /X";
// Added to the removal for a run without any window.
inline constexpr std::string_view kMsiQuietSwitch = " /qn";

// "{" 8-4-4-4-12 hexadecimal digits "}", in either case, and nothing else.
bool isProductCode(std::string_view keyName);
// An entry Windows Installer registered for a product: WindowsInstaller = 1 and the key
// named by the product code. Its UninstallString is Windows Installer's maintenance command
// ("MsiExec.exe /I{code}"), which re-runs the install, so it is removed through /X instead.
bool isWindowsInstallerProduct(const TAppInfo& entry);

// The command line each button starts for the entry (null: no row selected), or nothing.
std::optional<std::string> removeCommandLine(const TAppInfo* entry);
std::optional<std::string> changeCommandLine(const TAppInfo* entry);
std::optional<std::string> repairCommandLine(const TAppInfo* entry);
// A removal without any window: the registered QuietUninstallString (read from the entry's
// key, since nothing else uses it), or Windows Installer's removal with /qn for a product.
// Nothing when the entry has neither: it is never run interactively in its place.
std::optional<std::string> quietRemoveCommandLine(const TAppInfo& entry,
                                                  const std::string& quietUninstallString);

// The longest command line Windows starts (32767 characters with the closing NUL).
inline constexpr std::size_t kLongestCommandLine = 32766;

// Starts a command line exactly as given (no quoting, no expansion, no wait) as a job (see
// CommandJobs) with SW_SHOW, so that `finished` hears of the end of everything it started.
// False for an empty optional; a command that cannot start is an ActionError
// "Cannot start "<command line>". <reason>"; one longer than Windows takes is refused so,
// saying that it is too long.
bool startCommandJob(const std::optional<std::string>& commandLine, CommandJobs& jobs,
                     JobFinished finished);

// Whether a key name names exactly one subkey of a store: not empty, no path separator or
// NUL (the registry would cut the name there), not "." or "..". Any other name could make
// a deletion or a write reach the store itself or a key outside it.
bool isSingleKeyName(std::string_view keyName);

// Whether the open store key lists a subkey of this name (compared as the registry does,
// ASCII letters without regard to case): tells a key that is not there from one that is
// there but cannot be opened.
bool storeListsKey(Registry& store, const std::string& keyName);
// Whether the entry is still registered: its store lists its key (one that can no longer be
// opened counts), as asked once an uninstaller has ended.
bool stillRegistered(RegistryFactory& registries, const UninstallStore& store,
                     const std::string& keyName);

// Deletes the entry's subkey with everything below it (deepest first) from its own store:
// the store key is opened for reading and the subkey deleted relative to it, so the right
// to delete is asked for that subkey alone. Returns the text for the error box when the
// entry is not (or only partly) gone, or its name is refused, or another program removed it
// first; nothing when it is gone. `outcome`, when given, tells what this deletion achieved.
std::optional<std::string> deleteUninstallEntry(const std::string& keyName,
                                                const UninstallStore& store,
                                                RegistryFactory& registries,
                                                DeleteOutcome* outcome = nullptr);

} // namespace remvana
