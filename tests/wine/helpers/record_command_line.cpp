// Started by the Wine suite to prove what command line a program was given: appends its
// own command line as one line to record_command_line.txt next to the executable.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    char* slash = std::strrchr(path, '\\');
    if (!slash || static_cast<size_t>(slash - path) + 30 >= MAX_PATH) return 1;
    std::strcpy(slash + 1, "record_command_line.txt");
    FILE* out = std::fopen(path, "ab");
    if (!out) return 1;
    std::fprintf(out, "%s\n", GetCommandLineA());
    std::fclose(out);
    return 0;
}
