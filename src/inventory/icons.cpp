#include "inventory/icons.h"

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/ascii.h"
#include "platform/conversion.h"

namespace remvana {

namespace {

constexpr const char* kLastResortLibrary = "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL";

struct FallbackEntry {
    std::string_view ext;
    int index;
};

constexpr std::array<FallbackEntry, 16> kFallbackIcons{{
    {".DOC", 1},
    {".EXE", 2},
    {".COM", 2},
    {".HLP", 23},
    {".INI", 69},
    {".INF", 69},
    {".TXT", 70},
    {".BAT", 71},
    {".DLL", 72},
    {".SYS", 72},
    {".VBX", 72},
    {".OCX", 72},
    {".VXD", 72},
    {".FON", 73},
    {".TTF", 74},
    {".FOT", 75},
}};

// The default value of a key under HKEY_CLASSES_ROOT; nothing when the key does not open.
// A default value that is missing or not text reads as empty.
bool readClassDefault(Registry& classes, const std::string& key, std::string& value) {
    if (!classes.openKeyReadOnly(key)) return false;
    const ValueKind kind = classes.valueKind("");
    value = kind == ValueKind::String || kind == ValueKind::ExpandString ? classes.readText("")
                                                                         : std::string();
    classes.closeKey();
    return true;
}

void clearResults(IconHandle* largeIcon, IconHandle* smallIcon) {
    if (largeIcon) *largeIcon = 0;
    if (smallIcon) *smallIcon = 0;
}

} // namespace

std::string GetSystemDir(Shell& shell) {
    std::string dir = shell.systemDirectory();
    if (dir.empty()) throw SystemError(shell.lastErrorText());
    return dir;
}

std::string upperExtension(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos) return {};
    const std::size_t separator = path.find_last_of("\\:");
    if (separator != std::string::npos && separator > dot) return {};
    return asciiUpperCased(path.substr(dot));
}

int fallbackIconIndex(const std::string& upperExt) {
    for (const FallbackEntry& entry : kFallbackIcons)
        if (entry.ext == upperExt) return entry.index;
    return 0;
}

IconPlan PlanFileIcon(Shell& shell, RegistryFactory& registry, const std::string& iconString) {
    IconPlan plan;
    std::string working = iconString;
    std::string ext = upperExtension(working);
    plan.own.file = working;

    const bool ownIconFile = (ext == ".EXE" || ext == ".ICO") && shell.fileExists(working);
    if (!ownIconFile && ext == ".LNK") {
        plan.shortcut = shell.fileTypeName(working) == "Shortcut";
    } else if (!ownIconFile) {
        // A program without its own file is drawn like any other program.
        if (ext == ".EXE") ext = ".COM";
        auto classes = registry.create(RegRoot::ClassesRoot, reg_access::Read);
        std::string className;
        readClassDefault(*classes, ext, className);
        if (!className.empty()) readClassDefault(*classes, className + "\\DefaultIcon", working);
        plan.hasOwn = !working.empty();
        if (plan.hasOwn) {
            const std::size_t comma = working.rfind(',');
            plan.own.file = working.substr(0, comma);
            if (comma != std::string::npos)
                plan.own.index = static_cast<std::uint16_t>(strToInt(working.substr(comma + 1)));
        }
    }
    plan.fallbackIndex = fallbackIconIndex(ext);
    return plan;
}

std::string shellIconLibrary(Shell& shell) {
    try {
        std::string dir = GetSystemDir(shell);
        if (dir.back() != '\\') dir += '\\';
        return dir + "SHELL32.DLL";
    } catch (const SystemError&) {
        return kLastResortLibrary;
    }
}

void GetFileIcon(Shell& shell, RegistryFactory& registry, const std::string& iconString,
                 IconHandle* largeIcon, IconHandle* smallIcon) {
    clearResults(largeIcon, smallIcon);
    const IconPlan plan = PlanFileIcon(shell, registry, iconString);
    if (plan.shortcut) {
        // Nobody asked for the small icon: it is given back rather than lost.
        ShellIcon icon(shell, shell.smallShellIcon(iconString));
        if (smallIcon) *smallIcon = icon.release();
        return;
    }
    if (plan.hasOwn &&
        shell.extractIconEx(plan.own.file, plan.own.index, largeIcon, smallIcon) == 1)
        return;
    if (shell.extractIconEx(shellIconLibrary(shell), plan.fallbackIndex, largeIcon, smallIcon) != 1)
        clearResults(largeIcon, smallIcon);
}

} // namespace remvana
