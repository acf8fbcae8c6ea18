#pragma once
// What the "Remove", "Change", "Repair" and "Delete Entry" buttons do to the selected
// program. The command decisions return the command line to start (or nothing), so the
// window only has to hand it to the shell; the deletion runs over a registry factory.
#include <optional>
#include <string>
#include <string_view>

namespace remvana {

struct TAppInfo;
class Shell;
class RegistryFactory;

// A Windows Installer repair of a product: this prefix followed directly by its product code.
inline constexpr std::string_view kRepairCommandPrefix = "MsiExec.exe /f ";
inline constexpr std::string_view kDeleteEntryConfirmation =
    "This will remove the uninstall entry from the registry. It will not uninstall the "
    "application. Are you sure you want to do this?";

// The command line each button starts for the entry (null: no row selected), or nothing.
std::optional<std::string> removeCommandLine(const TAppInfo* entry);
std::optional<std::string> changeCommandLine(const TAppInfo* entry);
std::optional<std::string> repairCommandLine(const TAppInfo* entry);

// Starts a command line exactly as given (no quoting, no expansion, no wait) with SW_SHOW.
// Nothing happens for an empty optional; a command that cannot start fails silently.
void startCommand(const std::optional<std::string>& commandLine, Shell& shell);

// The key path of an entry inside the uninstall store, or nothing when the name could not
// name exactly one subkey of the store: empty, carrying a path separator or a NUL (the
// registry would cut the name there), or a "." / ".." component. Such a name would make
// the deletion reach the store itself or a key outside it.
std::optional<std::string> uninstallEntryKeyPath(std::string_view keyName);

// Deletes the entry's subkey with everything below it (deepest first) from the uninstall
// store on HKEY_LOCAL_MACHINE with full access. Returns false when the name is refused or
// the registry reports a failure; the caller refreshes either way.
bool deleteUninstallEntry(std::string_view keyName, RegistryFactory& registries);

} // namespace remvana
