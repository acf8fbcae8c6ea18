// The registry behaviour the program relies on, checked against every accessor.
#include "contract/registry_contract.h"

#include <algorithm>
#include <array>
#include <map>

namespace remvana {

void RegistryContract::seedText(const std::string& path, const std::string& name,
                                const std::string& text, std::uint32_t type) {
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    backend->seedValue(path, name, type, data);
}

void RegistryContract::seedDword(const std::string& path, const std::string& name,
                                 std::uint32_t value) {
    backend->seedValue(path, name, reg_type::Dword,
                       {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                        static_cast<std::uint8_t>(value >> 16),
                        static_cast<std::uint8_t>(value >> 24)});
}

std::string backendTestName(const testing::TestParamInfo<RegistryBackendMaker>& info) {
    return info.param.name;
}

namespace {

std::string messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const RegistryError& e) {
        return e.what();
    }
    return "(no error)";
}

std::vector<std::string> sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

TEST_P(RegistryContract, OpensFromTheRootOrFromTheOpenKey) {
    seedText("Outer\\Inner", "Where", "inner");
    seedText("Outer", "Where", "outer");
    auto r = accessor();

    // Without an open key a relative path starts at the root.
    ASSERT_TRUE(r->openKey(backend->base() + "\\Outer"));
    EXPECT_EQ("outer", r->readText("Where"));
    ASSERT_TRUE(r->openKey("Inner\\")); // relative to Outer, trailing "\" allowed
    EXPECT_EQ("inner", r->readText("Where"));
    ASSERT_TRUE(r->openKey(absolute("Outer")));
    EXPECT_EQ("outer", r->readText("Where"));
    EXPECT_TRUE(r->hasOpenKey());
}

TEST_P(RegistryContract, OpenNeverCreatesAndAnUnsuccessfulOpenKeepsTheOpenKey) {
    seedText("Here", "V", "here");
    auto r = accessor();
    ASSERT_TRUE(r->openKey(absolute("Here")));
    EXPECT_FALSE(r->openKey(absolute("Missing")));
    EXPECT_FALSE(r->openKey("Missing\\Deeper"));
    EXPECT_FALSE(backend->exists("Missing"));
    EXPECT_FALSE(backend->exists("Here\\Missing"));
    EXPECT_EQ("here", r->readText("V"));
}

TEST_P(RegistryContract, TheRootItselfOpensAndClosesWithoutHarmToLaterAccessors) {
    seedText("", "V", "x");
    for (int round = 0; round < 2; ++round) {
        auto r = accessor();
        ASSERT_TRUE(r->openKey("\\"));
        ASSERT_TRUE(r->openKey(backend->base())); // relative to the root, now the open key
        EXPECT_EQ("x", r->readText("V"));
        ASSERT_TRUE(r->openKey("\\"));
        r->closeKey();
    }
}

TEST_P(RegistryContract, NamesIgnoreCase) {
    seedText("Mixed\\Case", "DisplayName", "Named");
    auto r = accessor();
    ASSERT_TRUE(r->openKey(absolute("MIXED\\case")));
    EXPECT_EQ(ValueKind::String, r->valueKind("displayname"));
    EXPECT_EQ("Named", r->readText("DISPLAYNAME"));
}

TEST_P(RegistryContract, WithoutAnOpenKeyEveryValueIsAbsent) {
    seedText("", "V", "x");
    auto r = accessor();
    EXPECT_FALSE(r->hasOpenKey());
    EXPECT_EQ(ValueKind::Absent, r->valueKind("V"));
    EXPECT_TRUE(r->readAllValues().empty());
    EXPECT_EQ(ValueKind::Absent, r->readValue("V").kind);
    ASSERT_TRUE(r->openKey(absolute()));
    EXPECT_TRUE(r->valueExists("V"));
    r->closeKey();
    EXPECT_FALSE(r->hasOpenKey());
    EXPECT_FALSE(r->valueExists("V"));
    EXPECT_EQ("", r->readText("V"));
    EXPECT_EQ("Failed to set data for 'V'", messageOf([&] { r->writeText("V", "y"); }));
}

TEST_P(RegistryContract, ListsDirectSubkeysOnly) {
    for (const char* path : {"Store\\b", "Store\\A", "Store\\c", "Store\\c\\grandchild"})
        backend->seedKey(path);
    auto r = accessor();
    ASSERT_TRUE(r->openKey(absolute("Store")));
    EXPECT_EQ(std::vector<std::string>({"A", "b", "c"}), sorted(r->subkeyNames()));
    ASSERT_TRUE(r->openKey("b"));
    EXPECT_TRUE(r->subkeyNames().empty());
}

