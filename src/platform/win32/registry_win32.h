#pragma once
// The registry accessor over advapi32's ANSI functions, whose text is the process code page
// (UTF-8). Subkey names are enumerated and deleted through the wide functions, so a name the
// code page cannot hold is marked (see code_page.h) instead of reaching another key.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/registry.h"
#include "platform/win32/scoped_handles.h"

namespace remvana {

HKEY__* rootKeyOf(RegRoot root);

class Win32Registry : public Registry {
  public:
    Win32Registry(RegRoot root, std::uint32_t access)
        : root_(rootKeyOf(root)), access_(access), view_(access & reg_access::ViewMask) {}

    bool openKey(const std::string& path) override;
    bool openKeyReadOnly(const std::string& path) override;
    void closeKey() override { open_.reset(); }
    std::unique_ptr<Registry> openSubkey(const std::string& name, std::uint32_t rights) override;
    bool hasOpenKey() const override { return static_cast<bool>(open_); }
    std::uint32_t access() const override { return access_; }

    std::vector<std::string> subkeyNames() override;
    std::vector<SubkeyStamp> subkeyStamps() override;
    ValueKind valueKind(const std::string& name) override;
    std::string readText(const std::string& name) override;
    std::int32_t readInteger(const std::string& name) override;
    std::size_t readBinary(const std::string& name, void* buffer, std::size_t size) override;
    std::vector<RegValue> readAllValues() override;
    std::optional<ValueCounts> valueCounts() override;
    RegValue readValue(const std::string& name) override;

    void writeText(const std::string& name, const std::string& value) override;
    void writeValue(const std::string& name, std::uint32_t type,
                    const std::vector<std::uint8_t>& data) override;
    bool deleteValue(const std::string& name) override;
    bool createKey(const std::string& path) override;
    DeleteOutcome deleteKey(const std::string& path) override;
    RegFailure lastFailure() const override;

  private:
    Win32Registry(HKEY__* root, std::uint32_t access, ScopedRegKey open)
        : root_(root), access_(access), view_(access & reg_access::ViewMask),
          open_(std::move(open)) {}

    struct Target;
    Target resolve(const std::string& path) const;
    bool openWith(const std::string& path, std::uint32_t rights);
    // The view flag a one-level open relative to the open key takes.
    std::uint32_t subkeyView() const;
    // Keeps a failing call's result for lastFailure; returns whether it succeeded.
    bool succeeded(long result);

    HKEY__* root_;
    std::uint32_t access_;
    std::uint32_t view_;
    ScopedRegKey open_;
    long lastError_ = 0;
};

class Win32RegistryFactory : public RegistryFactory {
  public:
    std::unique_ptr<Registry> create(RegRoot root, std::uint32_t access) override {
        return std::make_unique<Win32Registry>(root, access);
    }
    bool hasSeparate32BitView() override;
    bool elevated() override;
};

} // namespace remvana
