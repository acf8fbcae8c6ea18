#pragma once
#include "platform/files.h"

namespace remvana {

// The program's own files through kernel32 and shell32.
class Win32FileSystem : public FileSystem {
  public:
    std::string localAppDataFolder() override;
    bool createFolders(const std::string& path) override;
    std::optional<std::string> writeNewFile(const std::string& path,
                                            const std::vector<std::uint8_t>& bytes) override;
    std::optional<std::vector<std::uint8_t>> readFile(const std::string& path,
                                                      std::string& reason) override;
};

} // namespace remvana
