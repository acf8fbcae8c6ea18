#include "app/error_message.h"

namespace remvana {

std::string errorBoxText(const std::string& message) {
    if (message.empty()) return message;
    const auto last = static_cast<unsigned char>(message.back());
    return last > static_cast<unsigned char>('.') ? message + "." : message;
}

} // namespace remvana