TEST_P(RegistryContract, AWriteMovesTheLastWriteTimeOfItsOwnKeyOnly) {
    for (const char* path : {"Store\\Kept", "Store\\Written", "Store\\Emptied"})
        seedText(path, "V", "x");
    auto r = accessor();
    ASSERT_TRUE(r->openKey(absolute("Store")));
    const auto timesNow = [&] {
        std::map<std::string, std::int64_t> times;
        for (const SubkeyStamp& stamp : r->subkeyStamps())
            times[stamp.name] = stamp.lastWrite;
        return times;
    };
    const auto before = timesNow();
    ASSERT_EQ(3u, before.size());
    auto entry = accessor();
    ASSERT_TRUE(entry->openKey(absolute("Store\\Written")));
    entry->writeText("V", "y");
    ASSERT_TRUE(entry->openKey(absolute("Store\\Emptied")));
    EXPECT_TRUE(entry->deleteValue("V"));
    const auto after = timesNow();
    EXPECT_EQ(before.at("Kept"), after.at("Kept"));
    EXPECT_NE(before.at("Written"), after.at("Written"));
    EXPECT_NE(before.at("Emptied"), after.at("Emptied"));
    EXPECT_EQ(sorted(r->subkeyNames()), std::vector<std::string>({"Emptied", "Kept", "Written"}));
}

TEST_P(RegistryContract, ReportsEachValueKind) {
    seedText("", "Sz", "a");
    seedText("", "Expand", "%TEMP%", reg_type::ExpandString);
    seedDword("", "Dword", 7);
    backend->seedValue("", "Bin", reg_type::Binary, {1, 2, 3});
    backend->seedValue("", "Multi", reg_type::MultiString, {'a', 0, 'b', 0, 0});
    backend->seedValue("", "Qword", reg_type::Qword, {1, 0, 0, 0, 0, 0, 0, 0});
    auto r = accessor();
    ASSERT_TRUE(r->openKey(absolute()));
    EXPECT_EQ(ValueKind::String, r->valueKind("Sz"));
    EXPECT_EQ(ValueKind::ExpandString, r->valueKind("Expand"));
    EXPECT_EQ(ValueKind::Integer, r->valueKind("Dword"));
    EXPECT_EQ(ValueKind::Binary, r->valueKind("Bin"));
    EXPECT_EQ(ValueKind::Other, r->valueKind("Multi"));
    EXPECT_EQ(ValueKind::Other, r->valueKind("Qword"));
    EXPECT_EQ(ValueKind::Absent, r->valueKind("Nothing"));
}

TEST_P(RegistryContract, ReadsTextUnexpandedAndCutAtTheFirstNul) {
    seedText("", "Expand", "%SystemRoot%\\notepad.exe", reg_type::ExpandString);
    backend->seedValue("", "Embedded", reg_type::String, {'a', 'b', 0, 'c', 'd', 0});
    backend->seedValue("", "Unterminated", reg_type::String, {'x', 'y'});
    backend->seedValue("", "Empty", reg_type::String, {});
    seedDword("", "Number", 5);
    auto r = accessor();
    ASSERT_TRUE(r->openKey(absolute()));
    EXPECT_EQ("%SystemRoot%\\notepad.exe", r->readText("Expand"));
    EXPECT_EQ("ab", r->readText("Embedded"));
    EXPECT_EQ("xy", r->readText("Unterminated"));
    EXPECT_EQ("", r->readText("Empty"));
    EXPECT_EQ("", r->readText("Missing"));
    EXPECT_EQ("Invalid data type for 'Number'", messageOf([&] { r->readText("Number"); }));
}

TEST_P(RegistryContract, ReadsIntegersAsSigned32Bit) {
    seedDword("", "Minus", 0xFFFFFFFFu);
    seedDword("", "Large", 0x7FFFFFFFu);
    seedText("", "Text", "1");
    auto r = accessor();
    ASSERT_TRUE(r->openKey(absolute()));
    EXPECT_EQ(-1, r->readInteger("Minus"));
    EXPECT_EQ(0x7FFFFFFF, r->readInteger("Large"));
    EXPECT_EQ("Invalid data type for 'Text'", messageOf([&] { r->readInteger("Text"); }));
    EXPECT_EQ("Failed to get data for 'Missing'", messageOf([&] { r->readInteger("Missing"); }));
}

