// What the in-memory registry adds to the shared contract: finer restrictions,
// creation-order enumeration and the seeding and inspection helpers other suites rely on.
#include <gtest/gtest.h>

#include "fakes/fake_registry.h"

namespace remvana {
namespace {

constexpr RegRoot HKLM = RegRoot::LocalMachine;

TEST(FakeRegistry, SeededValuesReadBackThroughAnAccessor) {
    FakeRegistryFactory reg;
    reg.setString(HKLM, "\\SOFTWARE\\A\\", "Name", "Alpha");
    reg.setExpandString(HKLM, "SOFTWARE\\A", "Icon", "%SystemRoot%\\x.exe");
    reg.setDword(HKLM, "SOFTWARE\\A", "Count", 0xFFFFFFFEu);
    reg.setMultiString(HKLM, "SOFTWARE\\A", "List", {"one", "two"});

    auto r = reg.create(HKLM, reg_access::AllAccess);
    ASSERT_TRUE(r->openKey("\\software\\a"));
    EXPECT_EQ("Alpha", r->readText("NAME"));
    EXPECT_EQ(ValueKind::ExpandString, r->valueKind("icon"));
    EXPECT_EQ("%SystemRoot%\\x.exe", r->readText("Icon"));
    EXPECT_EQ(-2, r->readInteger("Count"));
    EXPECT_EQ(ValueKind::Other, r->valueKind("List"));
    EXPECT_EQ(std::vector<std::uint8_t>({'o', 'n', 'e', 0, 't', 'w', 'o', 0, 0}),
              reg.value(HKLM, "SOFTWARE\\A", "list")->data);
}

TEST(FakeRegistry, SubkeysEnumerateInCreationOrder) {
    FakeRegistryFactory reg;
    for (const char* name : {"b", "A", "c"})
        reg.createKey(HKLM, std::string("Store\\") + name);
    auto r = reg.create(HKLM, reg_access::AllAccess);
    ASSERT_TRUE(r->openKey("Store"));
    EXPECT_EQ(std::vector<std::string>({"b", "A", "c"}), r->subkeyNames());
}

TEST(FakeRegistry, ReadOnlyOpenFallsBackToFewerRights) {
    FakeRegistryFactory reg;
    reg.setString(HKLM, "NoNotify", "V", "x");
    reg.allowOnly(HKLM, "NoNotify", reg_access::Read & ~reg_access::Notify);
    reg.setString(HKLM, "QueryOnly", "V", "y");
    reg.createKey(HKLM, "QueryOnly\\Child");
    reg.allowOnly(HKLM, "QueryOnly", reg_access::QueryValue);
    reg.allowOnly(HKLM, "Nothing", 0);

    auto r = reg.create(HKLM, reg_access::AllAccess);
    ASSERT_TRUE(r->openKeyReadOnly("NoNotify"));
    EXPECT_EQ(reg_access::Read & ~reg_access::Notify, r->access());
    ASSERT_TRUE(r->openKeyReadOnly("\\QueryOnly"));
    EXPECT_EQ(reg_access::QueryValue, r->access());
    EXPECT_EQ("y", r->readText("V"));
    EXPECT_TRUE(r->subkeyNames().empty()); // the handle may not enumerate
    EXPECT_FALSE(r->openKeyReadOnly("\\Nothing"));
}

TEST(FakeRegistry, DeniedWriteFailsWritesAfterASuccessfulOpen) {
    FakeRegistryFactory reg;
    reg.setString(HKLM, "Guarded", "Publisher", "Old");
    reg.denyWrite(HKLM, "Guarded");

    auto r = reg.create(HKLM, reg_access::AllAccess);
    ASSERT_TRUE(r->openKey("Guarded"));
    try {
        r->writeText("Publisher", "New");
        FAIL() << "write succeeded";
    } catch (const RegistryError& e) {
        EXPECT_STREQ("Failed to set data for 'Publisher'", e.what());
    }
    EXPECT_FALSE(r->deleteValue("Publisher"));
    EXPECT_FALSE(r->createKey("Sub"));
    EXPECT_EQ("Old", reg.text(HKLM, "Guarded", "Publisher"));
}

} // namespace
} // namespace remvana
