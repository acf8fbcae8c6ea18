#pragma once
// The user's locale: text comparison and the separators used in displayed numbers and times.
#include <string>

namespace remvana {

class Locale {
  public:
    virtual ~Locale() = default;
    // lstrcmpA: user locale, case-sensitive word sort; <0, 0 or >0.
    virtual int compare(const std::string& a, const std::string& b) = 0;
    // lstrcmpiA: the same, ignoring case.
    virtual int compareIgnoreCase(const std::string& a, const std::string& b) = 0;
    virtual char decimalSeparator() = 0;
    virtual char timeSeparator() = 0;
    // The user's short date picture (LOCALE_SSHORTDATE), such as "M/d/yyyy".
    virtual std::string shortDateFormat() = 0;
};

// The program list's name order, wherever programs are listed by name: the locale's
// case-sensitive word sort.
inline bool listNameLess(Locale& locale, const std::string& a, const std::string& b) {
    return locale.compare(a, b) < 0;
}

} // namespace remvana
