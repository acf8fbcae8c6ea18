#pragma once
// Seeding and checking keys of HKEY_LOCAL_MACHINE straight through advapi32, so that the
// tests see the registry independently of the program's own accessor.
#include <windows.h>

#include <sddl.h>

#include <initializer_list>
#include <string>
#include <utility>

namespace remvana::testing {

inline const std::string kUninstallStore =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// `view` may be KEY_WOW64_32KEY or KEY_WOW64_64KEY to reach one registry view.
inline bool machineKeyExists(const std::string& path, REGSAM view = 0) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Creates the key with its missing parents; with a name, also stores that string value.
inline bool setMachineString(const std::string& path, const char* name = nullptr,
                             const std::string& value = {}, REGSAM view = 0) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    LONG result = ERROR_SUCCESS;
    if (name)
        result = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

// Seeds an entry of the uninstall store with string values, in order; false at the first
// one that cannot be written.
inline bool seedMachineEntry(const std::string& key,
                             std::initializer_list<std::pair<const char*, std::string>> strings) {
    for (const auto& [name, value] : strings)
        if (!setMachineString(kUninstallStore + key, name, value)) return false;
    return true;
}

// Creates the key with its missing parents and stores a DWORD value in it.
inline bool setMachineNumber(const std::string& path, const char* name, DWORD value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    LONG result = RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                 sizeof value);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

// The parent is opened in the view, so the deletion below it stays in that view.
inline void deleteMachineTree(std::string path, REGSAM view = 0) {
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    const std::size_t cut = path.rfind('\\');
    const std::string parent = cut == std::string::npos ? std::string() : path.substr(0, cut);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, parent.c_str(), 0, KEY_ALL_ACCESS | view, &key) !=
        ERROR_SUCCESS)
        return;
    RegDeleteTreeA(key, path.substr(cut + 1).c_str());
    RegCloseKey(key);
}

// Replaces the key's access list with the one the SDDL text describes.
inline bool setMachineSecurity(const std::string& path, const char* sddl) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS)
        return false;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    LONG rc = ERROR_INVALID_PARAMETER;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor,
                                                             nullptr)) {
        rc = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
        LocalFree(descriptor);
    }
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

} // namespace remvana::testing
