#pragma once
// Owners of the handles the Win32 layer makes: each gives its handle back on every way out
// (a throwing render included), none is ever copied, and moving one hands the handle over.
// One template, told by a traits type what "no handle" is and how a handle is given back
// (and whether that worked).
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <utility>

namespace remvana {

template <class Traits> class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    bool valid() const { return handle_ != Traits::invalid(); }
    explicit operator bool() const { return valid(); }
    // Gives the held handle back and keeps `handle` instead.
    void reset(Handle handle = Traits::invalid()) {
        if (handle_ == handle) return;
        if (valid()) Traits::close(handle_);
        handle_ = handle;
    }
    // Gives the handle back now and tells whether that worked (true when none was held).
    // For a file just written a failed close can mean its last data never reached it, which
    // the destructor could not report.
    [[nodiscard]] bool close() { return !valid() || Traits::close(release()); }
    // Stops owning the handle and returns it.
    [[nodiscard]] Handle release() { return std::exchange(handle_, Traits::invalid()); }

  private:
    Handle handle_ = Traits::invalid();
};

// GDI objects (fonts, brushes, pens, bitmaps, regions) all go back through DeleteObject.
template <class T> struct GdiObjectTraits {
    using Handle = T;
    static Handle invalid() { return nullptr; }
    static bool close(Handle handle) { return DeleteObject(handle) != FALSE; }
};
using ScopedFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using ScopedBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using ScopedPen = UniqueHandle<GdiObjectTraits<HPEN>>;
using ScopedBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using ScopedRegion = UniqueHandle<GdiObjectTraits<HRGN>>;

struct IconTraits {
    using Handle = HICON;
    static Handle invalid() { return nullptr; }
    static bool close(Handle handle) { return DestroyIcon(handle) != FALSE; }
};
using ScopedIcon = UniqueHandle<IconTraits>;

struct ImageListTraits {
    using Handle = HIMAGELIST;
    static Handle invalid() { return nullptr; }
    static bool close(Handle handle) { return ImageList_Destroy(handle) != FALSE; }
};
using ScopedImageList = UniqueHandle<ImageListTraits>;

struct MenuTraits {
    using Handle = HMENU;
    static Handle invalid() { return nullptr; }
    static bool close(Handle handle) { return DestroyMenu(handle) != FALSE; }
};
using ScopedMenu = UniqueHandle<MenuTraits>;

// A device context of our own making (CreateCompatibleDC), deleted rather than released.
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle invalid() { return nullptr; }
    static bool close(Handle handle) { return DeleteDC(handle) != FALSE; }
};
using ScopedMemoryDc = UniqueHandle<MemoryDcTraits>;

// An open registry key. The predefined roots (HKEY_LOCAL_MACHINE, ...) are never closed, so
// an owner may hold a root where a key is expected.
struct RegKeyTraits {
    using Handle = HKEY;
    static Handle invalid() { return nullptr; }
    static bool close(Handle key) {
        if (key == HKEY_CLASSES_ROOT || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE ||
            key == HKEY_USERS || key == HKEY_CURRENT_CONFIG)
            return true;
        return RegCloseKey(key) == ERROR_SUCCESS;
    }
};
using ScopedRegKey = UniqueHandle<RegKeyTraits>;

// A kernel object (a process token, a console buffer) closed with CloseHandle. Null is "no
// handle": functions that answer INVALID_HANDLE_VALUE instead (CreateFile) are mapped first.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle invalid() { return nullptr; }
    static bool close(Handle handle) { return CloseHandle(handle) != FALSE; }
};
using ScopedKernelHandle = UniqueHandle<KernelHandleTraits>;
// A file or device opened with CreateFile, whose "no handle" is INVALID_HANDLE_VALUE. A file
// written to is closed with close(), which tells whether its data all reached it.
struct FileTraits {
    using Handle = HANDLE;
    static Handle invalid() { return INVALID_HANDLE_VALUE; }
    static bool close(Handle handle) { return CloseHandle(handle) != FALSE; }
};
using ScopedFile = UniqueHandle<FileTraits>;

