// A refresh over the real registry: seeds a few entries of its own into the machine-wide
// uninstall store and the usage records, refreshes, and compares what it seeded field by
// field. Whatever else the prefix holds is left alone and not relied on.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "contract/app_info_fields.h"
#include "inventory/refresh.h"
#include "platform/win32/locale_win32.h"
#include "platform/win32/registry_win32.h"

namespace remvana {
namespace {

const std::string kStore = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::string kCache =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache\\";

class IgnoringView : public RefreshView {
  public:
    void clearRows() override {}
    void setDetailsHeading(const std::string&) override {}
    void disableEntryButtons() override {}
    void fillList() override { filled = true; }
    void reportRegistryErrorAndExit() override { registryError = true; }
    bool filled = false;
    bool registryError = false;
};

void setValue(const std::string& path, const char* name, DWORD type, const void* data,
              std::size_t size) {
    HKEY raw = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &raw, nullptr));
    ScopedRegKey key(raw);
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(raw, name, 0, type, static_cast<const BYTE*>(data),
                                            static_cast<DWORD>(size)));
}
void setText(const std::string& path, const char* name, const std::string& text,
             DWORD type = REG_SZ) {
    setValue(path, name, type, text.c_str(), text.size() + 1);
}
void setDword(const std::string& path, const char* name, DWORD value) {
    setValue(path, name, REG_DWORD, &value, sizeof value);
}

std::vector<std::uint8_t> usageRecord(std::int64_t size, std::int64_t lastUsed, std::int32_t times,
                                      const std::u16string& path) {
    std::vector<std::uint8_t> bytes(552, 0);
    auto put = [&](std::size_t offset, std::uint64_t value, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i)
            bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    put(0, 552, 4);
    put(4, path.empty() ? 0 : 1, 4);
    put(8, static_cast<std::uint64_t>(size), 8);
    put(16, static_cast<std::uint64_t>(lastUsed), 8);
    put(24, static_cast<std::uint32_t>(times), 4);
    for (std::size_t i = 0; i < path.size(); ++i)
        put(28 + 2 * i, path[i], 2);
    return bytes;
}

class RealRefresh : public testing::Test {
  protected:
    void SetUp() override {
        prefix = "RemvanaRefresh-" + std::to_string(GetCurrentProcessId()) + "-";
        Inventory.clear();
    }
    void TearDown() override {
        for (const std::string& key : seeded) {
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, (kStore + key).c_str());
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, (kStore + key).c_str());
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, (kCache + key).c_str());
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, (kCache + key).c_str());
        }
        Inventory.clear();
    }

    std::string entry(const std::string& suffix) {
        seeded.push_back(prefix + suffix);
        HKEY raw = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, (kStore + seeded.back()).c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &raw, nullptr);
        ScopedRegKey key(raw);
        return kStore + seeded.back();
    }
    const TAppInfo* find(const std::string& key) const {
        const InventoryArray& all = Inventory.completeAll();
        auto it = std::find_if(all.begin(), all.end(),
                               [&](const TAppInfo& a) { return a.KeyName == key; });
        return it == all.end() ? nullptr : &*it;
    }
    std::ptrdiff_t indexOf(const std::string& key) const {
        const TAppInfo* info = find(key);
        return info ? info - Inventory.completeAll().data() : -1;
    }

    std::string prefix;
    std::vector<std::string> seeded;
};

