#pragma once
// --uninstall: programs removed from the command line one after another, each uninstaller
// waited for.
#include "cli/cli_run.h"

namespace remvana {

// Finds every key in the stores (only in the chosen one, when chosen) before anything runs;
// then, one program after another, saves the entry's backup, runs its uninstall command in
// a job and waits for the job's end, and prints one line with the outcome and the
// uninstaller's exit code (or why nothing ran for it). 0 when every key is gone afterwards,
// 1 when one is still there or nothing could be run for one, 2 when a key is in two stores
// and none was chosen (then nothing runs).
int runUninstall(const CliRequest& request, CliServices& services, CliConsole& console);

// "HKLM64", "HKLM32" or "HKCU", as --store names the store.
const char* storeOptionName(const UninstallStore& store);

} // namespace remvana
