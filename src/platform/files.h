#pragma once
// Files the program keeps for itself (backups): where they live, writing one completely or
// not at all, and reading one back.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace remvana {

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // The user's local application data folder (CSIDL_LOCAL_APPDATA), without a trailing
    // "\"; empty when it cannot be resolved.
    virtual std::string localAppDataFolder() = 0;
    // Creates the folder and every missing folder above it; true when it exists afterwards.
    virtual bool createFolders(const std::string& path) = 0;
    // Creates a new file (never replacing one) holding exactly these bytes. On any failure
    // nothing is left behind and the system's reason is returned; nothing on success.
    virtual std::optional<std::string> writeNewFile(const std::string& path,
                                                    const std::vector<std::uint8_t>& bytes) = 0;
    // The whole file; nothing (with the system's reason) when it cannot be read.
    virtual std::optional<std::vector<std::uint8_t>> readFile(const std::string& path,
                                                              std::string& reason) = 0;
};

} // namespace remvana
