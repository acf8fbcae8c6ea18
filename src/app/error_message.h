#pragma once
// The text the top-level error box shows for an error's message.
#include <string>

namespace remvana {

// The message with a full stop appended when its last character sorts above "." (so
// "Registry Error" gains one, while "Done." or "(none)" stay as they are). Characters
// compare as unsigned 8-bit codes, so accented last letters count as above ".".
std::string errorBoxText(const std::string& message);

} // namespace remvana
