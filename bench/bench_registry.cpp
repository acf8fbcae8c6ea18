#include "bench/bench_registry.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "inventory/refresh.h"
#include "inventory/uninstall_store.h"
#include "platform/win32/registry_win32.h"
#include "tests/wine/icon_file.h"

namespace remvana::bench {

namespace {

// Paths from the root without the leading "\"; entries are kStore + name.
const std::string kStore = kUninstallStorePath;
const std::string kCache = kUsageRecordStorePath;
const std::string kStoreKey = kStore.substr(0, kStore.size() - 1);

// The three stores the entries are spread over, in the refresh's reading order: the
// machine-wide one in each registry view, then the user's own.
struct Place {
    HKEY root;
    REGSAM view;
};
const Place kPlaces[] = {{HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY},
                         {HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY},
                         {HKEY_CURRENT_USER, 0}};

const Place& placeOf(std::size_t index) {
    return kPlaces[index % 3];
}

HKEY createKey(const Place& place, const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(place.root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | place.view,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        std::fprintf(stderr, "cannot create %s\n", path.c_str());
        std::exit(2);
    }
    return key;
}

void setText(HKEY key, const char* name, const std::string& text) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

void setDword(HKEY key, const char* name, DWORD value) {
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

std::vector<std::uint8_t> usageRecord(std::size_t index, const std::string& exe) {
    std::vector<std::uint8_t> bytes(ArpCacheRecord::kSize, 0);
    auto put = [&](std::size_t offset, std::uint64_t value, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i)
            bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    put(0, ArpCacheRecord::kSize, 4);
    put(4, 1, 4);
    put(8, 1048576ull * (index % 900 + 1), 8);
    put(16, 133500000000000000ull + index * 864000000000ull, 8);
    put(24, index % 23, 4);
    for (std::size_t i = 0; i < exe.size() && i < ArpCacheRecord::kImagePathUnits; ++i)
        put(28 + 2 * i, static_cast<unsigned char>(exe[i]), 2);
    return bytes;
}

bool exists(const Place& place, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(place.root, path.c_str(), 0, KEY_QUERY_VALUE | place.view, &key) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::size_t sweepValues(const Place& place, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(place.root, path.c_str(), 0, KEY_READ | place.view, &key) != ERROR_SUCCESS)
        return 0;
    DWORD count = 0, longestName = 0, longestData = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                     &longestName, &longestData, nullptr, nullptr);
    std::vector<char> name(longestName + 1);
    std::vector<BYTE> data(longestData + 1);
    std::size_t seen = 0;
    for (DWORD i = 0; i < count; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataLength = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueA(key, i, name.data(), &nameLength, nullptr, &type, data.data(),
                          &dataLength) == ERROR_SUCCESS)
            ++seen;
    }
    RegCloseKey(key);
    return seen;
}

std::vector<std::string> subkeysOf(HKEY key) {
    std::vector<std::string> names;
    DWORD count = 0, longest = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr);
    std::vector<char> name(longest + 1);
    for (DWORD i = 0; i < count; ++i) {
        DWORD length = static_cast<DWORD>(name.size());
        if (RegEnumKeyExA(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) ==
            ERROR_SUCCESS)
            names.emplace_back(name.data(), length);
    }
    return names;
}

// Where the benchmark's icon files go, inside the prefix.
const std::string kIconFolder = "C:\\remvana-bench-icons\\";

std::string programFolder(std::size_t index) {
    return "C:\\Program Files\\Bench Vendor " + std::to_string(index % 97) + "\\Product " +
           std::to_string(index);
}

std::string iconFile(std::size_t index) {
    char name[32];
    std::snprintf(name, sizeof name, "icon-%05zu.ico", index);
    return kIconFolder + name;
}

void ensureIconFile(const std::string& path, std::uint32_t bgra) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return;
    CreateDirectoryA(kIconFolder.c_str(), nullptr);
    if (!testing::writeIconFile(path, bgra)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(2);
    }
}

std::string iconStringOf(std::size_t index, IconStrings kind) {
    switch (kind) {
    case IconStrings::SharedFile:
        ensureIconFile(kIconFolder + "shared.ico", 0xFF3060C0);
        return kIconFolder + "shared.ico";
    case IconStrings::DistinctFiles:
        ensureIconFile(iconFile(index),
                       0xFF000000 | static_cast<std::uint32_t>(index * 2654435761u));
        return iconFile(index);
    case IconStrings::MissingFiles:
        break;
    }
    return programFolder(index) + "\\product.exe,0";
}

} // namespace

const char* iconStringsName(IconStrings kind) {
    switch (kind) {
    case IconStrings::SharedFile:
        return "one shared file";
    case IconStrings::DistinctFiles:
        return "distinct files";
    case IconStrings::MissingFiles:
        break;
    }
    return "missing files";
}

