#pragma once
#include "platform/locale.h"

namespace remvana {

// The user's locale through kernel32 (lstrcmpA, lstrcmpiA, GetLocaleInfoA).
class Win32Locale : public Locale {
  public:
    int compare(const std::string& a, const std::string& b) override;
    int compareIgnoreCase(const std::string& a, const std::string& b) override;
    char decimalSeparator() override;
    char timeSeparator() override;
    std::string shortDateFormat() override;
};

} // namespace remvana
