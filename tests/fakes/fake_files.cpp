#include "fakes/fake_files.h"

namespace remvana {

bool FakeFileSystem::createFolders(const std::string& path) {
    if (foldersRefused) return false;
    folders.insert(path);
    return true;
}

std::optional<std::string> FakeFileSystem::writeNewFile(const std::string& path,
                                                        const std::vector<std::uint8_t>& bytes) {
    if (writesFail) return std::string("There is not enough space on the disk");
    const std::string folder = path.substr(0, path.rfind('\\'));
    if (!folders.count(folder)) return std::string("The system cannot find the path specified");
    if (files.count(path)) return std::string("The file exists");
    files[path] = bytes;
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> FakeFileSystem::readFile(const std::string& path,
                                                                  std::string& reason) {
    const auto found = files.find(path);
    if (found == files.end()) {
        reason = "The system cannot find the file specified";
        return std::nullopt;
    }
    return found->second;
}

} // namespace remvana
