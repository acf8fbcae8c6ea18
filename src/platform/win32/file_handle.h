#pragma once
// Owns one kernel32 file handle and closes it on every way out. Beyond ScopedFile, a close
// can be asked for and tells whether it succeeded: for a file just written, a failed close
// can mean the last data never reached it.
#include <windows.h>

#include "platform/win32/scoped_handles.h"

namespace remvana {

class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : file_(handle) {}
    HANDLE get() const { return file_.get(); }
    bool valid() const { return file_.valid(); }
    // True when there was nothing to close or it closed cleanly (buffered data written).
    bool close() { return !file_.valid() || CloseHandle(file_.release()); }

  private:
    ScopedFile file_;
};

} // namespace remvana
