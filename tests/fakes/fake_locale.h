#pragma once
#include "platform/locale.h"

namespace remvana {

// A locale with a word sort close enough to the Windows one for ordering tests: letters
// compare ignoring case first, then lower case before upper case; separators settable.
class FakeLocale : public Locale {
  public:
    int compare(const std::string& a, const std::string& b) override;
    int compareIgnoreCase(const std::string& a, const std::string& b) override;
    char decimalSeparator() override { return decimal; }
    char timeSeparator() override { return time; }
    std::string shortDateFormat() override { return shortDate; }

    char decimal = '.';
    char time = ':';
    std::string shortDate = "M/d/yyyy";
};

} // namespace remvana
