#include <gtest/gtest.h>

#include "fakes/fake_shell.h"
#include "platform/shell.h"

namespace remvana {
namespace {

IconHandle extracted(FakeShell& shell) {
    IconHandle icon = 0;
    shell.extractIconEx("C:\\app.exe", 0, &icon, nullptr);
    return icon;
}

TEST(ShellIcon, GivesItsIconBackExactlyOnceWhicheverWayItGoes) {
    FakeShell shell;
    shell.addIcon("C:\\app.exe", 0);
    { const ShellIcon scoped(shell, extracted(shell)); }
    EXPECT_EQ(0u, shell.liveIconCount());

    ShellIcon target(shell, extracted(shell));
    ShellIcon moved(shell, extracted(shell));
    const IconHandle kept = moved.get();
    target = std::move(moved); // the icon target held goes back; moved's travels on
    ShellIcon last(std::move(target));
    EXPECT_EQ(1u, shell.liveIconCount());
    EXPECT_EQ(kept, last.get());

    const IconHandle released = last.release();
    last.reset();
    EXPECT_EQ(1u, shell.liveIconCount()); // released: no longer the owner's to give back
    shell.destroyIcon(released);
    EXPECT_EQ(0, shell.badDestroys);
}

} // namespace
} // namespace remvana
