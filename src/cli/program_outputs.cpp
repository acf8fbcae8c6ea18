#include "cli/program_outputs.h"

#include <nlohmann/json.hpp>

#include "inventory/formatting.h"
#include "inventory/listing.h"
#include "inventory/program_inventory.h"
#include "platform/ansi_text.h"

namespace remvana {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

ListedEntry listedOf(const InventoryArray& inventory, std::size_t index) {
    return inventory[index];
}

ListedEntry listedOf(const ProgramInventory& inventory, EntryId id) {
    return inventory.listed(id);
}

// The names are all a scan of display names reads, so nothing else is asked for.
template <typename Entries> std::string listLinesOf(const Entries& inventory, Locale& locale) {
    std::string lines;
    for (const auto index : listedInListOrder(inventory, locale)) {
        const ListedEntry info = listedOf(inventory, index);
        lines += oneLineText(info.keyName());
        lines += "|||";
        lines += oneLineText(info.displayName());
        lines += kLineEnd;
    }
    return lines;
}

} // namespace

std::string programListLines(const InventoryArray& inventory, Locale& locale) {
    return listLinesOf(inventory, locale);
}

std::string programListLines(const ProgramInventory& inventory, Locale& locale) {
    return listLinesOf(inventory, locale);
}

std::vector<ProgramRecord> listedProgramRecords(const InventoryArray& inventory, Locale& locale,
                                                Clock& clock) {
    std::vector<ProgramRecord> records;
    for (std::size_t index : listedInListOrder(inventory, locale))
        records.push_back(programRecordOf(inventory[index], clock));
    return records;
}

std::string programsJson(const std::vector<ProgramRecord>& records) {
    nlohmann::ordered_json programs = nlohmann::ordered_json::array();
    for (const ProgramRecord& record : records) {
        nlohmann::ordered_json& object = programs.emplace_back(nlohmann::ordered_json::object());
        for (const RecordField& field : record) {
            if (const auto* text = std::get_if<std::string>(&field.value))
                object[field.name] = ansiToUtf8(*text);
            else if (const auto* number = std::get_if<std::int64_t>(&field.value))
                object[field.name] = *number;
            else
                object[field.name] = nullptr;
        }
    }
    // The conversion yields valid UTF-8; replacing instead of throwing keeps one odd byte
    // from costing the whole output should it not.
    return programs.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

std::string tsvEscaped(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\r':
            escaped += "\\r";
            break;
        case '\n':
            escaped += "\\n";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string programsTsv(const std::vector<ProgramRecord>& records) {
    std::string tsv;
    const auto appendLine = [&tsv](const std::vector<std::string>& fields) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) tsv += '\t';
            tsv += fields[i];
        }
        tsv += kLineEnd;
    };
    appendLine(programRecordNames());
    for (const ProgramRecord& record : records) {
        std::vector<std::string> fields;
        for (const RecordField& field : record) {
            if (const auto* text = std::get_if<std::string>(&field.value))
                fields.push_back(tsvEscaped(ansiToUtf8(*text)));
            else if (const auto* number = std::get_if<std::int64_t>(&field.value))
                fields.push_back(std::to_string(*number));
            else
                fields.emplace_back();
        }
        appendLine(fields);
    }
    return tsv;
}

} // namespace remvana