// Memory the system allocated for the caller: LocalAlloc'd (FormatMessage's buffer), or a
// shell item list (given back through shell32, so COM's library need not load for it).
template <class T> struct LocalMemoryTraits {
    using Handle = T*;
    static Handle invalid() { return nullptr; }
    static bool close(Handle memory) { return LocalFree(memory) == nullptr; }
};
template <class T> using ScopedLocalMemory = UniqueHandle<LocalMemoryTraits<T>>;
struct ItemIdListTraits {
    using Handle = LPITEMIDLIST;
    static Handle invalid() { return nullptr; }
    static bool close(Handle items) {
        ILFree(items);
        return true;
    }
};
using ScopedItemIdList = UniqueHandle<ItemIdListTraits>;

// A window this object made and ends: DestroyWindow when the owner goes or is reset. The
// system may end the window first (a popup or tooltip goes with the top-level window that
// owns it, a child with its parent); the owner hears of it at the window's last message and
// forgets the handle then, so it never destroys, or hands out, a handle that has been reused.
// Not movable: the window's watch holds the owner's address.
class ScopedWindow {
  public:
    ScopedWindow() = default;
    explicit ScopedWindow(HWND window) { reset(window); }
    ~ScopedWindow() { reset(); }
    ScopedWindow(const ScopedWindow&) = delete;
    ScopedWindow& operator=(const ScopedWindow&) = delete;

    HWND get() const { return window_.get(); }
    explicit operator bool() const { return window_.valid(); }
    // Destroys the window held (unless it is `window`) and holds `window` instead.
    void reset(HWND window = nullptr) {
        if (window == window_.get()) return;
        unwatch();
        window_.reset(window);
        watch();
    }
    // Stops owning the window and returns it.
    [[nodiscard]] HWND release() {
        unwatch();
        return window_.release();
    }

  private:
    struct Traits {
        using Handle = HWND;
        static Handle invalid() { return nullptr; }
        static bool close(Handle window) { return DestroyWindow(window) != FALSE; }
    };

    void watch() {
        if (window_) SetWindowSubclass(window_.get(), &ScopedWindow::watchProc, watchId(), 0);
    }
    void unwatch() {
        if (window_) RemoveWindowSubclass(window_.get(), &ScopedWindow::watchProc, watchId());
    }
    UINT_PTR watchId() const { return reinterpret_cast<UINT_PTR>(this); }
    static LRESULT CALLBACK watchProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR) {
        if (msg == WM_NCDESTROY) {
            // Destroyed by someone else (our own reset has left the chain before it destroys).
            RemoveWindowSubclass(window, &ScopedWindow::watchProc, id);
            static_cast<void>(reinterpret_cast<ScopedWindow*>(id)->window_.release());
        }
        return DefSubclassProc(window, msg, wParam, lParam);
    }

    UniqueHandle<Traits> window_;
};

// A window's client-area device context (GetDC), released to that window when it goes.
class ClientDc {
  public:
    explicit ClientDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    // GetDCEx with its DCX_ flags (say, a DC across the window's children).
    ClientDc(HWND window, DWORD flags) : window_(window), dc_(GetDCEx(window, nullptr, flags)) {}
    ~ClientDc() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    ClientDc(const ClientDc&) = delete;
    ClientDc& operator=(const ClientDc&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

  private:
    HWND window_;
    HDC dc_;
};

// BeginPaint and EndPaint around one WM_PAINT.
class PaintDc {
  public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return dc_; }
    const RECT& dirty() const { return paint_.rcPaint; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// An object selected into a device context for one scope; the one it displaced is put back.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (old_ != nullptr && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// A window's device context with a font selected into it, for measuring text.
class MeasuringDc {
  public:
    MeasuringDc(HWND window, HFONT font) : dc_(window), font_(dc_.get(), font) {}
    HDC get() const { return dc_.get(); }

  private:
    ClientDc dc_;
    SelectedObject font_;
};

} // namespace remvana
