#pragma once
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/shell.h"

namespace remvana {

// A shell that records every call and answers from what the test configured. File names
// match case-insensitively, as on Windows. Every icon it hands out is a fresh handle that
// stays live until destroyIcon, so tests can see which icon came back and catch leaks.
class FakeShell : public Shell {
  public:
    struct ExtractCall {
        std::string file;
        int index = 0;
        bool wantsLarge = false;
        bool wantsSmall = false;
    };

    // Configuration.
    void addFile(const std::string& path);
    void addDirectory(const std::string& path);
    // %NAME% expands to the value; names not set stay as they are.
    std::map<std::string, std::string> environment;
    std::set<std::string> msiProducts; // product codes Windows Installer knows
    // Drives whose root folder exists ("C:"), upper-cased; a network share's root
    // ("\\\\SERVER\\SHARE") exists only when added as a directory.
    std::set<std::string> drives = {"C:"};
    // The file exists and icon `index` can be extracted from it.
    void addIcon(const std::string& file, int index);
    void setTypeName(const std::string& path, const std::string& typeName);
    std::string systemDir = "C:\\windows\\system32"; // empty: GetSystemDirectoryA fails
    std::string lastError = "The system cannot find the path specified.";
    std::string computerNameValue = "WORKSTATION";
    std::string documents = "C:\\users\\tester\\Documents";

    // What was asked.
    std::vector<std::string> openedTargets;
    std::vector<ExtractCall> extractCalls;
    std::vector<std::string> typeNameQueries;
    std::vector<std::string> shellIconQueries;
    int systemDirectoryCalls = 0;

    // Where a handle came from: "file,index" for extracted icons, "shell:path" for the
    // shell's small icons; empty for a handle this shell never gave out.
    std::string iconSource(IconHandle icon) const;
    std::size_t liveIconCount() const { return live_.size(); }
    // destroyIcon calls on handles that were not live (double or foreign destroys).
    int badDestroys = 0;

    void openTarget(const std::string& target) override;
    unsigned extractIconEx(const std::string& file, int index, IconHandle* large,
                           IconHandle* small) override;
    std::string fileTypeName(const std::string& path) override;
    IconHandle smallShellIcon(const std::string& path) override;
    void destroyIcon(IconHandle icon) override;
    bool fileExists(const std::string& path) override;
    bool directoryExists(const std::string& path) override;
    std::string expandEnvironment(const std::string& text) override;
    bool msiProductKnown(const std::string& productCode) override {
        return msiProducts.contains(productCode);
    }
    std::string systemDirectory() override;
    std::string lastErrorText() override { return lastError; }
    std::string computerName() override { return computerNameValue; }
    std::string documentsFolder() override { return documents; }

  private:
    IconHandle issue(const std::string& source);

    std::set<std::string> files_;                  // upper-cased
    std::set<std::string> directories_;            // upper-cased
    std::set<std::pair<std::string, int>> icons_;  // upper-cased file, index
    std::map<std::string, std::string> typeNames_; // upper-cased path -> type name
    std::map<IconHandle, std::string> issued_;
    std::set<IconHandle> live_;
    IconHandle next_ = 0x1000;
};

} // namespace remvana
