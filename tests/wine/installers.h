#pragma once
// The real installers the build makes for the suite (tests/wine/installers/): where they
// are, the keys they register, and running a command to its end.
#include <windows.h>

#include <string>

#include "support/child_process.h"

namespace remvana::testing {

inline const std::string kQuillmarkKey = "QuillmarkNotes";
inline const std::string kOrreryKey = "OrreryAtlas";
inline const std::string kLedgerProduct = "{5F1E9C2A-0B7D-4E11-9A63-2C8D7E4B1A90}";

inline std::string installerPath(const char* file) {
    return ownFolder() + "installers\\" + file;
}

// The path in double quotes, for a command line.
inline std::string quotedPath(const std::string& path) {
    std::string quoted(1, '"');
    quoted += path;
    quoted += '"';
    return quoted;
}

// Runs a command line, its output thrown away, and waits (at most a minute) for its first
// process: its exit code, or 0xFFFFFFFF when it did not start or ran over and was ended.
inline DWORD runToEnd(const std::string& commandLine) {
    ChildProcess child(commandLine, ChildOutput::Discarded);
    if (!child.waitOrEnd(60000)) return 0xFFFFFFFF;
    return child.exitCode();
}

// Quillmark Notes: NSIS, 64-bit, machine-wide.
inline DWORD installQuillmarkNotes() {
    return runToEnd(quotedPath(installerPath("quillmark_notes.exe")) + " /S");
}

// Orrery Atlas: NSIS, 64-bit, for the current user only.
inline DWORD installOrreryAtlas() {
    return runToEnd(quotedPath(installerPath("orrery_atlas.exe")) + " /S");
}

// Tallyport Ledger: Windows Installer, machine-wide.
inline DWORD installTallyportLedger() {
    std::string line = "msiexec.exe /i ";
    line += quotedPath(installerPath("tallyport_ledger.msi"));
    return runToEnd(line + " /qn");
}

} // namespace remvana::testing
