#include "fakes/fake_shell.h"

#include <cctype>

namespace remvana {

namespace {
std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}
} // namespace

void FakeShell::addFile(const std::string& path) {
    files_.insert(upper(path));
}

void FakeShell::addIcon(const std::string& file, int index) {
    addFile(file);
    icons_.emplace(upper(file), index);
}

void FakeShell::setTypeName(const std::string& path, const std::string& typeName) {
    addFile(path);
    typeNames_[upper(path)] = typeName;
}

std::string FakeShell::iconSource(IconHandle icon) const {
    const auto found = issued_.find(icon);
    return found == issued_.end() ? std::string() : found->second;
}

void FakeShell::openTarget(const std::string& target) {
    openedTargets.push_back(target);
}

IconHandle FakeShell::issue(const std::string& source) {
    const IconHandle icon = next_++;
    issued_[icon] = source;
    live_.insert(icon);
    return icon;
}

unsigned FakeShell::extractIconEx(const std::string& file, int index, IconHandle* large,
                                  IconHandle* small) {
    extractCalls.push_back({file, index, large != nullptr, small != nullptr});
    if (!icons_.contains({upper(file), index})) return 0;
    const std::string source = file + "," + std::to_string(index);
    if (large) *large = issue(source);
    if (small) *small = issue(source);
    return 1;
}

std::string FakeShell::fileTypeName(const std::string& path) {
    typeNameQueries.push_back(path);
    const auto found = typeNames_.find(upper(path));
    return found == typeNames_.end() ? std::string() : found->second;
}

IconHandle FakeShell::smallShellIcon(const std::string& path) {
    shellIconQueries.push_back(path);
    return fileExists(path) ? issue("shell:" + path) : 0;
}

void FakeShell::destroyIcon(IconHandle icon) {
    if (live_.erase(icon) == 0) ++badDestroys;
}

bool FakeShell::fileExists(const std::string& path) {
    return files_.contains(upper(path));
}

void FakeShell::addDirectory(const std::string& path) {
    directories_.insert(upper(path));
}

bool FakeShell::directoryExists(const std::string& path) {
    std::string name = upper(path);
    if (name.size() > 1 && name.back() == '\\') name.pop_back();
    return directories_.contains(name) || drives.contains(name);
}

std::string FakeShell::expandEnvironment(const std::string& text) {
    std::string out;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find('%', at);
        const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos) break;
        const auto value = environment.find(text.substr(open + 1, close - open - 1));
        out += text.substr(at, open - at);
        if (value == environment.end()) {
            out += text.substr(open, close - open);
            at = close;
        } else {
            out += value->second;
            at = close + 1;
        }
    }
    return out + text.substr(at);
}

std::string FakeShell::systemDirectory() {
    ++systemDirectoryCalls;
    return systemDir;
}

} // namespace remvana
