#pragma once
// Shell and system services: opening targets, icons, files and names.
#include <cstdint>
#include <string>
#include <utility>

namespace remvana {

// An icon handle (HICON on Windows); 0 means no icon. Whoever receives one owns it.
using IconHandle = std::uintptr_t;

inline constexpr int kSwShow = 5;         // SW_SHOW
inline constexpr int kSwShowDefault = 10; // SW_SHOWDEFAULT

class Shell {
  public:
    virtual ~Shell() = default;

    // ShellExecuteA(no owner, "open", target, "", "", SW_SHOWDEFAULT); result not reported.
    virtual void openTarget(const std::string& target) = 0;

    // ExtractIconExA(file, index, large, small, 1): the number of icons extracted. A null
    // pointer asks for no icon of that size.
    virtual unsigned extractIconEx(const std::string& file, int index, IconHandle* large,
                                   IconHandle* small) = 0;
    // One icon of the file at `size` pixels square, from the file's image of that size where
    // it has one rather than a stretched large icon: the number of icons extracted. The
    // system's large size (and 0) is exactly ExtractIconEx's large icon.
    virtual unsigned extractIconAt(const std::string& file, int index, int size, IconHandle* icon) {
        (void)size;
        return extractIconEx(file, index, icon, nullptr);
    }
    // SHGetFileInfoA(path, 0, ..., SHGFI_TYPENAME): the shell's type name of the file.
    virtual std::string fileTypeName(const std::string& path) = 0;
    // SHGetFileInfoA(path, 0, ..., SHGFI_SYSICONINDEX | SHGFI_ICON | SHGFI_SMALLICON).
    virtual IconHandle smallShellIcon(const std::string& path) = 0;
    virtual void destroyIcon(IconHandle icon) = 0;

    virtual bool fileExists(const std::string& path) = 0;
    virtual bool directoryExists(const std::string& path) = 0;
    // ExpandEnvironmentStringsA: each %NAME% replaced by its value; unknown names stay.
    virtual std::string expandEnvironment(const std::string& text) = 0;
    // MsiQueryProductStateA: true when Windows Installer knows the product code (installed,
    // advertised, or installed for another user).
    virtual bool msiProductKnown(const std::string& productCode) = 0;
    // GetSystemDirectoryA into 260 characters: the text returned, empty on failure.
    virtual std::string systemDirectory() = 0;
    // The system's message text for the calling thread's last error.
    virtual std::string lastErrorText() = 0;
    // GetComputerNameA with a 16-character buffer; empty when it fails.
    virtual std::string computerName() = 0;
    // The user's documents folder (CSIDL_PERSONAL); empty when it cannot be resolved.
    virtual std::string documentsFolder() = 0;
};

// An icon the shell gave out, given back to it (destroyIcon) on every way out; move-only.
class ShellIcon {
  public:
    ShellIcon() = default;
    ShellIcon(Shell& shell, IconHandle icon) : shell_(&shell), icon_(icon) {}
    ~ShellIcon() { reset(); }
    ShellIcon(ShellIcon&& other) noexcept
        : shell_(other.shell_), icon_(std::exchange(other.icon_, 0)) {}
    ShellIcon& operator=(ShellIcon&& other) noexcept {
        if (this != &other) {
            reset();
            shell_ = other.shell_;
            icon_ = std::exchange(other.icon_, 0);
        }
        return *this;
    }
    ShellIcon(const ShellIcon&) = delete;
    ShellIcon& operator=(const ShellIcon&) = delete;

    IconHandle get() const { return icon_; }
    // Stops owning the icon and returns it.
    [[nodiscard]] IconHandle release() { return std::exchange(icon_, 0); }
    void reset() {
        if (icon_ != 0) shell_->destroyIcon(std::exchange(icon_, 0));
    }

  private:
    Shell* shell_ = nullptr;
    IconHandle icon_ = 0;
};

} // namespace remvana
