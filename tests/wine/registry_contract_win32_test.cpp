// The registry contract against the real registry: each test works beneath a key of its own
// under the current user's hive, seeded and checked with advapi32 directly, removed after.
#include <windows.h>

#include <sddl.h>

#include <cstring>
#include <string>
#include <vector>

#include "contract/registry_contract.h"
#include "platform/code_page.h"
#include "platform/utf8.h"
#include "platform/win32/registry_win32.h"

namespace remvana {
namespace {

// Through the wide interface, whose paths are not held to the ANSI one's MAX_PATH, so keys
// with names of the registry's full 255 characters can be seeded (test paths are ASCII).
HKEY createRaw(const std::string& path) {
    const std::wstring wide(path.begin(), path.end());
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, wide.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

bool setSecurity(const std::string& path, const char* sddl) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS)
        return false;
    ScopedRegKey owned(key);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor,
                                                              nullptr))
        return false;
    const LONG rc = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
    LocalFree(descriptor);
    return rc == ERROR_SUCCESS;
}

class Win32Backend : public RegistryBackend {
  public:
    Win32Backend() {
        static int counter = 0;
        base_ = "Software\\RemvanaTests\\Contract-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++counter);
        ScopedRegKey key(createRaw(base_));
        EXPECT_TRUE(key) << "cannot create the test key";
    }
    ~Win32Backend() override {
        for (const std::string& path : restricted_)
            setSecurity(path, "D:(A;;KA;;;WD)");
        RegDeleteTreeA(HKEY_CURRENT_USER, base_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, base_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\RemvanaTests"); // only once empty
    }

    RegistryFactory& factory() override { return factory_; }
    RegRoot root() const override { return RegRoot::CurrentUser; }
    std::string base() const override { return base_; }

    void seedKey(const std::string& path) override { ScopedRegKey key(createRaw(below(path))); }
    void seedValue(const std::string& path, const std::string& name, std::uint32_t type,
                   const std::vector<std::uint8_t>& data) override {
        ScopedRegKey key(createRaw(below(path)));
        ASSERT_TRUE(key);
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key.get(), name.c_str(), 0, type,
                                                data.empty() ? nullptr : data.data(),
                                                static_cast<DWORD>(data.size())));
    }
    bool exists(const std::string& path) override {
        HKEY key = nullptr;
        const bool found = RegOpenKeyExA(HKEY_CURRENT_USER, below(path).c_str(), 0, KEY_QUERY_VALUE,
                                         &key) == ERROR_SUCCESS;
        ScopedRegKey owned(key);
        return found;
    }
    std::optional<StoredValue> stored(const std::string& path, const std::string& name) override {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, below(path).c_str(), 0, KEY_QUERY_VALUE, &key) !=
            ERROR_SUCCESS)
            return std::nullopt;
        ScopedRegKey owned(key);
        DWORD type = 0, size = 0;
        if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        StoredValue value{type, std::vector<std::uint8_t>(size)};
        if (RegQueryValueExA(key, name.c_str(), nullptr, &type, value.data.data(), &size) !=
            ERROR_SUCCESS)
            return std::nullopt;
        value.data.resize(size);
        return value;
    }
    bool denyFullAccess(const std::string& path) override {
        // Everyone may read the key and change its permissions back; nothing else.
        return restrict(path, "D:P(A;;KRWD;;;WD)");
    }
    bool denyListing(const std::string& path) override {
        // Query values, read and change the permissions (KEY_QUERY_VALUE, READ_CONTROL,
        // WRITE_DAC); no listing of subkeys.
        return restrict(path, "D:P(A;;0x60001;;;WD)");
    }

  private:
    bool restrict(const std::string& path, const char* sddl) {
        if (!setSecurity(below(path), sddl)) return false;
        restricted_.push_back(below(path));
        return true;
    }
    std::string below(const std::string& path) const {
        return path.empty() ? base_ : base_ + "\\" + path;
    }

    std::string base_;
    std::vector<std::string> restricted_;
    Win32RegistryFactory factory_;
};

