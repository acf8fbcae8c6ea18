#include "backup/reg_file.h"

#include <algorithm>
#include <optional>

#include "platform/ansi_text.h"

namespace remvana {
namespace {

constexpr std::size_t kWrapColumn = 76; // where the registry editor breaks long hex lines

bool isStringType(std::uint32_t type) {
    return type == reg_type::String || type == reg_type::ExpandString ||
           type == reg_type::MultiString;
}

std::u16string unitsOf(const std::string& ansi) {
    return ansiToUtf16(ansi);
}

std::u16string asciiUnits(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

void requireOneLine(const std::string& text, const std::string& what) {
    if (text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
        throw BackupError("The " + what + " \"" + text +
                          "\" holds a line break or NUL, which a "
                          "registry file cannot carry");
}

std::u16string quoted(const std::u16string& text) {
    std::u16string out = u"\"";
    for (char16_t unit : text) {
        if (unit == u'\\' || unit == u'"') out += u'\\';
        out += unit;
    }
    return out + u"\"";
}

// A REG_SZ that reads back to the same bytes from "text": one terminating NUL and nothing
// a line could not hold.
bool quotable(const RegValue& value) {
    const auto& data = value.data;
    if (value.type != reg_type::String || data.empty() || data.back() != 0) return false;
    return std::none_of(data.begin(), data.end() - 1,
                        [](std::uint8_t byte) { return byte < 0x20 && byte != '\t'; });
}

std::u16string hexOf(std::uint32_t number, int digits) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::u16string out;
    do {
        out.insert(out.begin(), static_cast<char16_t>(kDigits[number & 0xF]));
        number >>= 4;
    } while (number != 0 || static_cast<int>(out.size()) < digits);
    return out;
}

// The bytes a hex value shows: string types as the UTF-16LE the registry keeps.
std::vector<std::uint8_t> storedBytes(const RegValue& value) {
    if (!isStringType(value.type)) return value.data;
    std::vector<std::uint8_t> bytes;
    for (char16_t unit : unitsOf(std::string(value.data.begin(), value.data.end()))) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

std::u16string valueLine(const RegValue& value) {
    requireOneLine(value.name, "value name");
    std::u16string line = value.name.empty() ? u"@" : quoted(unitsOf(value.name));
    line += u'=';
    if (quotable(value))
        return line + quoted(unitsOf(std::string(value.data.begin(), value.data.end() - 1)));
    if (value.type == reg_type::Dword && value.data.size() == 4) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i)
            number = (number << 8) | value.data[static_cast<std::size_t>(i)];
        return line + u"dword:" + hexOf(number, 8);
    }
    line += value.type == reg_type::Binary ? u"hex:" : u"hex(" + hexOf(value.type, 1) + u"):";
    const std::vector<std::uint8_t> bytes = storedBytes(value);
    std::size_t column = line.size();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        line += hexOf(bytes[i], 2);
        column += 2;
        if (i + 1 == bytes.size()) break;
        line += u',';
        if (++column > kWrapColumn) {
            line += u"\\\r\n  ";
            column = 2;
        }
    }
    return line;
}

// ---- Reading ----

class Parser {
  public:
    explicit Parser(std::u16string text) : text_(std::move(text)) {}

    std::vector<RegFileSection> parse() {
        std::u16string line;
        if (!nextLine(line) || line != asciiUnits(kRegFileHeader))
            throw BackupError(std::string("it does not begin with \"") + kRegFileHeader + "\"");
        std::vector<RegFileSection> sections;
        while (nextLine(line)) {
            const std::u16string_view content = trimmed(line);
            if (content.empty() || content.front() == u';') continue;
            if (content.front() == u'[') {
                sections.push_back(section(content));
            } else if ((content.front() == u'"' || content.front() == u'@') && !sections.empty() &&
                       !sections.back().removeKey) {
                sections.back().values.push_back(value(content));
            } else {
                fail();
            }
        }
        if (sections.empty()) throw BackupError("it holds no registry keys");
        return sections;
    }

  private:
    [[noreturn]] void fail() const {
        throw BackupError("line " + std::to_string(lineNumber_) + " cannot be read");
    }

    // The registry ends a name at a NUL, so the rest of it would name another key or value
    // than the file shows.
    void requireNoNul(std::u16string_view name, const char* what) const {
        if (name.find(u'\0') != std::u16string_view::npos)
            throw BackupError("line " + std::to_string(lineNumber_) + " holds a NUL in a " + what +
                              ", which a registry file cannot carry");
    }

    bool nextLine(std::u16string& line) {
        if (at_ >= text_.size()) return false;
        std::size_t end = text_.find(u'\n', at_);
        if (end == std::u16string::npos) end = text_.size();
        line = text_.substr(at_, end - at_);
        if (!line.empty() && line.back() == u'\r') line.pop_back();
        at_ = end + 1;
        ++lineNumber_;
        return true;
    }

    static std::u16string_view trimmed(std::u16string_view text) {
        auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
        while (!text.empty() && blank(text.front()))
            text.remove_prefix(1);
        while (!text.empty() && blank(text.back()))
            text.remove_suffix(1);
        return text;
    }

    // Text that the ANSI code page carries both ways; anything else would reach a
    // different key or value than the file names.
    std::string ansiOf(std::u16string_view units) const {
        std::string text = utf16ToAnsi(units);
        if (ansiToUtf16(text) != units) fail();
        return text;
    }

