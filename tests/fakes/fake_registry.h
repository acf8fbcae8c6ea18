#pragma once
// An in-memory registry with the semantics of the real one as the program relies on them:
// case-insensitive key and value names, paths from the root ("\" first) or from the open
// key, value kinds with raw bytes, text cut at its first NUL, access rights checked when a
// key is opened and when it is used. Subkeys enumerate in the order they were created, so
// tests can prove that callers sort for themselves.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace remvana {

struct FakeValue {
    std::string name;
    std::uint32_t type = reg_type::None;
    std::vector<std::uint8_t> data;
};

// Where seeding and inspection look: a root, and for HKEY_LOCAL_MACHINE the view (the
// 32-bit view is a tree of its own unless the fake plays a machine with one view).
struct FakeHive {
    FakeHive(RegRoot r) : root(r) {} // NOLINT: a bare root means its default view
    FakeHive(RegRoot r, RegView v) : root(r), view(v) {}
    RegRoot root;
    RegView view = RegView::Default;
};

// How often the program asked for what, so tests can hold callers to a number of calls.
struct FakeRegistryCalls {
    int opens = 0;        // openKey, openKeyReadOnly attempts, createKey
    int valueQueries = 0; // valueKind, readText, readInteger, readBinary, readValue
    int valueCounts = 0;  // valueCounts
    int sweeps = 0;       // readAllValues
    int enumerations = 0; // subkeyNames
    // Writes of a value of this name fail in every key, as the registry refuses a write to a
    // full hive: lets a test break a write part-way through a sequence of them.
    std::string refusedValueName;
};

class FakeRegistryFactory : public RegistryFactory {
  public:
    FakeRegistryFactory();
    ~FakeRegistryFactory() override;

    std::unique_ptr<Registry> create(RegRoot root, std::uint32_t access) override;
    bool hasSeparate32BitView() override { return separate32BitView; }
    bool elevated() override { return elevatedProcess; }

    // false: a 32-bit Windows, where both views are the one machine store.
    bool separate32BitView = true;
    bool elevatedProcess = true;

    // Seeding. Paths are taken from the root with or without a leading or trailing "\";
    // missing keys on the way are created. A value of the same name (any case) is replaced.
    void createKey(FakeHive root, const std::string& path);
    void setString(FakeHive root, const std::string& path, const std::string& name,
                   const std::string& value);
    void setExpandString(FakeHive root, const std::string& path, const std::string& name,
                         const std::string& value);
    void setDword(FakeHive root, const std::string& path, const std::string& name,
                  std::uint32_t value);
    void setBinary(FakeHive root, const std::string& path, const std::string& name,
                   std::vector<std::uint8_t> bytes);
    void setMultiString(FakeHive root, const std::string& path, const std::string& name,
                        const std::vector<std::string>& items);
    void setRaw(FakeHive root, const std::string& path, const std::string& name, std::uint32_t type,
                std::vector<std::uint8_t> bytes);

    // Inspection, bypassing every access check.
    bool keyExists(FakeHive root, const std::string& path) const;
    std::optional<FakeValue> value(FakeHive root, const std::string& path,
                                   const std::string& name) const;
    // The text of a string value (cut at its first NUL), or nothing when absent or not text.
    std::optional<std::string> text(FakeHive root, const std::string& path,
                                    const std::string& name) const;
    std::vector<std::string> subkeys(FakeHive root, const std::string& path) const;
    std::vector<std::string> valueNames(FakeHive root, const std::string& path) const;
    // Every key below `path` with every value (type and bytes), as one text to compare;
    // "(absent)" when there is no such key.
    std::string treeText(FakeHive root, const std::string& path) const;

    // Restrictions on an existing key. An open asking for rights beyond `allowed` fails, as
    // for a key whose security refuses them; the handle of a successful open may still lack
    // rights (set value, enumerate) and then those uses fail.
    void allowOnly(FakeHive root, const std::string& path, std::uint32_t allowed);
    // Opens with full access fail; read-only opens succeed.
    void denyFullAccess(FakeHive root, const std::string& path);
    // Opens succeed, but every value write, value delete and subkey creation in the key fails.
    void denyWrite(FakeHive root, const std::string& path);

    FakeRegistryCalls calls;

    struct Node;

  private:
    std::shared_ptr<Node> rootNode(FakeHive hive) const;
    std::shared_ptr<Node> find(FakeHive root, const std::string& path) const;
    std::shared_ptr<Node> make(FakeHive root, const std::string& path);

    std::map<RegRoot, std::shared_ptr<Node>> roots_;
    std::shared_ptr<Node> machine32_;
};

} // namespace remvana
