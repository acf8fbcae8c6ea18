// The registry contract against the in-memory registry the other suites use.
#include "contract/registry_contract.h"
#include "fakes/fake_registry.h"

namespace remvana {
namespace {

class FakeBackend : public RegistryBackend {
  public:
    FakeBackend() { registry_.createKey(kRoot, kBase); }

    RegistryFactory& factory() override { return registry_; }
    RegRoot root() const override { return kRoot; }
    std::string base() const override { return kBase; }

    void seedKey(const std::string& path) override { registry_.createKey(kRoot, below(path)); }
    void seedValue(const std::string& path, const std::string& name, std::uint32_t type,
                   const std::vector<std::uint8_t>& data) override {
        registry_.setRaw(kRoot, below(path), name, type, data);
    }
    bool exists(const std::string& path) override {
        return registry_.keyExists(kRoot, below(path));
    }
    std::optional<StoredValue> stored(const std::string& path, const std::string& name) override {
        const std::optional<FakeValue> v = registry_.value(kRoot, below(path), name);
        if (!v) return std::nullopt;
        return StoredValue{v->type, v->data};
    }
    bool denyFullAccess(const std::string& path) override {
        registry_.denyFullAccess(kRoot, below(path));
        return true;
    }
    bool denyListing(const std::string& path) override {
        registry_.allowOnly(kRoot, below(path), reg_access::QueryValue);
        return true;
    }

  private:
    static constexpr RegRoot kRoot = RegRoot::CurrentUser;
    static constexpr const char* kBase = "Software\\RemvanaContract";

    std::string below(const std::string& path) const {
        return path.empty() ? std::string(kBase) : std::string(kBase) + "\\" + path;
    }

    FakeRegistryFactory registry_;
};

INSTANTIATE_TEST_SUITE_P(Fake, RegistryContract,
                         testing::Values(RegistryBackendMaker{
                             "InMemory", [] { return std::make_unique<FakeBackend>(); }}),
                         backendTestName);

} // namespace
} // namespace remvana
