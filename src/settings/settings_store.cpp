#include "settings/settings_store.h"

#include "platform/conversion.h"

namespace remvana {

namespace {
std::unique_ptr<Registry> userRegistry(RegistryFactory& registry) {
    return registry.create(RegRoot::CurrentUser, reg_access::AllAccess);
}
} // namespace

std::int32_t ReadRegInteger(RegistryFactory& registry, const std::string& keyPath,
                            const std::string& valueName, std::int32_t defaultValue) {
    auto reg = userRegistry(registry);
    if (!reg->openKey(keyPath)) return defaultValue;
    if (!reg->valueExists(valueName)) return defaultValue;
    return tryStrToInt(reg->readText(valueName)).value_or(defaultValue);
}

void WriteRegInteger(RegistryFactory& registry, const std::string& keyPath,
                     const std::string& valueName, std::int32_t value) {
    WriteRegText(registry, keyPath, valueName, std::to_string(value));
}

std::optional<std::string> ReadRegText(RegistryFactory& registry, const std::string& keyPath,
                                       const std::string& valueName) {
    // Read-only: a setting that cannot be read is one never set, not a failure.
    auto reg = registry.create(RegRoot::CurrentUser, reg_access::Read);
    if (!reg->openKey(keyPath)) return std::nullopt;
    const ValueKind kind = reg->valueKind(valueName);
    if (kind != ValueKind::String && kind != ValueKind::ExpandString) return std::nullopt;
    return reg->readText(valueName);
}

void WriteRegText(RegistryFactory& registry, const std::string& keyPath,
                  const std::string& valueName, const std::string& value) {
    auto reg = userRegistry(registry);
    if (!reg->createKey(keyPath)) throw RegistryError::createKeyFailed(keyPath);
    reg->writeText(valueName, value);
}

void DeleteRegValue(RegistryFactory& registry, const std::string& keyPath,
                    const std::string& valueName) {
    auto reg = userRegistry(registry);
    if (reg->openKey(keyPath)) reg->deleteValue(valueName);
}

std::int32_t ReadLanguage(RegistryFactory& registry, const std::string& keyPath) {
    {
        auto reg = userRegistry(registry);
        const ValueKind kind =
            reg->openKey(keyPath) ? reg->valueKind(kLanguageValue) : ValueKind::Absent;
        if (kind != ValueKind::Absent && kind != ValueKind::String &&
            kind != ValueKind::ExpandString) {
            reg->deleteValue(kLanguageValue);
            return 0;
        }
    }
    return ReadRegInteger(registry, keyPath, kLanguageValue, 0);
}

void SaveLanguage(RegistryFactory& registry, const std::string& keyPath, std::int32_t language) {
    if (language < 1)
        DeleteRegValue(registry, keyPath, kLanguageValue);
    else
        WriteRegInteger(registry, keyPath, kLanguageValue, language);
}

std::string LangString(StringTable& strings, std::int32_t language, std::int32_t id) {
    // Widened so that no offset can overflow; ids outside the table simply read as empty.
    const long long shifted = static_cast<long long>(id) + language;
    std::string text = strings.loadString(shifted);
    if (!text.empty()) return text;
    return strings.loadString(id);
}

} // namespace remvana
