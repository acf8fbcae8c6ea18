#include "platform/win32/registry_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/code_page_win32.h"
#include "platform/win32/value_query_win32.h"

namespace remvana {

namespace {

// Key names are at most 255 characters and value names 16,383; in a multi-byte code page
// each may take two bytes.
constexpr std::size_t kLongestName = 2 * 16384;

// Most values fit here, the usage record's 552 bytes included, so a read usually costs a
// single query.
constexpr DWORD kSmallValue = 1024;

// One value in one request where ntdll can be asked directly; else through the ...A query
// with a buffer grown while it is too small (the value may grow between two queries too).
// A result still ERROR_MORE_DATA means it kept growing while it was read.
QueriedValue queryValue(HKEY key, const std::string& name) {
    if (std::optional<QueriedValue> native = queryValueNatively(key, name, kSmallValue))
        return std::move(*native);
    QueriedValue value;
    value.data.resize(kSmallValue);
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD size = static_cast<DWORD>(value.data.size());
        value.result =
            RegQueryValueExA(key, name.c_str(), nullptr, &value.type, value.data.data(), &size);
        if (value.result != ERROR_MORE_DATA) {
            if (value.result == ERROR_SUCCESS) value.data.resize(size);
            return value;
        }
        value.data.resize(std::max<std::size_t>(size + 1, value.data.size() * 2));
    }
    return value;
}

struct TreeDeletion {
    bool removedSomething = false;
    LONG result = ERROR_SUCCESS; // of the first failure
};

// Deepest first, subkeys enumerated from the last index down so deletions do not shift the
// indices still to visit. A subkey that cannot be opened for enumeration is skipped; its
// parent then still has children and is not deleted either. Below the named key, names
// go through the wide calls: a subkey the code page cannot name is still deleted, and no
// look-alike of its name reaches another key. `view` keeps every open and delete in the
// view the tree was reached through.
bool deleteTreeWide(HKEY base, const std::wstring& path, REGSAM view, TreeDeletion& deletion) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(base, path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | view,
                      &raw) == ERROR_SUCCESS) {
        ScopedRegKey key(raw);
        DWORD count = 0, longest = 0;
        if (RegQueryInfoKeyW(raw, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
            std::vector<wchar_t> name(longest + 1);
            for (DWORD i = count; i-- > 0;) {
                DWORD length = static_cast<DWORD>(name.size());
                if (RegEnumKeyExW(raw, i, name.data(), &length, nullptr, nullptr, nullptr,
                                  nullptr) == ERROR_SUCCESS)
                    deleteTreeWide(raw, std::wstring(name.data(), length), view, deletion);
            }
        }
    }
    const LONG result = RegDeleteKeyExW(base, path.c_str(), view, 0);
    if (result == ERROR_SUCCESS) {
        deletion.removedSomething = true;
        return true;
    }
    if (deletion.result == ERROR_SUCCESS) deletion.result = result;
    return false;
}

// An empty component ("a\\b", or a leading "\" left after the root's) cannot name a key;
// it is what a subkey name the code page cannot hold turns into (see code_page.h), so such
// a path is refused before the registry could resolve it some other way.
bool namesKeys(const std::string& path) {
    return path.empty() || (path.front() != '\\' && path.find("\\\\") == std::string::npos);
}

std::string systemMessage(LONG code) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<char*>(&text), 0, nullptr);
    const ScopedLocalMemory<char> owned(text);
    std::string message = length && text ? std::string(text, length) : std::string();
    while (!message.empty() &&
           (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    if (message.empty()) message = "Error " + std::to_string(code) + ".";
    return message;
}

} // namespace

HKEY__* rootKeyOf(RegRoot root) {
    switch (root) {
    case RegRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case RegRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case RegRoot::LocalMachine:
        break;
    }
    return HKEY_LOCAL_MACHINE;
}

struct Win32Registry::Target {
    HKEY base;
    std::string path; // without leading or trailing "\"
};

// A leading "\" starts at the root, anything else at the open key (the root when none).
Win32Registry::Target Win32Registry::resolve(const std::string& path) const {
    std::string relative = path;
    HKEY base = open_ ? open_.get() : root_;
    if (!relative.empty() && relative.front() == '\\') {
        base = root_;
        relative.erase(0, 1);
    }
    if (!relative.empty() && relative.back() == '\\') relative.pop_back();
    return Target{base, relative};
}

bool Win32Registry::succeeded(long result) {
    if (result != ERROR_SUCCESS) lastError_ = result;
    return result == ERROR_SUCCESS;
}

RegFailure Win32Registry::lastFailure() const {
    if (lastError_ == ERROR_SUCCESS) return {};
    return RegFailure{lastError_ == ERROR_ACCESS_DENIED, systemMessage(lastError_)};
}

bool Win32Registry::openWith(const std::string& path, std::uint32_t rights) {
    const Target target = resolve(path);
    if (!namesKeys(target.path)) return false;
    HKEY key = nullptr;
    if (!succeeded(RegOpenKeyExA(target.base, target.path.c_str(), 0, rights | view_, &key)))
        return false;
    open_.reset(key);
    return true;
}

