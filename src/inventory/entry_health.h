#pragma once
// Whether what a registration points at is still there: its uninstaller, its install
// folder and its icon file. A leftover registration is what "Delete Entry" is for.
#include <optional>
#include <string>
#include <vector>

#include "inventory/app_info.h"
#include "platform/shell.h"

namespace remvana {

inline constexpr const char* kUninstallerMissingText =
    "The uninstaller of this program is missing: Delete Entry removes the leftover registration";
inline constexpr const char* kInstallLocationMissingText = "The install location does not exist";
inline constexpr const char* kDisplayIconMissingText = "The icon file does not exist";

// The files a command line (already expanded) may start, in the order the system tries
// them. A quoted first token is the one file. Unquoted, every run of words up to a space
// counts, since the system tries "C:\Program" before "C:\Program Files\app.exe"; a name
// without an extension is also tried with ".exe". For rundll32 the DLL it loads counts
// instead of rundll32 itself.
std::vector<std::string> programFileCandidates(const std::string& commandLine);

// The product code of a Windows Installer command ("MsiExec.exe /X{...}"), or empty when
// the command does not start MsiExec; a command naming no code falls back to a key name
// that is one (the store names Windows Installer entries by their product code).
std::string msiProductCodeOf(const std::string& commandLine, const std::string& keyName);

// True only when the uninstaller is certainly gone: its Windows Installer product is
// unknown, or no candidate file exists. A bare program name is looked for in the system
// folder; one that is not there may still be on the search path, so it is not marked.
bool uninstallerMissing(const TAppInfo& entry, Shell& shell);

// The folder an install location names, to open in the file manager: expanded, without
// quotes, absolute, and checked to be a folder that exists, ending in "\". Nothing for
// anything else, a file above all: opening a file would run it.
std::optional<std::string> installLocationFolder(const std::string& installLocation, Shell& shell);
// Opens that folder in the file manager, and nothing when there is none: what a click on
// the install location and the row menu's "Open install location" do. True when opened.
bool openInstallLocation(const std::string& installLocation, Shell& shell);

// Fills entry.Health once; later calls change nothing until a refresh makes a new entry.
void checkEntryHealth(TAppInfo& entry, Shell& shell);

} // namespace remvana