TEST_P(RegistryContract, ReadsBinaryIntoTheCallersBufferAndReturnsTheStoredLength) {
    backend->seedValue("", "Short", reg_type::Binary, {0xAA, 0xBB, 0xCC});
    backend->seedValue("", "Exact", reg_type::Binary, {1, 2, 3, 4, 5, 6, 7, 8});
    backend->seedValue("", "Long", reg_type::Binary, std::vector<std::uint8_t>(9, 0x11));
    seedText("", "Text", "abc");
    seedDword("", "Number", 1);
    auto r = accessor();
    ASSERT_TRUE(r->openKey(absolute()));

    std::array<std::uint8_t, 8> buffer{};
    buffer.fill(0xEE);
    EXPECT_EQ(3u, r->readBinary("Short", buffer.data(), buffer.size()));
    EXPECT_EQ((std::array<std::uint8_t, 8>{0xAA, 0xBB, 0xCC, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE}),
              buffer);
    EXPECT_EQ(8u, r->readBinary("Exact", buffer.data(), buffer.size()));
    EXPECT_EQ((std::array<std::uint8_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}), buffer);
    for (const char* name : {"Long", "Text", "Number"}) {
        EXPECT_EQ(std::string("Invalid data type for '") + name + "'",
                  messageOf([&] { r->readBinary(name, buffer.data(), buffer.size()); }));
    }
}

TEST_P(RegistryContract, SweepsEveryValueOfTheOpenKey) {
    seedText("", "Name", "Alpha");
    seedText("", "Icon", "%X%", reg_type::ExpandString);
    seedDword("", "Flag", 0xFFFFFFFEu);
    backend->seedValue("", "Blob", reg_type::Binary, {9, 8, 7});
    backend->seedValue("", "Empty", reg_type::Binary, {});
    backend->seedKey("Child");
    auto r = accessor();
    ASSERT_TRUE(r->openKey(absolute()));

    std::vector<RegValue> values = r->readAllValues();
    std::sort(values.begin(), values.end(),
              [](const RegValue& a, const RegValue& b) { return a.name < b.name; });
    ASSERT_EQ(5u, values.size());
    EXPECT_EQ("Blob", values[0].name);
    EXPECT_EQ(ValueKind::Binary, values[0].kind);
    EXPECT_EQ(std::vector<std::uint8_t>({9, 8, 7}), values[0].data);
    EXPECT_EQ("Empty", values[1].name);
    EXPECT_TRUE(values[1].data.empty());
    EXPECT_EQ(ValueKind::Integer, values[2].kind);
    std::int32_t flag = 0;
    EXPECT_TRUE(integerOfValue(values[2].data, flag));
    EXPECT_EQ(-2, flag);
    EXPECT_EQ(ValueKind::ExpandString, values[3].kind);
    EXPECT_EQ("%X%", textOfValue(values[3].data));
    EXPECT_EQ("Name", values[4].name);
    EXPECT_EQ(ValueKind::String, values[4].kind);
    EXPECT_EQ("Alpha", textOfValue(values[4].data));
}

TEST_P(RegistryContract, CountsTheOpenKeysValuesUntilTheKeyIsDeleted) {
    seedText("Counted", "Short", "x");
    seedDword("Counted", "A longer value name", 1);
    backend->seedKey("Counted\\Child"); // a subkey is no value
    auto r = accessor();
    EXPECT_FALSE(r->valueCounts()); // no open key
    ASSERT_TRUE(r->openKey(absolute("Counted")));
    const std::optional<ValueCounts> counts = r->valueCounts();
    ASSERT_TRUE(counts);
    EXPECT_EQ(2u, counts->values);
    EXPECT_EQ(19u, counts->longestName);
    ASSERT_EQ(DeleteOutcome::Removed, accessor()->deleteKey(absolute("Counted")));
    EXPECT_FALSE(r->valueCounts());
}

