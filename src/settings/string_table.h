#pragma once
// The program's own string resources, looked up by id.
#include <string>

namespace remvana {

class StringTable {
  public:
    virtual ~StringTable() = default;
    // The string with that id, at most 1023 characters; empty when there is none.
    virtual std::string loadString(long long id) = 0;
};

} // namespace remvana
