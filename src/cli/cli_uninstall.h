#pragma once
// --uninstall: one program removed from the command line, its uninstaller waited for.
#include "cli/cli_run.h"

namespace remvana {

// Finds the key in the stores (only in the chosen one, when chosen), saves the entry's
// backup, runs its uninstall command in a job and waits for the job's end; then prints one
// line with the outcome and the uninstaller's exit code. 0 when the key is gone afterwards,
// 1 when it is still there or nothing could be run, 2 when the key is in two stores and
// none was chosen.
int runUninstall(const CliRequest& request, CliServices& services, CliConsole& console);

// "HKLM64", "HKLM32" or "HKCU", as --store names the store.
const char* storeOptionName(const UninstallStore& store);

} // namespace remvana
