// Fills the in-memory registry's three uninstall stores and their usage records from the
// fuzzer's bytes (key names, value names, kinds, sizes and data of any shape) and runs the
// refresh over it. Nothing stored inside one subkey may make it throw, and every subkey with
// a text display name must come out as an entry with that name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fakes/fake_locale.h"
#include "fakes/fake_registry.h"
#include "inventory/refresh.h"

namespace {

using namespace remvana;

class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    std::uint8_t byte() { return empty() ? 0 : data_[pos_++]; }
    std::vector<std::uint8_t> run(std::size_t length) {
        std::vector<std::uint8_t> out;
        while (out.size() < length && !empty())
            out.push_back(byte());
        return out;
    }
    std::string text(std::size_t length) {
        const std::vector<std::uint8_t> bytes = run(length);
        return std::string(bytes.begin(), bytes.end());
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

const UninstallStore kStores[] = {kMachineStore64, kMachineStore32, kUserStore};
const char* const kValueNames[] = {"DisplayName",      "DisplayIcon",     "NoModify",     "Version",
                                   "WindowsInstaller", "UninstallString", "SlowInfoCache"};
constexpr std::uint32_t kTypes[] = {reg_type::String, reg_type::ExpandString, reg_type::Binary,
                                    reg_type::Dword,  reg_type::MultiString,  reg_type::Qword};

// A key name without separators, so that it names one subkey of the store.
std::string keyName(Bytes& in) {
    std::string name = in.text(in.byte() % 8 == 0 ? 255 : in.byte() % 12 + 1);
    for (char& c : name)
        if (c == '\\' || c == '\0') c = '_';
    return name.empty() ? std::string("k") : name;
}

void abortUnless(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes in(data, size);
    FakeRegistryFactory registry;
    registry.separate32BitView = in.byte() % 4 != 0;
    std::vector<std::pair<UninstallStore, std::string>> keys;
    while (!in.empty()) {
        const std::uint8_t op = in.byte();
        const UninstallStore store = kStores[op % 3];
        const FakeHive hive(store.root, store.view);
        const std::string name = keyName(in);
        // Usage records go to the store's ARPCache, everything else to the entry itself.
        const bool usage = (op >> 2) % 4 == 0;
        const std::string path =
            std::string(usage ? kUsageRecordStorePath : kUninstallStorePath) + name;
        registry.createKey(hive, path);
        if (!usage) keys.emplace_back(store, name);
        const std::uint8_t pick = in.byte();
        const std::string valueName = pick % 8 < 7 ? kValueNames[pick % 8] : in.text(in.byte() % 8);
        const std::uint32_t type = kTypes[in.byte() % 6];
        const std::size_t length = (in.byte() % 4 == 0) ? in.byte() * 4u : in.byte() % 16u;
        registry.setRaw(hive, path, valueName, type, in.run(length));
    }

    FakeLocale locale;
    InventoryArray inventory;
    rebuildInventory(registry, locale, inventory);

    for (const auto& [store, name] : keys) {
        const FakeHive hive(store.root, store.view);
        // A machine with one view has its machine-wide store read once, as the 32-bit one.
        const UninstallStore listedAs =
            store.root == RegRoot::LocalMachine && !registry.separate32BitView ? kMachineStore32
                                                                               : store;
        const auto text =
            registry.text(hive, std::string(kUninstallStorePath) + name, "DisplayName");
        if (!text || text->empty()) continue;
        bool found = false;
        for (const TAppInfo& info : inventory)
            found = found || (info.Store == listedAs && info.DisplayName == *text &&
                              registry.keyExists(hive, kUninstallStorePath + info.KeyName));
        abortUnless(found);
    }
    return 0;
}
