#include "platform/win32/locale_win32.h"

#include <windows.h>

namespace remvana {

int Win32Locale::compare(const std::string& a, const std::string& b) {
    return lstrcmpA(a.c_str(), b.c_str());
}

int Win32Locale::compareIgnoreCase(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str());
}

namespace {
char localeChar(LCTYPE type, char fallback) {
    char buffer[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer) > 1) return buffer[0];
    return fallback;
}
} // namespace

char Win32Locale::decimalSeparator() {
    return localeChar(LOCALE_SDECIMAL, '.');
}
char Win32Locale::timeSeparator() {
    return localeChar(LOCALE_STIME, ':');
}

std::string Win32Locale::shortDateFormat() {
    char buffer[80] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, buffer, sizeof buffer) > 1)
        return buffer;
    return "M/d/yyyy";
}

} // namespace remvana