// A 64-bit process sees no redirection: a child of a key already reached in the 32-bit view
// is that same child without the flag. With it, Wine looks for a Wow6432Node below every
// subkey opened, one failing open more each time. A 32-bit process keeps the flag, since
// its own view would redirect.
std::uint32_t Win32Registry::subkeyView() const {
#ifdef _WIN64
    return 0;
#else
    return view_;
#endif
}

std::unique_ptr<Registry> Win32Registry::openSubkey(const std::string& name, std::uint32_t rights) {
    // One level down only: a name holding "\\" would reach a key nested somewhere else.
    if (!open_ || name.empty() || name.find('\\') != std::string::npos) return nullptr;
    HKEY key = nullptr;
    if (!succeeded(RegOpenKeyExA(open_.get(), name.c_str(), 0, rights | subkeyView(), &key)))
        return nullptr;
    return std::unique_ptr<Registry>(new Win32Registry(root_, rights | view_, ScopedRegKey(key)));
}

bool Win32Registry::openKey(const std::string& path) {
    return openWith(path, access_);
}

bool Win32Registry::openKeyReadOnly(const std::string& path) {
    for (std::uint32_t rights : reg_access::ReadOnlyAttempts) {
        if (openWith(path, rights)) {
            access_ = rights | view_;
            return true;
        }
    }
    return false;
}

// Enumerated wide and converted here: the ...A enumeration would hand over a look-alike of
// a name the code page cannot hold, and that look-alike may open a different key.
std::vector<std::string> Win32Registry::subkeyNames() {
    std::vector<std::string> names;
    for (SubkeyStamp& stamp : subkeyStamps())
        names.push_back(std::move(stamp.name));
    return names;
}

std::vector<SubkeyStamp> Win32Registry::subkeyStamps() {
    std::vector<SubkeyStamp> stamps;
    if (!open_) return stamps;
    DWORD count = 0, longest = 0;
    if (RegQueryInfoKeyW(open_.get(), nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return stamps;
    const CodePage& codePage = processCodePage();
    std::vector<wchar_t> name(longest + 1);
    stamps.reserve(count);
    for (DWORD i = 0;; ++i) {
        DWORD length = static_cast<DWORD>(name.size());
        FILETIME written{};
        LONG rc = RegEnumKeyExW(open_.get(), i, name.data(), &length, nullptr, nullptr, nullptr,
                                &written);
        if (rc == ERROR_MORE_DATA) { // a longer name appeared meanwhile
            name.resize(kLongestName);
            length = static_cast<DWORD>(name.size());
            rc = RegEnumKeyExW(open_.get(), i, name.data(), &length, nullptr, nullptr, nullptr,
                               &written);
        }
        if (rc != ERROR_SUCCESS) break;
        stamps.push_back(SubkeyStamp{
            subkeyNameFromUtf16(
                std::u16string_view(reinterpret_cast<const char16_t*>(name.data()), length),
                codePage),
            static_cast<std::int64_t>((static_cast<std::uint64_t>(written.dwHighDateTime) << 32) |
                                      written.dwLowDateTime)});
    }
    return stamps;
}

ValueKind Win32Registry::valueKind(const std::string& name) {
    DWORD type = 0;
    if (!open_ || RegQueryValueExA(open_.get(), name.c_str(), nullptr, &type, nullptr, nullptr) !=
                      ERROR_SUCCESS)
        return ValueKind::Absent;
    return valueKindOfType(type);
}

std::string Win32Registry::readText(const std::string& name) {
    if (!open_) return {};
    const QueriedValue value = queryValue(open_.get(), name);
    if (value.result == ERROR_FILE_NOT_FOUND) return {};
    if (value.result != ERROR_SUCCESS && value.result != ERROR_MORE_DATA)
        throw RegistryError::getDataFailed(name);
    if (value.type != REG_SZ && value.type != REG_EXPAND_SZ)
        throw RegistryError::invalidDataType(name);
    if (value.result != ERROR_SUCCESS) throw RegistryError::getDataFailed(name); // kept growing
    return textOfValue(value.data);
}

std::int32_t Win32Registry::readInteger(const std::string& name) {
    if (!open_) throw RegistryError::getDataFailed(name);
    std::vector<std::uint8_t> data(4);
    DWORD type = 0, size = 4;
    const LONG rc = RegQueryValueExA(open_.get(), name.c_str(), nullptr, &type, data.data(), &size);
    if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) throw RegistryError::getDataFailed(name);
    if (type != REG_DWORD) throw RegistryError::invalidDataType(name);
    if (rc == ERROR_MORE_DATA) throw RegistryError::getDataFailed(name); // longer than 32 bits
    data.resize(size);
    std::int32_t result = 0;
    integerOfValue(data, result);
    return result;
}

std::size_t Win32Registry::readBinary(const std::string& name, void* buffer, std::size_t size) {
    if (!open_) throw RegistryError::getDataFailed(name);
    DWORD type = 0;
    DWORD stored = static_cast<DWORD>(size);
    // Through a private copy, so a value too long or of the wrong kind leaves the caller's
    // buffer as it was.
    std::vector<std::uint8_t> copy(size);
    const LONG rc = RegQueryValueExA(open_.get(), name.c_str(), nullptr, &type,
                                     copy.empty() ? nullptr : copy.data(), &stored);
    if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) throw RegistryError::getDataFailed(name);
    if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_DWORD || rc == ERROR_MORE_DATA ||
        stored > size)
        throw RegistryError::invalidDataType(name);
    if (stored > 0) std::memcpy(buffer, copy.data(), stored);
    return stored;
}

