#include "fakes/fake_registry.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace remvana {

struct FakeRegistryFactory::Node {
    std::string name;
    Node* parent = nullptr;
    std::vector<std::shared_ptr<Node>> children; // creation order
    std::map<std::string, std::shared_ptr<Node>> childByFoldedName;
    std::vector<FakeValue> values;
    std::uint32_t allowed = 0xFFFFFFFFu;
    bool writeDenied = false;
    bool deleted = false;
    std::int64_t lastWrite = 0;
};

using Node = FakeRegistryFactory::Node;
using NodePtr = std::shared_ptr<Node>;

namespace {

std::string folded(const std::string& name) {
    std::string out = name;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

struct ParsedPath {
    bool valid = true;
    bool absolute = false;
    std::vector<std::string> parts;
};

// "\A\B\" from the root, "A\B" from the base; one leading and one trailing "\" are allowed,
// an empty name in between is not.
ParsedPath parsePath(const std::string& path) {
    ParsedPath parsed;
    std::string rest = path;
    if (!rest.empty() && rest.front() == '\\') {
        parsed.absolute = true;
        rest.erase(0, 1);
    }
    if (!rest.empty() && rest.back() == '\\') rest.pop_back();
    if (rest.empty()) return parsed;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = rest.find('\\', start);
        std::string part = rest.substr(start, end == std::string::npos ? end : end - start);
        if (part.empty()) parsed.valid = false;
        parsed.parts.push_back(std::move(part));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return parsed;
}

NodePtr childOf(const Node& node, const std::string& name) {
    auto it = node.childByFoldedName.find(folded(name));
    return it == node.childByFoldedName.end() ? nullptr : it->second;
}

// The last-write time of a key: a counter every change moves on, so each change gives a
// time of its own, as the real registry's clock does between two writes.
void touch(Node& node) {
    static std::int64_t clock = 0;
    node.lastWrite = ++clock;
}

NodePtr addChild(const NodePtr& parent, const std::string& name) {
    auto child = std::make_shared<Node>();
    child->name = name;
    child->parent = parent.get();
    parent->children.push_back(child);
    parent->childByFoldedName[folded(name)] = child;
    touch(*parent);
    touch(*child);
    return child;
}

NodePtr walk(NodePtr node, const std::vector<std::string>& parts) {
    for (const std::string& part : parts) {
        if (!node) return nullptr;
        node = childOf(*node, part);
    }
    return node;
}

FakeValue* findValue(Node& node, const std::string& name) {
    const std::string key = folded(name);
    for (FakeValue& v : node.values)
        if (folded(v.name) == key) return &v;
    return nullptr;
}

void storeValue(Node& node, const std::string& name, std::uint32_t type,
                std::vector<std::uint8_t> bytes) {
    touch(node);
    if (FakeValue* existing = findValue(node, name)) {
        existing->type = type;
        existing->data = std::move(bytes);
        return;
    }
    node.values.push_back(FakeValue{name, type, std::move(bytes)});
}

std::vector<std::uint8_t> textBytes(const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

void markDeleted(Node& node) {
    node.deleted = true;
    for (const NodePtr& child : node.children)
        markDeleted(*child);
}

void unlink(Node& node) {
    Node& parent = *node.parent;
    parent.childByFoldedName.erase(folded(node.name));
    std::erase_if(parent.children, [&](const NodePtr& c) { return c.get() == &node; });
    touch(parent);
    node.parent = nullptr;
}

const RegFailure kAccessDenied{true, "Access is denied."};
const RegFailure kNotFound{false, "The system cannot find the file specified."};
const RegFailure kNotEmpty{false, "The key has subkeys that could not be deleted."};

struct TreeDeletion {
    bool removedSomething = false;
    std::optional<RegFailure> failure; // the first
};

// Deepest first, last subkey first; a key whose subkeys cannot be listed keeps them and then
// cannot be deleted itself, nor can its ancestors.
bool deleteTree(const NodePtr& node, TreeDeletion& deletion) {
    if (node->allowed & reg_access::EnumerateSubKeys) {
        const std::vector<NodePtr> children = node->children;
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            deleteTree(*it, deletion);
    }
    if (!node->children.empty() || !(node->allowed & reg_access::Delete)) {
        if (!deletion.failure)
            deletion.failure = (node->allowed & reg_access::Delete) ? kNotEmpty : kAccessDenied;
        return false;
    }
    markDeleted(*node);
    unlink(*node);
    deletion.removedSomething = true;
    return true;
}

class FakeRegistry : public Registry {
  public:
    // The view flags select the tree (see the factory), they are no rights to check.
    FakeRegistry(FakeRegistryCalls& calls, NodePtr root, std::uint32_t access)
        : calls_(calls), root_(std::move(root)), access_(access & ~reg_access::ViewMask) {}

    bool openKey(const std::string& path) override { return openWith(path, access_); }

    bool openKeyReadOnly(const std::string& path) override {
        for (std::uint32_t rights : reg_access::ReadOnlyAttempts) {
            if (openWith(path, rights)) {
                access_ = rights;
                return true;
            }
        }
        return false;
    }

    void closeKey() override { open_.reset(); }

    std::unique_ptr<Registry> openSubkey(const std::string& name, std::uint32_t rights) override {
        ++calls_.opens;
        if (!open_ || open_->deleted || name.empty() || name.find('\\') != std::string::npos)
            return fail(kNotFound), nullptr;
        const NodePtr node = childOf(*open_, name);
        if (!node) return fail(kNotFound), nullptr;
        if (rights & ~node->allowed) return fail(kAccessDenied), nullptr;
        auto child = std::make_unique<FakeRegistry>(calls_, root_, rights);
        child->open_ = node;
        child->openRights_ = rights;
        return child;
    }

    RegFailure lastFailure() const override { return lastFailure_; }

    bool hasOpenKey() const override { return open_ != nullptr; }
    std::uint32_t access() const override { return access_; }

    std::vector<std::string> subkeyNames() override {
        ++calls_.enumerations;
        std::vector<std::string> names;
        if (!usable(reg_access::EnumerateSubKeys)) return names;
        for (const NodePtr& child : open_->children)
            names.push_back(child->name);
        return names;
    }

    std::vector<SubkeyStamp> subkeyStamps() override {
        ++calls_.enumerations;
        std::vector<SubkeyStamp> stamps;
        if (!usable(reg_access::EnumerateSubKeys)) return stamps;
        for (const NodePtr& child : open_->children)
            stamps.push_back(SubkeyStamp{child->name, child->lastWrite});
        return stamps;
    }

    ValueKind valueKind(const std::string& name) override {
        ++calls_.valueQueries;
        const FakeValue* v = readable(name);
        return v ? valueKindOfType(v->type) : ValueKind::Absent;
    }

    std::string readText(const std::string& name) override {
        ++calls_.valueQueries;
        const FakeValue* v = readable(name);
        if (!v) return {};
        const ValueKind kind = valueKindOfType(v->type);
        if (kind != ValueKind::String && kind != ValueKind::ExpandString)
            throw RegistryError::invalidDataType(name);
        return textOfValue(v->data);
    }

    std::int32_t readInteger(const std::string& name) override {
        ++calls_.valueQueries;
        const FakeValue* v = readable(name);
        if (!v) throw RegistryError::getDataFailed(name);
        if (valueKindOfType(v->type) != ValueKind::Integer)
            throw RegistryError::invalidDataType(name);
        std::int32_t result = 0;
        if (!integerOfValue(v->data, result)) throw RegistryError::getDataFailed(name);
        return result;
    }

    std::size_t readBinary(const std::string& name, void* buffer, std::size_t size) override {
        ++calls_.valueQueries;
        const FakeValue* v = readable(name);
        if (!v) throw RegistryError::getDataFailed(name);
        const ValueKind kind = valueKindOfType(v->type);
        if (kind == ValueKind::String || kind == ValueKind::ExpandString ||
            kind == ValueKind::Integer || v->data.size() > size)
            throw RegistryError::invalidDataType(name);
        if (!v->data.empty()) std::memcpy(buffer, v->data.data(), v->data.size());
        return v->data.size();
    }

    std::vector<RegValue> readAllValues() override {
        ++calls_.sweeps;
        std::vector<RegValue> all;
        if (!usable(reg_access::QueryValue)) return all;
        for (const FakeValue& v : open_->values)
            all.push_back(RegValue{v.name, valueKindOfType(v.type), v.data, v.type});
        return all;
    }

    std::optional<ValueCounts> valueCounts() override {
        ++calls_.valueCounts;
        if (!usable(reg_access::QueryValue)) return std::nullopt;
        ValueCounts counts{open_->values.size(), 0};
        for (const FakeValue& v : open_->values)
            counts.longestName = std::max(counts.longestName, v.name.size());
        return counts;
    }

    RegValue readValue(const std::string& name) override {
        ++calls_.valueQueries;
        const FakeValue* v = readable(name);
        if (!v) return RegValue{name, ValueKind::Absent, {}, reg_type::None};
        return RegValue{name, valueKindOfType(v->type), v->data, v->type};
    }

    void writeText(const std::string& name, const std::string& value) override {
        if (!calls_.refusedValueName.empty() && name == calls_.refusedValueName)
            throw RegistryError::setDataFailed(name);
        if (!writable()) {
            fail(open_ && !open_->deleted ? kAccessDenied : kNotFound);
            throw RegistryError::setDataFailed(name);
        }
        storeValue(*open_, name, reg_type::String, textBytes(value));
    }

    void writeValue(const std::string& name, std::uint32_t type,
                    const std::vector<std::uint8_t>& data) override {
        if (!writable() || (!calls_.refusedValueName.empty() && name == calls_.refusedValueName))
            throw RegistryError::setDataFailed(name);
        storeValue(*open_, name, type, data);
    }

    bool deleteValue(const std::string& name) override {
        if (!writable()) return false;
        const std::string key = folded(name);
        const bool deleted = std::erase_if(open_->values, [&](const FakeValue& v) {
                                 return folded(v.name) == key;
                             }) > 0;
        if (deleted) touch(*open_);
        return deleted;
    }

    bool createKey(const std::string& path) override {
        ++calls_.opens;
        const ParsedPath parsed = parsePath(path);
        NodePtr node = base(parsed);
        if (!node || !parsed.valid) return false;
        for (const std::string& part : parsed.parts) {
            NodePtr next = childOf(*node, part);
            if (!next) {
                if (node->writeDenied || !(node->allowed & reg_access::CreateSubKey)) return false;
                next = addChild(node, part);
            }
            node = next;
        }
        if (access_ & ~node->allowed) return false;
        open_ = node;
        openRights_ = access_;
        return true;
    }

    DeleteOutcome deleteKey(const std::string& path) override {
        const ParsedPath parsed = parsePath(path);
        if (!parsed.valid || parsed.parts.empty()) return DeleteOutcome::NotRemoved;
        const NodePtr node = walk(base(parsed), parsed.parts);
        if (!node) return fail(kNotFound), DeleteOutcome::NotRemoved;
        TreeDeletion deletion;
        if (deleteTree(node, deletion)) return DeleteOutcome::Removed;
        fail(*deletion.failure);
        return deletion.removedSomething ? DeleteOutcome::Partial : DeleteOutcome::NotRemoved;
    }

  private:
    NodePtr base(const ParsedPath& parsed) const {
        if (parsed.absolute || !open_) return root_;
        return open_->deleted ? nullptr : open_;
    }

    void fail(const RegFailure& failure) { lastFailure_ = failure; }

    bool openWith(const std::string& path, std::uint32_t rights) {
        ++calls_.opens;
        const ParsedPath parsed = parsePath(path);
        if (!parsed.valid) return fail(kNotFound), false;
        const NodePtr node = walk(base(parsed), parsed.parts);
        if (!node) return fail(kNotFound), false;
        if (rights & ~node->allowed) return fail(kAccessDenied), false;
        open_ = node;
        openRights_ = rights;
        return true;
    }

    bool usable(std::uint32_t right) const {
        return open_ && !open_->deleted && (openRights_ & right) == right;
    }
    bool writable() const { return usable(reg_access::SetValue) && !open_->writeDenied; }
    const FakeValue* readable(const std::string& name) const {
        return usable(reg_access::QueryValue) ? findValue(*open_, name) : nullptr;
    }

    FakeRegistryCalls& calls_;
    NodePtr root_;
    std::uint32_t access_;
    NodePtr open_;
    std::uint32_t openRights_ = 0;
    RegFailure lastFailure_;
};

} // namespace

FakeRegistryFactory::FakeRegistryFactory() : machine32_(std::make_shared<Node>()) {
    for (RegRoot root : {RegRoot::ClassesRoot, RegRoot::CurrentUser, RegRoot::LocalMachine})
        roots_[root] = std::make_shared<Node>();
}

FakeRegistryFactory::~FakeRegistryFactory() = default;

std::unique_ptr<Registry> FakeRegistryFactory::create(RegRoot root, std::uint32_t access) {
    const RegView view = (access & reg_access::View32) ? RegView::Bits32 : RegView::Default;
    return std::make_unique<FakeRegistry>(calls, rootNode(FakeHive(root, view)), access);
}

// As on 64-bit Windows seen from a 64-bit process: only the machine-wide hive has a 32-bit
// view of its own, and only where the machine has two views.
std::shared_ptr<Node> FakeRegistryFactory::rootNode(FakeHive hive) const {
    if (hive.root == RegRoot::LocalMachine && hive.view == RegView::Bits32 && separate32BitView)
        return machine32_;
    return roots_.at(hive.root);
}

std::shared_ptr<Node> FakeRegistryFactory::find(FakeHive root, const std::string& path) const {
    const ParsedPath parsed = parsePath(path);
    return parsed.valid ? walk(rootNode(root), parsed.parts) : nullptr;
}

std::shared_ptr<Node> FakeRegistryFactory::make(FakeHive root, const std::string& path) {
    NodePtr node = rootNode(root);
    for (const std::string& part : parsePath(path).parts) {
        if (part.empty()) continue;
        NodePtr next = childOf(*node, part);
        node = next ? next : addChild(node, part);
    }
    return node;
}

void FakeRegistryFactory::createKey(FakeHive root, const std::string& path) {
    make(root, path);
}

void FakeRegistryFactory::setString(FakeHive root, const std::string& path, const std::string& name,
                                    const std::string& value) {
    setRaw(root, path, name, reg_type::String, textBytes(value));
}

void FakeRegistryFactory::setExpandString(FakeHive root, const std::string& path,
                                          const std::string& name, const std::string& value) {
    setRaw(root, path, name, reg_type::ExpandString, textBytes(value));
}

void FakeRegistryFactory::setDword(FakeHive root, const std::string& path, const std::string& name,
                                   std::uint32_t value) {
    std::vector<std::uint8_t> bytes(4);
    for (std::size_t i = 0; i < 4; ++i)
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    setRaw(root, path, name, reg_type::Dword, std::move(bytes));
}

void FakeRegistryFactory::setBinary(FakeHive root, const std::string& path, const std::string& name,
                                    std::vector<std::uint8_t> bytes) {
    setRaw(root, path, name, reg_type::Binary, std::move(bytes));
}

void FakeRegistryFactory::setMultiString(FakeHive root, const std::string& path,
                                         const std::string& name,
                                         const std::vector<std::string>& items) {
    std::vector<std::uint8_t> bytes;
    for (const std::string& item : items) {
        bytes.insert(bytes.end(), item.begin(), item.end());
        bytes.push_back(0);
    }
    bytes.push_back(0);
    setRaw(root, path, name, reg_type::MultiString, std::move(bytes));
}

void FakeRegistryFactory::setRaw(FakeHive root, const std::string& path, const std::string& name,
                                 std::uint32_t type, std::vector<std::uint8_t> bytes) {
    storeValue(*make(root, path), name, type, std::move(bytes));
}

std::string FakeRegistryFactory::treeText(FakeHive root, const std::string& path) const {
    if (!keyExists(root, path)) return "(absent)";
    std::string text = "[" + path + "]\n";
    for (const std::string& name : valueNames(root, path)) {
        const FakeValue data = *value(root, path, name);
        text += name + "=" + std::to_string(data.type) + ":";
        for (std::uint8_t byte : data.data)
            text += std::to_string(byte) + ",";
        text += "\n";
    }
    for (const std::string& child : subkeys(root, path))
        text += treeText(root, path + "\\" + child);
    return text;
}

bool FakeRegistryFactory::keyExists(FakeHive root, const std::string& path) const {
    return find(root, path) != nullptr;
}

std::optional<FakeValue> FakeRegistryFactory::value(FakeHive root, const std::string& path,
                                                    const std::string& name) const {
    const NodePtr node = find(root, path);
    if (!node) return std::nullopt;
    const FakeValue* v = findValue(*node, name);
    return v ? std::optional<FakeValue>(*v) : std::nullopt;
}

std::optional<std::string> FakeRegistryFactory::text(FakeHive root, const std::string& path,
                                                     const std::string& name) const {
    const std::optional<FakeValue> v = value(root, path, name);
    if (!v || (v->type != reg_type::String && v->type != reg_type::ExpandString))
        return std::nullopt;
    return textOfValue(v->data);
}

std::vector<std::string> FakeRegistryFactory::subkeys(FakeHive root,
                                                      const std::string& path) const {
    std::vector<std::string> names;
    if (const NodePtr node = find(root, path))
        for (const NodePtr& child : node->children)
            names.push_back(child->name);
    return names;
}

std::vector<std::string> FakeRegistryFactory::valueNames(FakeHive root,
                                                         const std::string& path) const {
    std::vector<std::string> names;
    if (const NodePtr node = find(root, path))
        for (const FakeValue& v : node->values)
            names.push_back(v.name);
    return names;
}

void FakeRegistryFactory::allowOnly(FakeHive root, const std::string& path, std::uint32_t allowed) {
    make(root, path)->allowed = allowed;
}

void FakeRegistryFactory::denyFullAccess(FakeHive root, const std::string& path) {
    allowOnly(root, path, reg_access::Read);
}

void FakeRegistryFactory::denyWrite(FakeHive root, const std::string& path) {
    make(root, path)->writeDenied = true;
}

} // namespace remvana
