#pragma once
#include <windows.h>

#include "settings/string_table.h"

namespace remvana {

// The string resources of a module, through LoadStringA.
class Win32StringTable : public StringTable {
  public:
    explicit Win32StringTable(HINSTANCE module) : module_(module) {}
    std::string loadString(long long id) override;

  private:
    HINSTANCE module_;
};

} // namespace remvana