// Backups copy values of every type with their bytes as stored: odd sizes, unusual type
// codes and empty data must come back exactly, both when swept and when written. A value
// read alone comes back as the sweep gives it.
TEST_P(RegistryContract, SweepsAndWritesRawValuesWithTheirTypeCodesAndExactBytes) {
    const std::vector<StoredValue> cases = {
        {reg_type::Binary, {1, 2, 3}},
        {reg_type::Binary, std::vector<std::uint8_t>(3000, 0xA5)}, // longer than any buffer
        {reg_type::String, {'t', 'x', 't', 0}},
        {reg_type::Binary, {}},
        {reg_type::Dword, {1, 2, 3, 4, 5}},
        {reg_type::None, {0xFF}},
        {reg_type::DwordBigEndian, {0, 0, 0, 9}},
        {reg_type::MultiString, {'a', 0, 'b', 0, 0}},
        {reg_type::Qword, {1, 2, 3, 4, 5, 6, 7}},
        {0x12345, {7, 7}},
    };
    // Built with append: GCC 12 warns falsely about "literal" + std::string here.
    auto nameOf = [](std::size_t i) { return std::string(1, 'V').append(std::to_string(i)); };
    for (std::size_t i = 0; i < cases.size(); ++i)
        backend->seedValue("Seeded", nameOf(i), cases[i].type, cases[i].data);
    auto r = accessor();
    ASSERT_TRUE(r->openKey(absolute("Seeded")));
    std::vector<RegValue> swept = r->readAllValues();
    ASSERT_EQ(cases.size(), swept.size());
    std::vector<RegValue> alone;
    for (std::size_t i = 0; i < cases.size(); ++i)
        alone.push_back(r->readValue(nameOf(i)));
    EXPECT_EQ(ValueKind::Absent, r->readValue("Missing").kind);
    ASSERT_TRUE(r->createKey(absolute("Copy")));
    for (const RegValue& value : swept)
        r->writeValue(value.name, value.type, value.data);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        const std::string name = nameOf(i);
        const auto found = std::find_if(swept.begin(), swept.end(),
                                        [&](const RegValue& v) { return v.name == name; });
        ASSERT_NE(swept.end(), found);
        EXPECT_EQ(cases[i].type, found->type);
        EXPECT_EQ(cases[i].data, found->data);
        EXPECT_EQ(found->kind, alone[i].kind);
        EXPECT_EQ(found->type, alone[i].type);
        EXPECT_EQ(found->data, alone[i].data);
        const std::optional<StoredValue> copy = backend->stored("Copy", name);
        ASSERT_TRUE(copy);
        EXPECT_EQ(cases[i].type, copy->type);
        EXPECT_EQ(cases[i].data, copy->data);
    }
    r->closeKey();
    EXPECT_EQ("Failed to set data for 'V'",
              messageOf([&] { r->writeValue("V", reg_type::Binary, {1}); }));
}

TEST_P(RegistryContract, WritesTextAsAStringReplacingAnyKind) {
    seedDword("", "Publisher", 3);
    auto r = accessor();
    ASSERT_TRUE(r->openKey(absolute()));
    r->writeText("Publisher", "Kelvane");
    r->writeText("Fresh", "");
    const std::optional<StoredValue> publisher = backend->stored("", "publisher");
    ASSERT_TRUE(publisher);
    EXPECT_EQ(reg_type::String, publisher->type);
    EXPECT_EQ("Kelvane", textOfValue(publisher->data));
    ASSERT_TRUE(backend->stored("", "Fresh"));
    EXPECT_EQ("", r->readText("Fresh"));
    EXPECT_EQ(ValueKind::String, r->valueKind("Fresh"));
}

TEST_P(RegistryContract, DeletesValuesOnce) {
    seedText("", "Gone", "x");
    auto r = accessor();
    ASSERT_TRUE(r->openKey(absolute()));
    EXPECT_TRUE(r->deleteValue("GONE"));
    EXPECT_FALSE(r->deleteValue("Gone"));
    EXPECT_FALSE(backend->stored("", "Gone"));
}

TEST_P(RegistryContract, CreatesMissingParentsAndOpensTheNewKey) {
    auto r = accessor();
    ASSERT_TRUE(r->createKey(absolute("New\\Deeper\\Deepest")));
    r->writeText("language", "4");
    ASSERT_TRUE(backend->stored("New\\Deeper\\Deepest", "language"));
    EXPECT_EQ("4", textOfValue(backend->stored("New\\Deeper\\Deepest", "language")->data));

    ASSERT_TRUE(r->openKey(absolute("New")));
    ASSERT_TRUE(r->createKey("Sibling")); // relative to the open key
    EXPECT_TRUE(backend->exists("New\\Sibling"));
    ASSERT_TRUE(r->createKey(absolute("New"))); // an existing key simply opens
    EXPECT_EQ(std::vector<std::string>({"Deeper", "Sibling"}), sorted(r->subkeyNames()));
}