std::vector<RegValue> Win32Registry::readAllValues() {
    std::vector<RegValue> values;
    if (!open_) return values;
    DWORD count = 0, longestName = 0, longestData = 0;
    if (RegQueryInfoKeyA(open_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                         &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS)
        return values;
    std::vector<char> name(longestName + 1);
    std::vector<std::uint8_t> data(longestData + 1);
    values.reserve(count);
    for (DWORD i = 0, retries = 0; i < count;) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataLength = static_cast<DWORD>(data.size());
        DWORD type = 0;
        const LONG rc = RegEnumValueA(open_.get(), i, name.data(), &nameLength, nullptr, &type,
                                      data.data(), &dataLength);
        if (rc == ERROR_MORE_DATA && retries++ < 4) { // changed since the key was measured
            name.resize(kLongestName);
            data.resize(std::max<std::size_t>(dataLength, data.size() * 2));
            continue;
        }
        if (rc == ERROR_NO_MORE_ITEMS) break;
        if (rc == ERROR_SUCCESS) {
            values.push_back(
                RegValue{std::string(name.data(), nameLength), valueKindOfType(type),
                         std::vector<std::uint8_t>(data.begin(), data.begin() + dataLength), type});
        }
        ++i;
        retries = 0;
    }
    return values;
}

std::optional<ValueCounts> Win32Registry::valueCounts() {
    DWORD count = 0, longestName = 0;
    if (!open_ ||
        RegQueryInfoKeyW(open_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                         &longestName, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return std::nullopt;
    return ValueCounts{count, longestName};
}

RegValue Win32Registry::readValue(const std::string& name) {
    if (!open_) return RegValue{name, ValueKind::Absent, {}, reg_type::None};
    QueriedValue value = queryValue(open_.get(), name);
    if (value.result != ERROR_SUCCESS) return RegValue{name, ValueKind::Absent, {}, reg_type::None};
    return RegValue{name, valueKindOfType(value.type), std::move(value.data), value.type};
}

void Win32Registry::writeText(const std::string& name, const std::string& value) {
    if (!open_ || !succeeded(RegSetValueExA(open_.get(), name.c_str(), 0, REG_SZ,
                                            reinterpret_cast<const BYTE*>(value.c_str()),
                                            static_cast<DWORD>(value.size() + 1))))
        throw RegistryError::setDataFailed(name);
}

void Win32Registry::writeValue(const std::string& name, std::uint32_t type,
                               const std::vector<std::uint8_t>& data) {
    if (!open_ ||
        RegSetValueExA(open_.get(), name.c_str(), 0, type, data.empty() ? nullptr : data.data(),
                       static_cast<DWORD>(data.size())) != ERROR_SUCCESS)
        throw RegistryError::setDataFailed(name);
}

bool Win32Registry::deleteValue(const std::string& name) {
    return open_ && RegDeleteValueA(open_.get(), name.c_str()) == ERROR_SUCCESS;
}

bool Win32Registry::createKey(const std::string& path) {
    const Target target = resolve(path);
    if (!namesKeys(target.path)) return false;
    HKEY key = nullptr;
    if (!succeeded(RegCreateKeyExA(target.base, target.path.c_str(), 0, nullptr,
                                   REG_OPTION_NON_VOLATILE, access_, nullptr, &key, nullptr)))
        return false;
    open_.reset(key);
    return true;
}

DeleteOutcome Win32Registry::deleteKey(const std::string& path) {
    const Target target = resolve(path);
    // An empty path would name the base key itself: the open key, or a whole root.
    if (target.path.empty() || !namesKeys(target.path)) return DeleteOutcome::NotRemoved;
    TreeDeletion deletion;
    if (deleteTreeWide(target.base, ansiToWide(target.path), view_, deletion))
        return DeleteOutcome::Removed;
    succeeded(deletion.result);
    return deletion.removedSomething ? DeleteOutcome::Partial : DeleteOutcome::NotRemoved;
}

bool Win32RegistryFactory::hasSeparate32BitView() {
#ifdef _WIN64
    return true;
#else
    // A 32-bit process has a second view only when it runs on 64-bit Windows.
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}

bool Win32RegistryFactory::elevated() {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return false;
    const ScopedKernelHandle token(raw);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const bool ok =
        GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size);
    return ok && elevation.TokenIsElevated != 0;
}

} // namespace remvana
