#include "cli/win32/standard_streams.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "actions/win32/audit_report_file.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/command_jobs_win32.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/locale_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shell_win32.h"

namespace remvana {
namespace {

bool usable(HANDLE handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

HANDLE openConsoleOutput() {
    const HANDLE handle =
        CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

std::string lastErrorText() {
    return Win32Shell().lastErrorText();
}

// A console shows characters: the bytes are decoded from their code page and written as
// UTF-16, so UTF-8 output reads right whatever the console's code page. Files and pipes
// get the bytes unchanged. The reason when not all of it was written.
std::optional<std::string> writeTo(HANDLE handle, const std::string& text, TextEncoding encoding) {
    if (handle == nullptr || text.empty()) return std::nullopt;
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        const UINT codePage = encoding == TextEncoding::Utf8 ? CP_UTF8 : CP_ACP;
        const int count = static_cast<int>(text.size());
        const int units = MultiByteToWideChar(codePage, 0, text.data(), count, nullptr, 0);
        if (units <= 0) return lastErrorText();
        std::wstring wide(static_cast<std::size_t>(units), L'\0');
        MultiByteToWideChar(codePage, 0, text.data(), count, wide.data(), units);
        DWORD written = 0;
        if (!WriteConsoleW(handle, wide.data(), static_cast<DWORD>(units), &written, nullptr))
            return lastErrorText();
        return std::nullopt;
    }
    std::size_t done = 0;
    while (done < text.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 1 << 20));
        if (!WriteFile(handle, text.data() + done, chunk, &written, nullptr))
            return lastErrorText();
        if (written == 0)
            return std::string("Not all of it could be written; the disk may be full");
        done += written;
    }
    return std::nullopt;
}

} // namespace

StandardStreams::StandardStreams()
    : out_(GetStdHandle(STD_OUTPUT_HANDLE)), error_(GetStdHandle(STD_ERROR_HANDLE)) {
    if (usable(out_) && usable(error_)) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) {
        if (!usable(out_)) out_ = nullptr;
        if (!usable(error_)) error_ = nullptr;
        return;
    }
    if (!usable(out_)) {
        ownedOut_.reset(openConsoleOutput());
        out_ = ownedOut_.get();
    }
    if (!usable(error_)) {
        ownedError_.reset(openConsoleOutput());
        error_ = ownedError_.get();
    }
}

std::optional<std::string> StandardStreams::writeOut(const std::string& text,
                                                     TextEncoding encoding) {
    return writeTo(out_, text, encoding);
}

std::optional<std::string> StandardStreams::finishOut() {
    // A file's last bytes may still sit in the system's cache, where a full disk fails them.
    if (out_ == nullptr || GetFileType(out_) != FILE_TYPE_DISK || FlushFileBuffers(out_))
        return std::nullopt;
    return lastErrorText();
}

void StandardStreams::writeError(const std::string& text) {
    writeTo(error_, text, TextEncoding::Ansi); // with no way left to tell, nothing is said
}

void StandardStreams::writeReportFile(const std::string& path, const InventoryArray& inventory,
                                      AuditReportServices& services) {
    writeAuditReportFile(path, inventory, services);
}

std::vector<std::string> processArguments() {
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i)
        arguments.emplace_back(__argv[i]);
    return arguments;
}

int runCommandLineProcess(const CliRequest& request, std::function<std::string()> programVersion) {
    Win32RegistryFactory registry;
    Win32Locale locale;
    Win32Clock clock;
    Win32Shell shell;
    Win32FileSystem files;
    Win32CommandJobs jobs;
    CliServices services{registry, locale, clock, shell, &files, &jobs, std::move(programVersion)};
    StandardStreams streams;
    return runCommandLine(request, services, streams);
}

} // namespace remvana
