#include <gtest/gtest.h>

#include "backup/reg_file.h"

namespace remvana {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

RegValue valueOf(std::string name, std::uint32_t type, Bytes data) {
    return RegValue{std::move(name), valueKindOfType(type), std::move(data), type};
}

std::vector<std::uint8_t> utf16File(std::u16string_view text) {
    Bytes bytes = {0xFF, 0xFE};
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

// The file's text after its byte-order mark, readable in a failure message.
std::string latin1Text(const Bytes& file) {
    std::string text;
    for (std::size_t i = 2; i + 1 < file.size(); i += 2)
        text += file[i + 1] ? '?' : static_cast<char>(file[i]);
    return text;
}

void expectSameSections(const std::vector<RegFileSection>& expected,
                        const std::vector<RegFileSection>& actual) {
    ASSERT_EQ(expected.size(), actual.size());
    for (std::size_t s = 0; s < expected.size(); ++s) {
        SCOPED_TRACE(expected[s].keyPath);
        EXPECT_EQ(expected[s].keyPath, actual[s].keyPath);
        EXPECT_EQ(expected[s].removeKey, actual[s].removeKey);
        ASSERT_EQ(expected[s].values.size(), actual[s].values.size());
        for (std::size_t v = 0; v < expected[s].values.size(); ++v) {
            SCOPED_TRACE("value " + expected[s].values[v].name);
            EXPECT_EQ(expected[s].values[v].name, actual[s].values[v].name);
            EXPECT_EQ(expected[s].values[v].type, actual[s].values[v].type);
            EXPECT_EQ(expected[s].values[v].data, actual[s].values[v].data);
        }
    }
}

const std::string kEntry = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\"
                           "Uninstall\\beta \"tool\" \xC3\xA9";

TEST(RegFile, EveryValueKindRoundTripsWithItsExactBytes) {
    Bytes long_(300);
    for (std::size_t i = 0; i < long_.size(); ++i)
        long_[i] = static_cast<std::uint8_t>(i);
    const std::vector<RegFileSection> sections = {
        {kEntry, true, {}},
        {kEntry,
         false,
         {
             valueOf("", reg_type::String, bytesOf(std::string("default\0", 8))),
             valueOf("DisplayName", reg_type::String, bytesOf(std::string("beta \"tool\"\0", 12))),
             valueOf("Path \\ \"q\"", reg_type::String,
                     bytesOf(std::string("C:\\new\\caf\xC3\xA9\0", 13))),
             valueOf("Empty", reg_type::String, bytesOf(std::string("\0", 1))),
             valueOf("NoBytes", reg_type::String, {}),
             valueOf("Unterminated", reg_type::String, bytesOf("xy")),
             valueOf("Embedded", reg_type::String, bytesOf(std::string("a\0b\0", 4))),
             valueOf("Lines", reg_type::String, bytesOf(std::string("one\r\ntwo\0", 9))),
             valueOf("Icon", reg_type::ExpandString, bytesOf(std::string("%TEMP%\\x\0", 9))),
             valueOf("Multi", reg_type::MultiString, bytesOf(std::string("a\0\xC3\xA9\0\0", 6))),
             valueOf("Size", reg_type::Dword, {0x78, 0x56, 0x34, 0x12}),
             valueOf("Odd dword", reg_type::Dword, {1, 2, 3, 4, 5}),
             valueOf("Short dword", reg_type::Dword, {1}),
             valueOf("Blob", reg_type::Binary, {0, 0xFF, 0x10}),
             valueOf("Empty blob", reg_type::Binary, {}),
             valueOf("Long blob", reg_type::Binary, long_),
             valueOf("Big endian", reg_type::DwordBigEndian, {0, 0, 0, 1}),
             valueOf("Qword", reg_type::Qword, {1, 2, 3, 4, 5, 6, 7, 8}),
             valueOf("None", reg_type::None, {}),
             valueOf("Private", 0x12345, {9}),
         }},
        {kEntry + "\\Components\\Sub \xC3\xA9", false, {valueOf("V", reg_type::Binary, {7})}},
        {kEntry + "\\Empty key", false, {}},
    };
    const Bytes file = formatRegFile(sections);
    expectSameSections(sections, parseRegFile(file));
    EXPECT_EQ(file, formatRegFile(parseRegFile(file)));
}

// The exact text the registry editor imports: strings quoted with \ and " escaped, four-byte
// integers as dword:, string types as their UTF-16 bytes, long hex wrapped with "\".
TEST(RegFile, WritesTheRegistryEditorsText) {
    const std::string key = "HKEY_CURRENT_USER\\SOFTWARE\\x";
    const Bytes file = formatRegFile({
        {key, true, {}},
        {key,
         false,
         {valueOf("a\"\\", reg_type::String, bytesOf(std::string("C:\\\"\xC3\xA9\"\0", 8))),
          valueOf("", reg_type::Dword, {0x10, 0, 0, 0}),
          valueOf("e", reg_type::ExpandString, bytesOf(std::string("%\0", 2))),
          valueOf("q", reg_type::Qword, Bytes(30, 0xAB))}},
    });
    const std::u16string expected =
        u"Windows Registry Editor Version 5.00\r\n"
        u"\r\n[-HKEY_CURRENT_USER\\SOFTWARE\\x]\r\n"
        u"\r\n[HKEY_CURRENT_USER\\SOFTWARE\\x]\r\n"
        u"\"a\\\"\\\\\"=\"C:\\\\\\\"\u00E9\\\"\"\r\n"
        u"@=dword:00000010\r\n"
        u"\"e\"=hex(2):25,00,00,00\r\n"
        u"\"q\"=hex(b):ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,\\\r\n"
        u"  ab,ab,ab,ab,ab,ab,ab,ab\r\n"
        u"\r\n";
    ASSERT_EQ(utf16File(expected).size(), file.size()) << latin1Text(file);
    EXPECT_EQ(latin1Text(utf16File(expected)), latin1Text(file));
}

TEST(RegFile, RefusesNamesALineCannotHold) {
    EXPECT_THROW(formatRegFile({{kEntry + "\nx", false, {}}}), BackupError);
    EXPECT_THROW(formatRegFile({{kEntry, false, {valueOf("a\r\nb", reg_type::Binary, {})}}}),
                 BackupError);
    // The registry would cut a name at the NUL and reach another key or value.
    EXPECT_THROW(formatRegFile({{kEntry + std::string("\0x", 2), false, {}}}), BackupError);
    EXPECT_THROW(
        formatRegFile({{kEntry, false, {valueOf(std::string("a\0b", 3), reg_type::Binary, {})}}}),
        BackupError);
}

// Read back, a NUL in a name would retarget the write to the name before it.
TEST(RegFile, RefusesANulInAKeyOrValueNameWithAMessageSayingSo) {
    const std::u16string header = u"Windows Registry Editor Version 5.00\r\n";
    const std::u16string key = u"[HKEY_CURRENT_USER\\SOFTWARE\\x]\r\n";
    const std::u16string nul(1, u'\0');
    const std::vector<std::pair<std::u16string, std::string>> cases = {
        {header + u"[HKEY_CURRENT_USER\\SOFTWARE\\x" + nul + u"y]\r\n",
         "line 2 holds a NUL in a key name, which a registry file cannot carry"},
        {header + key + u"\"Display" + nul + u"Name\"=\"x\"\r\n",
         "line 3 holds a NUL in a value name, which a registry file cannot carry"},
    };
    for (const auto& [text, message] : cases) {
        try {
            parseRegFile(utf16File(text));
            ADD_FAILURE() << message;
        } catch (const BackupError& e) {
            EXPECT_EQ(message, e.what());
        }
    }
}

TEST(RegFile, RefusesWhatIsNotSuchAFile) {
    const std::u16string header = u"Windows Registry Editor Version 5.00\r\n";
    const std::u16string key = u"[HKEY_CURRENT_USER\\SOFTWARE\\x]\r\n";
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"no byte-order mark", bytesOf("Windows Registry Editor Version 5.00\r\n")},
        {"older header", utf16File(u"REGEDIT4\r\n" + key)},
        {"no keys", utf16File(header)},
        {"value before any key", utf16File(header + u"\"a\"=dword:00000001\r\n")},
        {"value under a removal", utf16File(header + u"[-HKEY_CURRENT_USER\\x]\r\n\"a\"=hex:\r\n")},
        {"stray text", utf16File(header + key + u"hello\r\n")},
        {"value deletion", utf16File(header + key + u"\"a\"=-\r\n")},
        {"bad hex", utf16File(header + key + u"\"a\"=hex:1g\r\n")},
        {"dangling comma", utf16File(header + key + u"\"a\"=hex:01,\r\n")},
        {"dword too long", utf16File(header + key + u"\"a\"=dword:123456789\r\n")},
        {"odd UTF-16 bytes", utf16File(header + key + u"\"a\"=hex(2):41\r\n")},
        {"unterminated quote", utf16File(header + key + u"\"a\"=\"abc\r\n")},
        {"unknown escape", utf16File(header + key + u"\"a\"=\"a\\nb\"\r\n")},
        {"text after the string", utf16File(header + key + u"\"a\"=\"abc\" x\r\n")},
        {"not in the code page", utf16File(header + u"[HKEY_CURRENT_USER\\a\xD800]\r\n")},
        {"continuation at the end", utf16File(header + key + u"\"a\"=hex:01,\\")},
    };
    for (const auto& [what, bytes] : cases)
        EXPECT_THROW(parseRegFile(bytes), BackupError) << what;
}

TEST(RegFile, ReadsCommentsBareLineFeedsAndLowerOrUpperHex) {
    const auto sections = parseRegFile(utf16File(u"Windows Registry Editor Version 5.00\n"
                                                 u"; taken before Delete Entry\n"
                                                 u"[HKEY_CURRENT_USER\\SOFTWARE\\x]\n"
                                                 u"\"a\"=hex(7):41,00,\\\n"
                                                 u"    00,00\n"
                                                 u"\"b\"=dword:FfFf"));
    ASSERT_EQ(1u, sections.size());
    ASSERT_EQ(2u, sections[0].values.size());
    EXPECT_EQ(reg_type::MultiString, sections[0].values[0].type);
    EXPECT_EQ(bytesOf(std::string("A\0", 2)), sections[0].values[0].data);
    EXPECT_EQ((Bytes{0xFF, 0xFF, 0, 0}), sections[0].values[1].data);
}

} // namespace
} // namespace remvana
