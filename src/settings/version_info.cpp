#include "settings/version_info.h"

#include <optional>

#include "platform/ansi_text.h"

namespace remvana {

std::unique_ptr<TVersionInfo> VersionInfo;

namespace {

constexpr std::uint32_t kFixedPartSignature = 0xFEEF04BD;

// Any structural fault of the block: caught by the parse, never seen by callers.
struct MalformedBlock {};

// A cursor over one block of the resource: every read checks the block's own end.
class BlockReader {
  public:
    BlockReader(const std::vector<std::uint8_t>& bytes, std::size_t begin, std::size_t end)
        : bytes_(bytes), begin_(begin), end_(end) {
        if (begin > end || end > bytes.size()) throw MalformedBlock{};
    }
    // A block nested in `outer`, which must hold all of it.
    BlockReader(const BlockReader& outer, std::size_t begin, std::size_t end)
        : BlockReader(outer.bytes_, begin, end) {
        if (begin < outer.begin_ || end > outer.end_) throw MalformedBlock{};
    }

    std::uint16_t word(std::size_t at) const {
        if (at + 2 > end_) throw MalformedBlock{};
        return static_cast<std::uint16_t>(bytes_[at] | (bytes_[at + 1] << 8));
    }
    std::uint32_t dword(std::size_t at) const {
        return word(at) | (static_cast<std::uint32_t>(word(at + 2)) << 16);
    }
    // UTF-16 text from `at` up to its zero unit; the position after the zero is returned
    // through `after`. No zero before the end of the block is a fault.
    std::u16string text(std::size_t at, std::size_t& after) const {
        std::u16string units;
        for (;;) {
            const std::uint16_t unit = word(at);
            at += 2;
            if (unit == 0) break;
            units.push_back(static_cast<char16_t>(unit));
        }
        after = at;
        return units;
    }
    // Rounds a position up to the next multiple of 4 from the start of the resource.
    static std::size_t aligned(std::size_t at) { return (at + 3) & ~std::size_t{3}; }

    std::size_t begin() const { return begin_; }
    std::size_t end() const { return end_; }

  private:
    const std::vector<std::uint8_t>& bytes_;
    std::size_t begin_;
    std::size_t end_;
};

// The header every block starts with.
struct BlockHeader {
    std::size_t start = 0;
    std::size_t length = 0;      // of the whole block, children included
    std::size_t valueLength = 0; // in the units of the block's kind
    std::u16string key;
    std::size_t headerLength = 0; // up to the aligned position after the key
    std::size_t end() const { return start + length; }
    std::size_t dataStart() const { return start + headerLength; }
};

// Reads the header of the block at `at`, which must lie inside `outer`.
BlockHeader readHeader(const BlockReader& outer, std::size_t at) {
    BlockHeader header;
    header.start = at;
    header.length = outer.word(at);
    header.valueLength = outer.word(at + 2);
    outer.word(at + 4); // type: text or binary, not needed to find anything
    if (header.end() > outer.end()) throw MalformedBlock{};
    const BlockReader self(outer, at, header.end());
    std::size_t afterKey = 0;
    header.key = self.text(at + 6, afterKey);
    header.headerLength = BlockReader::aligned(afterKey) - at;
    if (header.headerLength > header.length) throw MalformedBlock{};
    return header;
}

bool keyIs(const std::u16string& key, const char* expected) {
    std::size_t i = 0;
    for (; expected[i] != '\0'; ++i)
        if (i >= key.size() || key[i] != static_cast<char16_t>(expected[i])) return false;
    return i == key.size();
}

std::optional<int> hexValue(const std::u16string& digits) {
    int value = 0;
    for (const char16_t c : digits) {
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return std::nullopt;
        value = value * 16 + digit;
    }
    return value;
}

} // namespace

TVersionInfo::TVersionInfo(std::vector<std::uint8_t> block, Locale& locale)
    : block_(std::move(block)), locale_(locale) {}

TVersionInfo::~TVersionInfo() = default;

std::string TVersionInfo::lookup(const std::string& name) {
    if (state_ == ParseState::NotParsed) parse();
    if (state_ == ParseState::Parsed) {
        for (const Entry& entry : strings_)
            if (locale_.compareIgnoreCase(entry.name, name) == 0) return entry.value->value;
    }
    throw VersionInfoError(kKeyNotFound);
}

void TVersionInfo::parse() {
    // A fault anywhere leaves the reader without strings for good: a block that failed
    // once answers no lookup, rather than whatever part of it happened to be read.
    strings_.clear();
    translations_.clear();
    try {
        const BlockReader whole(block_, 0, block_.size());
        const BlockHeader root = readHeader(whole, 0);
        const BlockReader rootBlock(block_, 0, root.end());
        std::size_t at = root.dataStart();
        if (root.valueLength != 0) {
            fixedPartOffset_ = at;
            if (rootBlock.dword(at) != kFixedPartSignature) throw MalformedBlock{};
            if (at + root.valueLength > root.end()) throw MalformedBlock{};
            at = BlockReader::aligned(at + root.valueLength);
        }
        while (at < root.end()) {
            const BlockHeader child = readHeader(rootBlock, at);
            const BlockReader childBlock(block_, child.start, child.end());
            if (keyIs(child.key, "StringFileInfo")) {
                std::size_t tableAt = child.dataStart();
                while (tableAt < child.end()) {
                    const BlockHeader table = readHeader(childBlock, tableAt);
                    if (table.key.size() != 8) throw MalformedBlock{};
                    const auto language = hexValue(table.key.substr(0, 4));
                    const auto codePage = hexValue(table.key.substr(4, 4));
                    if (!language || !codePage) throw MalformedBlock{};
                    strings_.clear();
                    const BlockReader tableBlock(block_, table.start, table.end());
                    std::size_t stringAt = table.dataStart();
                    while (stringAt < table.end()) {
                        const BlockHeader string = readHeader(tableBlock, stringAt);
                        auto value = std::make_unique<TVersionStringValue>();
                        if (string.valueLength != 0) {
                            const BlockReader stringBlock(block_, string.start, string.end());
                            std::size_t after = 0;
                            value->value = utf16ToAnsi(stringBlock.text(string.dataStart(), after));
                        }
                        value->language = *language;
                        value->codePage = *codePage;
                        strings_.push_back({utf16ToAnsi(string.key), std::move(value)});
                        stringAt = BlockReader::aligned(string.end());
                    }
                    tableAt = BlockReader::aligned(table.end());
                }
            } else if (keyIs(child.key, "VarFileInfo")) {
                std::size_t varAt = child.dataStart();
                while (varAt < child.end()) {
                    const BlockHeader var = readHeader(childBlock, varAt);
                    const BlockReader varBlock(block_, var.start, var.end());
                    translations_.clear();
                    for (std::size_t word = var.dataStart(); word + 4 <= var.end(); word += 4)
                        translations_.push_back(varBlock.dword(word));
                    varAt = BlockReader::aligned(var.end());
                }
            } else {
                break;
            }
            at = BlockReader::aligned(child.end());
        }
        state_ = ParseState::Parsed;
    } catch (const MalformedBlock&) {
        strings_.clear();
        translations_.clear();
        state_ = ParseState::Failed;
    }
}

} // namespace remvana
