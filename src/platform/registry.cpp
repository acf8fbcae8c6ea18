#include "platform/registry.h"

#include <algorithm>

namespace remvana {

RegistryError RegistryError::invalidDataType(const std::string& valueName) {
    return RegistryError("Invalid data type for '" + valueName + "'");
}
RegistryError RegistryError::getDataFailed(const std::string& valueName) {
    return RegistryError("Failed to get data for '" + valueName + "'");
}
RegistryError RegistryError::setDataFailed(const std::string& valueName) {
    return RegistryError("Failed to set data for '" + valueName + "'");
}
RegistryError RegistryError::createKeyFailed(const std::string& keyPath) {
    return RegistryError("Failed to create key " + keyPath);
}

ValueKind valueKindOfType(std::uint32_t type) {
    switch (type) {
    case reg_type::String:
        return ValueKind::String;
    case reg_type::ExpandString:
        return ValueKind::ExpandString;
    case reg_type::Dword:
        return ValueKind::Integer;
    case reg_type::Binary:
        return ValueKind::Binary;
    default:
        return ValueKind::Other;
    }
}

std::uint32_t viewAccessOf(RegView view) {
    switch (view) {
    case RegView::Bits64:
        return reg_access::View64;
    case RegView::Bits32:
        return reg_access::View32;
    case RegView::Default:
        break;
    }
    return 0;
}

std::string textOfValue(const std::vector<std::uint8_t>& data) {
    const auto end = std::find(data.begin(), data.end(), std::uint8_t{0});
    return std::string(data.begin(), end);
}

bool integerOfValue(const std::vector<std::uint8_t>& data, std::int32_t& out) {
    if (data.size() > 4) return false;
    std::uint32_t raw = 0;
    for (std::size_t i = 0; i < data.size(); ++i)
        raw |= static_cast<std::uint32_t>(data[i]) << (8 * i);
    out = static_cast<std::int32_t>(raw);
    return true;
}

} // namespace remvana
