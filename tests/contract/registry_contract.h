#pragma once
// One registry contract for every accessor: each backend (the in-memory fake natively, the
// real registry under Wine) gives the suite a factory and a private key to work beneath,
// plus a way to seed and inspect that key without going through the accessor under test.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace remvana {

struct StoredValue {
    std::uint32_t type = reg_type::None;
    std::vector<std::uint8_t> data;
};

class RegistryBackend {
  public:
    virtual ~RegistryBackend() = default;
    virtual RegistryFactory& factory() = 0;
    virtual RegRoot root() const = 0;
    // The test's own key, from the root, without leading or trailing "\"; it exists and is
    // empty when the backend is made, and is gone when the backend is destroyed.
    virtual std::string base() const = 0;

    // Below: paths are relative to base(); "" is base() itself. Missing keys are created.
    virtual void seedKey(const std::string& path) = 0;
    virtual void seedValue(const std::string& path, const std::string& name, std::uint32_t type,
                           const std::vector<std::uint8_t>& data) = 0;
    virtual bool exists(const std::string& path) = 0;
    virtual std::optional<StoredValue> stored(const std::string& path, const std::string& name) = 0;
    // Lets the key be opened for reading only; false when the backend cannot arrange it.
    virtual bool denyFullAccess(const std::string& path) = 0;
    // Lets the key be opened for querying its values only: its subkeys cannot be listed.
    virtual bool denyListing(const std::string& path) = 0;
};

struct RegistryBackendMaker {
    std::string name;
    std::function<std::unique_ptr<RegistryBackend>()> make;
};

inline void PrintTo(const RegistryBackendMaker& maker, std::ostream* os) {
    *os << maker.name;
}

class RegistryContract : public testing::TestWithParam<RegistryBackendMaker> {
  protected:
    void SetUp() override { backend = GetParam().make(); }
    void TearDown() override { backend.reset(); }

    std::unique_ptr<Registry> accessor(std::uint32_t access = reg_access::AllAccess) {
        return backend->factory().create(backend->root(), access);
    }
    // "\<base>\<path>\": the absolute form of a path below the test's key.
    std::string absolute(const std::string& path = "") const {
        std::string result = "\\";
        result += backend->base();
        result += '\\';
        if (!path.empty()) result += path + '\\';
        return result;
    }
    void seedText(const std::string& path, const std::string& name, const std::string& text,
                  std::uint32_t type = reg_type::String);
    void seedDword(const std::string& path, const std::string& name, std::uint32_t value);

    std::unique_ptr<RegistryBackend> backend;
};

std::string backendTestName(const testing::TestParamInfo<RegistryBackendMaker>& info);

} // namespace remvana
