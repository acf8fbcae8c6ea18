#pragma once
// Functions of system DLLs looked up on their first call: those only some commands need, and
// those older versions of Windows do not have. Importing the first kind would load each DLL,
// and every DLL it imports, at every start of the program: Windows Installer alone brings a
// dozen more. MinGW has no delay-loading, so the lookup is done here.
#include <windows.h>

#include <string>

namespace remvana {

// `name` exported by the DLL `dll` of the system directory (never one found elsewhere on
// the search path), or null when either cannot be found. The DLL stays loaded for the rest
// of the process; callers keep the result in a function-local static.
template <typename Function> Function* systemFunction(const char* dll, const char* name) {
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::string path = std::string(folder, length) + "\\" + dll;
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) return nullptr;
    // Through the generic function type, which converts to any other without a warning.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace remvana
