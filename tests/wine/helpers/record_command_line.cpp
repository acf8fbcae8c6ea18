// Started by the Wine suite to prove what command line a program was given: appends its
// own command line as one line to record_command_line.txt next to the executable, in UTF-8
// from the wide command line, so every character it was given shows as itself.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

int main() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    char* slash = std::strrchr(path, '\\');
    if (!slash || static_cast<size_t>(slash - path) + 30 >= MAX_PATH) return 1;
    std::strcpy(slash + 1, "record_command_line.txt");
    FILE* out = std::fopen(path, "ab");
    if (!out) return 1;
    const wchar_t* line = GetCommandLineW();
    const int size = WideCharToMultiByte(CP_UTF8, 0, line, -1, nullptr, 0, nullptr, nullptr);
    if (size > 0) {
        std::string text(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(CP_UTF8, 0, line, -1, text.data(), size, nullptr, nullptr);
        std::fprintf(out, "%s\n", text.c_str());
    }
    std::fclose(out);
    return 0;
}
