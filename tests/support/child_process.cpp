#include "support/child_process.h"

namespace remvana::testing {
namespace {

// A file the child inherits for one of its outputs: NUL, or a temporary file read back
// through the same handle and deleted when the last handle to it goes.
HANDLE inheritedFile(ChildOutput output) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    if (output == ChildOutput::Discarded)
        return CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                           OPEN_EXISTING, 0, nullptr);
    char folder[MAX_PATH] = {}, path[MAX_PATH] = {};
    if (!GetTempPathA(sizeof folder, folder) || !GetTempFileNameA(folder, "rvc", 0, path))
        return INVALID_HANDLE_VALUE;
    return CreateFileA(
        path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

std::string contentOf(const ScopedFile& file) {
    std::string text;
    if (!file || SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    return text;
}

} // namespace

std::string ownFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string ownProgramCommand(const std::string& program, const std::string& arguments) {
    std::string command = "\"";
    command += ownFolder();
    command += program;
    command += '"';
    if (!arguments.empty()) command += ' ' + arguments;
    return command;
}

ChildProcess::ChildProcess(const std::string& commandLine, ChildOutput output) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    const bool redirected = output != ChildOutput::Inherited;
    if (redirected) {
        output_.reset(inheritedFile(output));
        errors_.reset(inheritedFile(output));
        if (!output_ || !errors_) return;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output_.get();
        startup.hStdError = errors_.get();
    }
    std::string command = commandLine;
    PROCESS_INFORMATION child{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, redirected, 0, nullptr, nullptr,
                        &startup, &child))
        return;
    CloseHandle(child.hThread);
    process_.reset(child.hProcess);
    processId_ = child.dwProcessId;
}

ChildProcess::~ChildProcess() {
    if (process_ && WaitForSingleObject(process_.get(), 0) != WAIT_OBJECT_0)
        TerminateProcess(process_.get(), 1);
}

bool ChildProcess::waitOrEnd(DWORD milliseconds) {
    if (!process_) return false;
    if (WaitForSingleObject(process_.get(), milliseconds) == WAIT_OBJECT_0) return true;
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
    return false;
}

DWORD ChildProcess::exitCode() const {
    DWORD code = 1;
    if (!process_ || !GetExitCodeProcess(process_.get(), &code) || code == STILL_ACTIVE) return 1;
    return code;
}

std::string ChildProcess::output() const {
    return contentOf(output_);
}

std::string ChildProcess::errors() const {
    return contentOf(errors_);
}

} // namespace remvana::testing