TEST_P(RegistryContract, DeletesAKeyWithItsWholeSubtree) {
    for (const char* path : {"Doomed\\A\\A1", "Doomed\\A\\A2\\A21", "Doomed\\B", "Kept\\C"})
        backend->seedKey(path);
    seedText("Doomed\\A\\A2\\A21", "V", "x");
    seedText("Doomed", "V", "x");
    auto r = accessor();
    EXPECT_EQ(DeleteOutcome::Removed, r->deleteKey(absolute("Doomed")));
    EXPECT_FALSE(backend->exists("Doomed"));
    EXPECT_TRUE(backend->exists("Kept\\C"));
    EXPECT_EQ(DeleteOutcome::NotRemoved, r->deleteKey(absolute("Doomed")));
    EXPECT_FALSE(r->lastFailure().accessDenied);
    EXPECT_FALSE(r->lastFailure().reason.empty());

    ASSERT_TRUE(r->openKey(absolute()));
    EXPECT_EQ(DeleteOutcome::Removed, r->deleteKey("Kept\\C\\")); // relative to the open key
    EXPECT_FALSE(backend->exists("Kept\\C"));
    EXPECT_TRUE(backend->exists("Kept"));
}

TEST_P(RegistryContract, ADeletionStoppedBelowTheKeyIsPartialAndSaysWhy) {
    backend->seedKey("Tree\\Free");
    backend->seedKey("Tree\\Locked\\Inner");
    if (!backend->denyListing("Tree\\Locked")) GTEST_SKIP() << "backend cannot restrict a key";
    auto r = accessor();
    EXPECT_EQ(DeleteOutcome::Partial, r->deleteKey(absolute("Tree")));
    EXPECT_FALSE(backend->exists("Tree\\Free"));
    EXPECT_TRUE(backend->exists("Tree\\Locked"));
    EXPECT_FALSE(r->lastFailure().reason.empty());
}

TEST_P(RegistryContract, OpensASubkeyOfTheFullNameLengthRelativeToTheOpenKey) {
    const std::string longest(255, 'n');
    seedText(longest, "V", "long");
    seedText("Locked", "V", "x");
    const bool restricted = backend->denyFullAccess("Locked");
    auto r = accessor(reg_access::Read);
    EXPECT_EQ(nullptr, r->openSubkey(longest, reg_access::Read)); // no open key
    ASSERT_TRUE(r->openKey(absolute()));
    const auto child = r->openSubkey(longest, reg_access::Read);
    ASSERT_NE(nullptr, child);
    EXPECT_EQ("long", child->readText("V"));
    EXPECT_TRUE(r->hasOpenKey()); // the parent stays open beside its child

    EXPECT_EQ(nullptr, r->openSubkey("Missing", reg_access::Read));
    EXPECT_FALSE(r->lastFailure().accessDenied);
    if (!restricted) return;
    EXPECT_EQ(nullptr, r->openSubkey("Locked", reg_access::QueryValue | reg_access::SetValue));
    EXPECT_TRUE(r->lastFailure().accessDenied);
    ASSERT_NE(nullptr, r->openSubkey("Locked", reg_access::Read));
}

TEST_P(RegistryContract, ReadOnlyOpenTakesReadAccess) {
    seedText("Plain", "V", "x");
    auto r = accessor();
    ASSERT_TRUE(r->openKeyReadOnly(absolute("Plain")));
    EXPECT_EQ(reg_access::Read, r->access());
    EXPECT_EQ("x", r->readText("V"));
    EXPECT_FALSE(r->openKeyReadOnly(absolute("Missing")));
}

TEST_P(RegistryContract, AKeyRefusingFullAccessOpensOnlyForReading) {
    seedText("Locked", "V", "x");
    if (!backend->denyFullAccess("Locked")) GTEST_SKIP() << "backend cannot restrict a key";
    auto full = accessor();
    EXPECT_FALSE(full->openKey(absolute("Locked")));
    EXPECT_FALSE(full->hasOpenKey());
    ASSERT_TRUE(full->openKeyReadOnly(absolute("Locked")));
    EXPECT_EQ("x", full->readText("V"));
    EXPECT_EQ("Failed to set data for 'V'", messageOf([&] { full->writeText("V", "y"); }));
    EXPECT_EQ("x", textOfValue(backend->stored("Locked", "V")->data));
}

} // namespace
} // namespace remvana
