#pragma once
// The process code page at the edges where Windows hands over wide (UTF-16) text: subkey
// names and edited values. Normally the manifest makes it UTF-8 and everything converts
// exactly. A Windows that ignores that setting keeps a legacy ANSI code page, whose ...A
// calls silently substitute look-alikes ("Ｖ" becomes "V", "＼" becomes a path separator)
// or "?"; the functions here make such text visible instead of letting it pass as real.
#include <stdexcept>
#include <string>
#include <string_view>

namespace remvana {

class CodePage {
  public:
    struct Converted {
        std::string text; // with "?" for what cannot be held, never a look-alike
        bool exact = false;
    };
    virtual ~CodePage() = default;
    virtual Converted fromUtf16(std::u16string_view units) const = 0;
};

// UTF-8: exact for everything but lone surrogates.
class Utf8CodePage : public CodePage {
  public:
    Converted fromUtf16(std::u16string_view units) const override;
};

// A subkey name the code page cannot hold cannot be used to open, edit or delete that key:
// any ...A call with it would reach another key or none. It is kept as "\" followed by what
// can be shown. A real key name never contains "\", so such a name can neither be mistaken
// for a real one nor lead anywhere as a path.
std::string subkeyNameFromUtf16(std::u16string_view name, const CodePage& codePage);
bool isUnrepresentableKeyName(std::string_view keyName);
// What the list shows for it: the showable part followed by a mark saying why it is read-only.
std::string unrepresentableKeyDisplayName(std::string_view keyName);

// An edit the code page cannot hold exactly: it is refused, never stored with substitutes.
class UnrepresentableTextError : public std::runtime_error {
  public:
    explicit UnrepresentableTextError(const std::string& valueName);
};

// The edited text in the code page, or UnrepresentableTextError naming the value.
std::string exactEditText(std::u16string_view units, const CodePage& codePage,
                          const std::string& valueName);

} // namespace remvana