    RegFileSection section(std::u16string_view content) const {
        if (content.size() < 3 || content.back() != u']') fail();
        RegFileSection section;
        content = content.substr(1, content.size() - 2);
        if (content.front() == u'-') {
            section.removeKey = true;
            content.remove_prefix(1);
        }
        requireNoNul(content, "key name");
        section.keyPath = ansiOf(content);
        if (section.keyPath.empty()) fail();
        return section;
    }

    // The text of a "quoted" token starting at `from`; `from` ends past the closing quote.
    std::u16string unquote(std::u16string_view content, std::size_t& from) const {
        std::u16string text;
        for (std::size_t i = from + 1; i < content.size(); ++i) {
            if (content[i] == u'"') {
                from = i + 1;
                return text;
            }
            if (content[i] == u'\\') {
                if (++i == content.size() || (content[i] != u'\\' && content[i] != u'"')) fail();
            }
            text += content[i];
        }
        fail();
    }

    RegValue value(std::u16string_view content) {
        RegValue value;
        std::size_t at = 1;
        if (content.front() == u'"') {
            at = 0;
            const std::u16string name = unquote(content, at);
            requireNoNul(name, "value name");
            value.name = ansiOf(name);
            if (value.name.empty()) fail(); // the default value is written as @
        }
        if (at >= content.size() || content[at] != u'=') fail();
        std::u16string_view data = trimmed(content.substr(at + 1));
        if (!data.empty() && data.front() == u'"') {
            std::size_t end = 0;
            const std::string text = ansiOf(unquote(data, end));
            if (end != data.size()) fail();
            value.type = reg_type::String;
            value.data.assign(text.begin(), text.end());
            value.data.push_back(0);
        } else if (data.starts_with(u"dword:")) {
            const std::optional<std::uint32_t> number = hexNumber(data.substr(6), 8);
            if (!number) fail();
            value.type = reg_type::Dword;
            for (int i = 0; i < 4; ++i)
                value.data.push_back(static_cast<std::uint8_t>(*number >> (8 * i)));
        } else if (data.starts_with(u"hex:") || data.starts_with(u"hex(")) {
            hexValue(data, value);
        } else {
            fail();
        }
        value.kind = valueKindOfType(value.type);
        return value;
    }

    static std::optional<std::uint32_t> hexNumber(std::u16string_view digits, std::size_t most) {
        if (digits.empty() || digits.size() > most) return std::nullopt;
        std::uint32_t number = 0;
        for (char16_t c : digits) {
            int digit = -1;
            if (c >= u'0' && c <= u'9') digit = c - u'0';
            if (c >= u'a' && c <= u'f') digit = c - u'a' + 10;
            if (c >= u'A' && c <= u'F') digit = c - u'A' + 10;
            if (digit < 0) return std::nullopt;
            number = (number << 4) | static_cast<std::uint32_t>(digit);
        }
        return number;
    }

    void hexValue(std::u16string_view data, RegValue& value) {
        value.type = reg_type::Binary;
        std::size_t colon = 3;
        if (data[3] == u'(') {
            const std::size_t close = data.find(u')');
            const auto type = close == std::u16string_view::npos
                                  ? std::nullopt
                                  : hexNumber(data.substr(4, close - 4), 8);
            if (!type || close + 1 >= data.size() || data[close + 1] != u':') fail();
            value.type = *type;
            colon = close + 1;
        }
        // Long values go on over lines that end in "\".
        std::u16string list(data.substr(colon + 1));
        std::u16string next;
        while (!list.empty() && list.back() == u'\\') {
            list.pop_back();
            if (!nextLine(next)) fail();
            list += trimmed(next);
        }
        std::vector<std::uint8_t> bytes;
        std::u16string_view rest = trimmed(list);
        while (!rest.empty()) {
            const std::size_t comma = rest.find(u',');
            const auto byte = hexNumber(trimmed(rest.substr(0, comma)), 2);
            if (!byte) fail();
            bytes.push_back(static_cast<std::uint8_t>(*byte));
            if (comma == std::u16string_view::npos) break;
            rest = trimmed(rest.substr(comma + 1));
            if (rest.empty()) fail();
        }
        if (!isStringType(value.type)) {
            value.data = std::move(bytes);
            return;
        }
        if (bytes.size() % 2 != 0) fail();
        std::u16string units;
        for (std::size_t i = 0; i < bytes.size(); i += 2)
            units += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        const std::string text = ansiOf(units);
        value.data.assign(text.begin(), text.end());
    }

    std::u16string text_;
    std::size_t at_ = 0;
    int lineNumber_ = 0;
};

} // namespace

std::vector<std::uint8_t> formatRegFile(const std::vector<RegFileSection>& sections) {
    std::u16string text = asciiUnits(kRegFileHeader) + u"\r\n";
    for (const RegFileSection& section : sections) {
        requireOneLine(section.keyPath, "key");
        text += section.removeKey ? u"\r\n[-" : u"\r\n[";
        text += unitsOf(section.keyPath) + u"]\r\n";
        for (const RegValue& value : section.values)
            text += valueLine(value) + u"\r\n";
    }
    text += u"\r\n";
    std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
    bytes.reserve(2 + 2 * text.size());
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

std::vector<RegFileSection> parseRegFile(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xFE || bytes.size() % 2 != 0)
        throw BackupError("it is not a UTF-16 registry file");
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i < bytes.size(); i += 2)
        text += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    return Parser(std::move(text)).parse();
}

} // namespace remvana