// A subkey name the code page cannot hold comes out marked, and the marked name reaches no
// key, not even a real key whose name reads like the marked one's showable part.
TEST(Win32Registry, AMarkedSubkeyNameNeverReachesAKey) {
    Win32Backend backend;
    backend.seedKey("Victim?Sub\\Inner");
    const std::string narrowBase = backend.base();
    const std::wstring wideBase(narrowBase.begin(), narrowBase.end());
    HKEY raw = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExW(HKEY_CURRENT_USER, (wideBase + L"\\Victim\xD800").c_str(), 0, nullptr,
                              0, KEY_ALL_ACCESS, nullptr, &raw, nullptr));
    ScopedRegKey created(raw);

    auto registry = backend.factory().create(RegRoot::CurrentUser, reg_access::AllAccess);
    std::string base = "\\";
    base += backend.base();
    ASSERT_TRUE(registry->openKey(base));
    std::vector<std::string> marked;
    for (const std::string& name : registry->subkeyNames())
        if (isUnrepresentableKeyName(name)) marked.push_back(name);
    ASSERT_EQ(std::vector<std::string>{"\\Victim\uFFFD"}, marked);

    const std::string lookAlike = base + "\\\\Victim?Sub\\";
    EXPECT_FALSE(registry->openKey(lookAlike));
    EXPECT_FALSE(registry->createKey(lookAlike + "New"));
    EXPECT_EQ(DeleteOutcome::NotRemoved, registry->deleteKey(lookAlike));
    EXPECT_TRUE(backend.exists("Victim?Sub\\Inner"));
}

// Text as the wide calls store it, its terminator included, less the last `cut` bytes.
std::vector<std::uint8_t> utf16Bytes(const std::wstring& text, std::size_t cut = 0) {
    std::vector<std::uint8_t> bytes((text.size() + 1) * sizeof(wchar_t));
    std::memcpy(bytes.data(), text.data(), bytes.size());
    bytes.resize(bytes.size() - cut);
    return bytes;
}

std::string utf8Of(const std::wstring& wide) {
    std::u16string units;
    for (const wchar_t unit : wide)
        units.push_back(static_cast<char16_t>(unit));
    return utf16ToUtf8(units);
}

// A value read alone is one request where ntdll can be asked directly, and then must read
// exactly as the ...A query reads it: names and text in any script, string data of odd
// length or with a lone surrogate, values longer than the ...A query's own buffer.
TEST(Win32Registry, AValueReadAloneReadsAsTheAnsiQueryReadsIt) {
    Win32Backend backend;
    struct Case {
        std::wstring name;
        DWORD type;
        std::vector<std::uint8_t> data;
    };
    const std::vector<Case> cases = {
        {L"Gr\u00F6\u00DFe \u65E5\u672C", REG_SZ, utf16Bytes(L"Caf\u00E9 \u0416 \U0001F600")},
        {L"Odd", REG_SZ, utf16Bytes(L"abc", 1)},    // ends in half a character
        {L"OddEnd", REG_SZ, utf16Bytes(L"abc", 3)}, // unterminated, half a character more
        {L"Lone", REG_EXPAND_SZ,
         utf16Bytes(L"a\xD800"
                    L"b")},
        {L"Long", REG_SZ, utf16Bytes(std::wstring(700, L'\u00E9'))},
        {L"Multi", REG_MULTI_SZ, utf16Bytes(std::wstring(L"x\0\u00FC\0", 4))},
        {L"SlowInfoCache", REG_BINARY, std::vector<std::uint8_t>(552, 0x5A)},
        {L"Empty", REG_SZ, {}},
        {L"Number", REG_DWORD, {1, 2, 3, 4}},
    };
    {
        const std::string narrow = backend.base();
        const std::wstring base(narrow.begin(), narrow.end());
        HKEY raw = nullptr;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegOpenKeyExW(HKEY_CURRENT_USER, base.c_str(), 0, KEY_SET_VALUE, &raw));
        ScopedRegKey key(raw);
        for (const Case& c : cases)
            ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(raw, c.name.c_str(), 0, c.type,
                                                    c.data.empty() ? nullptr : c.data.data(),
                                                    static_cast<DWORD>(c.data.size())));
    }
    auto registry = backend.factory().create(RegRoot::CurrentUser, reg_access::Read);
    ASSERT_TRUE(registry->openKey(std::string("\\").append(backend.base())));
    for (const Case& c : cases) {
        const std::string name = utf8Of(c.name);
        SCOPED_TRACE(name);
        const std::optional<StoredValue> oracle = backend.stored("", name);
        ASSERT_TRUE(oracle);
        const RegValue read = registry->readValue(name);
        EXPECT_EQ(oracle->type, read.type);
        EXPECT_EQ(oracle->data, read.data);
        if (c.type == REG_SZ || c.type == REG_EXPAND_SZ) {
            EXPECT_EQ(textOfValue(oracle->data), registry->readText(name));
        }
    }
    EXPECT_EQ(ValueKind::Absent, registry->readValue("Missing").kind);
}

INSTANTIATE_TEST_SUITE_P(Win32, RegistryContract,
                         testing::Values(RegistryBackendMaker{
                             "Advapi32", [] { return std::make_unique<Win32Backend>(); }}),
                         backendTestName);

} // namespace
} // namespace remvana
