#pragma once
// Small owners of the handles the label's editors make: each gives its handle back when it
// goes, and none is ever copied.
#include <windows.h>

#include <utility>

#include "platform/win32/scoped_handles.h" // MeasuringDc

namespace remvana {

template <typename Handle, BOOL(WINAPI* Release)(Handle)> class OwnedHandle {
  public:
    OwnedHandle() = default;
    explicit OwnedHandle(Handle handle) : handle_(handle) {}
    ~OwnedHandle() { reset(); }
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(Handle handle = nullptr) {
        if (handle_ != nullptr) Release(handle_);
        handle_ = handle;
    }

  private:
    Handle handle_ = nullptr;
};

inline BOOL WINAPI deleteFont(HFONT font) {
    return DeleteObject(font);
}
using OwnedFont = OwnedHandle<HFONT, deleteFont>;
using OwnedMenu = OwnedHandle<HMENU, DestroyMenu>;

} // namespace remvana
