#include "platform/code_page.h"

#include "platform/utf8.h"

namespace remvana {
namespace {

constexpr char kUnrepresentableMark = '\\';
constexpr std::string_view kUnrepresentableSuffix =
    " [name not supported by this system's code page]";

} // namespace

CodePage::Converted Utf8CodePage::fromUtf16(std::u16string_view units) const {
    return {utf16ToUtf8(units), isWellFormedUtf16(units)};
}

std::string subkeyNameFromUtf16(std::u16string_view name, const CodePage& codePage) {
    CodePage::Converted converted = codePage.fromUtf16(name);
    // A NUL inside the name would cut it short in every ...A call just the same.
    if (converted.exact && converted.text.find('\0') == std::string::npos) return converted.text;
    for (char& c : converted.text)
        if (c == '\0') c = '?';
    return kUnrepresentableMark + converted.text;
}

bool isUnrepresentableKeyName(std::string_view keyName) {
    return !keyName.empty() && keyName.front() == kUnrepresentableMark;
}

std::string unrepresentableKeyDisplayName(std::string_view keyName) {
    std::string shown(keyName.substr(isUnrepresentableKeyName(keyName) ? 1 : 0));
    shown += kUnrepresentableSuffix;
    return shown;
}

UnrepresentableTextError::UnrepresentableTextError(const std::string& valueName)
    : std::runtime_error("The new text for '" + valueName +
                         "' has characters this system's code page cannot store; it was not "
                         "changed") {}

std::string exactEditText(std::u16string_view units, const CodePage& codePage,
                          const std::string& valueName) {
    CodePage::Converted converted = codePage.fromUtf16(units);
    if (!converted.exact) throw UnrepresentableTextError(valueName);
    return std::move(converted.text);
}

} // namespace remvana
