#pragma once
// Files in memory: folders are created as asked, files are never replaced, and writes can be
// made to fail as a full disk or a refused folder would.
#include <map>
#include <set>

#include "platform/files.h"

namespace remvana {

class FakeFileSystem : public FileSystem {
  public:
    std::string localAppDataFolder() override { return appData; }
    bool createFolders(const std::string& path) override;
    std::optional<std::string> writeNewFile(const std::string& path,
                                            const std::vector<std::uint8_t>& bytes) override;
    std::optional<std::vector<std::uint8_t>> readFile(const std::string& path,
                                                      std::string& reason) override;

    std::string appData = "C:\\Users\\tester\\AppData\\Local";
    bool foldersRefused = false;
    bool writesFail = false;
    std::set<std::string> folders;
    std::map<std::string, std::vector<std::uint8_t>> files;
};

} // namespace remvana