TEST_F(RealRefresh, InventoryHoldsWhatWasSeededFieldByField) {
    const std::string full = entry("b");
    for (const auto& [name, field] : kExpectedTextFields)
        setText(full, name.c_str(), name + " of b");
    setText(full, "DisplayIcon", "%SystemRoot%\\notepad.exe,0", REG_EXPAND_SZ);
    DWORD n = 1033;
    for (const auto& [name, field] : kExpectedIntegerFields)
        setDword(full, name.c_str(), n++);
    setDword(full, "NoModify", 0xFFFFFFFFu);
    const std::u16string imagePath =
        GetACP() == 1252 ? u"C:\\Caf\u00E9\\app.exe" : u"C:\\App\\app.exe";
    const auto record = usageRecord(123456789, 0x01D9000000000000LL, 12, imagePath);
    setValue(kCache + prefix + "b", "SlowInfoCache", REG_BINARY, record.data(), record.size());

    const std::string kinds = entry("A");
    setDword(kinds, "DisplayName", 3);
    setText(kinds, "NoRemove", "1");
    setText(kinds, "Publisher", "Multi\0", REG_MULTI_SZ);
    const std::vector<std::uint8_t> shortRecord = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                   0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2};
    setValue(kCache + prefix + "A", "SlowInfoCache", REG_BINARY, shortRecord.data(),
             shortRecord.size());
    entry("c");
    setText(kCache + prefix + "c", "SlowInfoCache", "not binary");

    Win32RegistryFactory registry;
    Win32Locale locale;
    IgnoringView view;
    refreshInventory(registry, locale, view);
    EXPECT_TRUE(view.filled);
    EXPECT_FALSE(view.registryError);

    EXPECT_LT(indexOf(prefix + "A"), indexOf(prefix + "b"));
    EXPECT_LT(indexOf(prefix + "b"), indexOf(prefix + "c"));
    ASSERT_GE(indexOf(prefix + "A"), 0);

    const TAppInfo& b = *find(prefix + "b");
    for (const auto& [name, field] : kExpectedTextFields)
        if (name != "DisplayIcon") {
            EXPECT_EQ(name + " of b", b.*field) << name;
        }
    EXPECT_EQ("%SystemRoot%\\notepad.exe,0", b.DisplayIcon);
    n = 1033;
    for (const auto& [name, field] : kExpectedIntegerFields) {
        const std::int32_t expected = name == "NoModify" ? -1 : static_cast<std::int32_t>(n);
        EXPECT_EQ(expected, b.*field) << name;
        ++n;
    }
    EXPECT_TRUE(std::equal(record.begin(), record.end(), b.UsageRecord.bytes.begin()));
    EXPECT_EQ(123456789, b.UsageRecord.installedSize());
    EXPECT_EQ(GetACP() == 1252 ? "C:\\Caf\xE9\\app.exe" : "C:\\App\\app.exe",
              b.UsageRecord.imagePath());
    EXPECT_EQ("frequently", b.FrequencyText);

    const TAppInfo& a = *find(prefix + "A");
    EXPECT_EQ("", a.DisplayName);
    EXPECT_EQ("", a.Publisher);
    EXPECT_EQ(0, a.NoRemove);
    EXPECT_EQ(2, a.UsageRecord.timesUsed());
    EXPECT_EQ("rarely", a.FrequencyText);
    EXPECT_TRUE(std::all_of(a.UsageRecord.bytes.begin() + 25, a.UsageRecord.bytes.end(),
                            [](std::uint8_t x) { return x == 0; }));

    const TAppInfo& c = *find(prefix + "c");
    EXPECT_EQ(ArpCacheRecord{}.bytes, c.UsageRecord.bytes);
    EXPECT_EQ("", c.FrequencyText);
}

TEST_F(RealRefresh, OrdersByTheLocaleIgnoringCase) {
    for (const char* suffix : {"zeta", "Beta", "alpha", "{GUID}"})
        entry(suffix);
    Win32RegistryFactory registry;
    Win32Locale locale;
    IgnoringView view;
    refreshInventory(registry, locale, view);
    // Braces sort before letters in the word sort, unlike in a byte comparison.
    EXPECT_LT(indexOf(prefix + "{GUID}"), indexOf(prefix + "alpha"));
    EXPECT_LT(indexOf(prefix + "alpha"), indexOf(prefix + "Beta"));
    EXPECT_LT(indexOf(prefix + "Beta"), indexOf(prefix + "zeta"));
    ASSERT_GE(indexOf(prefix + "{GUID}"), 0);
}

} // namespace
} // namespace remvana
