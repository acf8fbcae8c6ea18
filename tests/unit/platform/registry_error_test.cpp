#include <gtest/gtest.h>

#include "platform/registry.h"

namespace remvana {

TEST(RegistryError, MessagesNameTheValueOrKey) {
    EXPECT_STREQ("Invalid data type for 'NoRemove'",
                 RegistryError::invalidDataType("NoRemove").what());
    EXPECT_STREQ("Failed to get data for 'X'", RegistryError::getDataFailed("X").what());
    EXPECT_STREQ("Failed to set data for 'Publisher'",
                 RegistryError::setDataFailed("Publisher").what());
    EXPECT_STREQ("Failed to create key \\SOFTWARE\\Kelvane\\Remvana\\",
                 RegistryError::createKeyFailed("\\SOFTWARE\\Kelvane\\Remvana\\").what());
}

} // namespace remvana
