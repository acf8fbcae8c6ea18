// The handle owners where they do more than give a handle back: a close that reports its
// result, and a window owner that outlives its window.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/scoped_handles.h"

namespace remvana {
namespace {

struct CountedTraits {
    using Handle = int;
    static Handle invalid() { return 0; }
    static inline int closes = 0;
    static inline bool succeeds = true;
    static bool close(Handle) {
        ++closes;
        return succeeds;
    }
};

TEST(UniqueHandle, ACheckedCloseTellsWhetherTheCloseWorkedAndClosesOnce) {
    CountedTraits::closes = 0;
    UniqueHandle<CountedTraits> none;
    EXPECT_TRUE(none.close());
    EXPECT_EQ(0, CountedTraits::closes);
    {
        CountedTraits::succeeds = false;
        UniqueHandle<CountedTraits> failing(7);
        EXPECT_FALSE(failing.close());
        EXPECT_FALSE(failing.valid());
        CountedTraits::succeeds = true;
        UniqueHandle<CountedTraits> closing(8);
        EXPECT_TRUE(closing.close());
    }
    EXPECT_EQ(2, CountedTraits::closes); // the destructors found nothing left to close

    // A file's close reports what CloseHandle said: here, that the handle was gone already.
    char folder[MAX_PATH] = {}, path[MAX_PATH] = {};
    ASSERT_NE(0u, GetTempPathA(sizeof folder, folder));
    ASSERT_NE(0u, GetTempFileNameA(folder, "rvh", 0, path));
    HANDLE raw =
        CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, raw);
    ScopedFile open(
        CreateFileA(path, GENERIC_READ, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(open.close());
    CloseHandle(raw);
    ScopedFile closedAlready(raw);
    EXPECT_FALSE(closedAlready.close());
    DeleteFileA(path);
}

HWND makePopup(HWND owner) {
    return CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, owner, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

TEST(ScopedWindow, DestroysItsWindowAndForgetsOneTheSystemDestroyedFirst) {
    HWND made = nullptr;
    {
        const ScopedWindow window(makePopup(nullptr));
        made = window.get();
        ASSERT_TRUE(IsWindow(made));
    }
    EXPECT_FALSE(IsWindow(made));

    // A popup goes with the window that owns it: its owner must not keep the handle.
    HWND top = makePopup(nullptr);
    ScopedWindow owned(makePopup(top));
    ASSERT_TRUE(owned);
    DestroyWindow(top);
    EXPECT_FALSE(owned);
    EXPECT_EQ(nullptr, owned.get());
}

} // namespace
} // namespace remvana
