#include "platform/registry.h"

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

} // namespace remvana
