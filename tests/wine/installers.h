#pragma once
// The real installers the build makes for the suite (tests/wine/installers/): where they
// are, the keys they register, and running a command to its end.
#include <windows.h>

#include <string>

#include "window_fixture.h"

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

// Runs a command line without a window and waits (at most a minute) for its first process.
inline DWORD runToEnd(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &process))
        return 0xFFFFFFFF;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return exitCode;
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
