#pragma once
#include "platform/shell.h"

namespace remvana {

// The shell and system services through kernel32 and shell32.
class Win32Shell : public Shell {
  public:
    void openTarget(const std::string& target) override;
    unsigned extractIconAt(const std::string& file, int index, int size, IconHandle* icon) override;
    unsigned extractIconEx(const std::string& file, int index, IconHandle* large,
                           IconHandle* small) override;
    std::string fileTypeName(const std::string& path) override;
    IconHandle smallShellIcon(const std::string& path) override;
    void destroyIcon(IconHandle icon) override;
    bool fileExists(const std::string& path) override;
    bool directoryExists(const std::string& path) override;
    std::string expandEnvironment(const std::string& text) override;
    bool msiProductKnown(const std::string& productCode) override;
    std::string systemDirectory() override;
    std::string lastErrorText() override;
    std::string computerName() override;
    std::string documentsFolder() override;
};

} // namespace remvana
