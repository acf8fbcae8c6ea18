#pragma once
// Icons of registered programs, found from their icon strings.
#include <stdexcept>
#include <string>

#include "platform/registry.h"
#include "platform/shell.h"

namespace remvana {

// A failing system call; the message is the system's own text for the error.
class SystemError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The Windows system directory, without a trailing backslash. Raises SystemError with the
// system's message when it cannot be read.
std::string GetSystemDir(Shell& shell);

// Which icons an icon string names, in the order GetFileIcon tries them, worked out without
// extracting any: the lookup of a file class and the file checks happen here.
struct IconPlan {
    struct Source {
        std::string file;
        int index = 0;
        bool operator<(const Source& other) const {
            return index != other.index ? index < other.index : file < other.file;
        }
    };
    // A shell shortcut: only the shell's small icon, never a large one.
    bool shortcut = false;
    // `own` is tried first unless the file class names no icon at all.
    bool hasOwn = true;
    Source own;
    // The icon of the shell's icon library (shellIconLibrary) tried last.
    int fallbackIndex = 0;
};

// Raises ConversionError as GetFileIcon does.
IconPlan PlanFileIcon(Shell& shell, RegistryFactory& registry, const std::string& iconString);

// The shell's icon library of generic icons: SHELL32.DLL in the system directory, or the
// fixed last-resort path when the system directory cannot be read.
std::string shellIconLibrary(Shell& shell);

// The icon named by an icon string ("path" or "path,index"). Each result that is present
// receives an icon handle the caller owns, or 0. A program's own file is tried first, then
// the file class's registered icon, then a generic icon of the shell's icon library.
// Raises ConversionError when the text after the last comma is not a number.
void GetFileIcon(Shell& shell, RegistryFactory& registry, const std::string& iconString,
                 IconHandle* largeIcon, IconHandle* smallIcon);

// The upper-case extension of a path: from the last "." after the last "\" or ":", else
// empty. Whatever follows the dot counts, so "app.exe,0" has the extension ".EXE,0".
std::string upperExtension(const std::string& path);

// The index of a generic icon for the extension in the shell's icon library.
int fallbackIconIndex(const std::string& upperExt);

} // namespace remvana