void setIconStrings(std::size_t count, IconStrings kind) {
    for (std::size_t i = 0; i < count; ++i) {
        const Place& place = placeOf(i);
        HKEY raw = nullptr;
        if (RegOpenKeyExA(place.root, (kStore + entryName(i)).c_str(), 0,
                          KEY_SET_VALUE | place.view, &raw) != ERROR_SUCCESS)
            continue;
        ScopedRegKey key(raw);
        setText(raw, "DisplayIcon", iconStringOf(i, kind));
    }
    // Wine saves a changed registry to disk some time later, which holds the registry up for
    // seconds at 10,000 entries; saving it now keeps that out of the next measure.
    RegFlushKey(HKEY_LOCAL_MACHINE);
    RegFlushKey(HKEY_CURRENT_USER);
}

void touchEntry(std::size_t index, const std::string& version) {
    const Place& place = placeOf(index);
    HKEY raw = nullptr;
    if (RegOpenKeyExA(place.root, (kStore + entryName(index)).c_str(), 0,
                      KEY_SET_VALUE | place.view, &raw) != ERROR_SUCCESS) {
        std::fprintf(stderr, "cannot open entry %zu\n", index);
        std::exit(2);
    }
    ScopedRegKey key(raw);
    setText(raw, "DisplayVersion", version);
    RegFlushKey(place.root); // as setIconStrings does: Wine's later save out of the measure
}

std::string entryName(std::size_t index) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s%05zu", kEntryPrefix, index);
    return buffer;
}

void seedEntries(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::string name = entryName(i);
        const Place& place = placeOf(i);
        if (exists(place, kCache + name)) continue; // seeded by an earlier, smaller round
        const std::string folder = programFolder(i);
        const std::string exe = folder + "\\product.exe";
        {
            ScopedRegKey key(createKey(place, kStore + name));
            setText(key.get(), "DisplayName", "Bench Product " + std::to_string(i));
            setText(key.get(), "DisplayVersion",
                    std::to_string(i % 13) + ".0." + std::to_string(i));
            setText(key.get(), "Publisher", "Bench Vendor " + std::to_string(i % 97));
            setText(key.get(), "InstallDate", "20240315");
            setText(key.get(), "InstallLocation", folder);
            setText(key.get(), "UninstallString", "\"" + folder + "\\uninstall.exe\"");
            setText(key.get(), "ModifyPath", "\"" + folder + "\\setup.exe\" /modify");
            setText(key.get(), "DisplayIcon", iconStringOf(i, IconStrings::MissingFiles));
            setText(key.get(), "HelpLink", "https://vendor.example/help");
            setText(key.get(), "URLInfoAbout", "https://vendor.example/");
            setDword(key.get(), "EstimatedSize", static_cast<DWORD>(i * 7 % 100000));
            setDword(key.get(), "NoModify", i % 2);
            setDword(key.get(), "NoRepair", 1);
            setDword(key.get(), "Language", 1033);
            setDword(key.get(), "VersionMajor", static_cast<DWORD>(i % 13));
            setDword(key.get(), "VersionMinor", 0);
            setDword(key.get(), "WindowsInstaller", i % 3 == 0);
        }
        ScopedRegKey cache(createKey(place, kCache + name));
        const std::vector<std::uint8_t> record = usageRecord(i, exe);
        RegSetValueExA(cache.get(), kUsageRecordValue, 0, REG_BINARY, record.data(),
                       static_cast<DWORD>(record.size()));
        setDword(cache.get(), "Changed", 0);
    }
}

void removeEntries(std::size_t from) {
    for (const Place& place : kPlaces) {
        for (std::string parent : {kStore, kCache}) {
            parent.pop_back();
            HKEY raw = nullptr;
            if (RegOpenKeyExA(place.root, parent.c_str(), 0, KEY_ALL_ACCESS | place.view, &raw) !=
                ERROR_SUCCESS)
                continue;
            ScopedRegKey key(raw);
            for (const std::string& name : subkeysOf(raw))
                if (name.rfind(kEntryPrefix, 0) == 0 &&
                    std::strtoul(name.c_str() + std::strlen(kEntryPrefix), nullptr, 10) >= from)
                    RegDeleteTreeA(raw, name.c_str());
        }
    }
}

std::size_t readFloor() {
    std::size_t seen = 0;
    for (const Place& place : kPlaces) {
        HKEY raw = nullptr;
        if (RegOpenKeyExA(place.root, kStoreKey.c_str(), 0, KEY_READ | place.view, &raw) !=
            ERROR_SUCCESS)
            continue;
        std::vector<std::string> names;
        {
            ScopedRegKey store(raw);
            names = subkeysOf(raw);
        }
        for (const std::string& name : names) {
            seen += sweepValues(place, kStore + name);
            seen += sweepValues(place, kCache + name);
        }
    }
    return seen;
}

} // namespace remvana::bench
