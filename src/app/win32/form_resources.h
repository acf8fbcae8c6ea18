#pragma once
// What the main window owns beside its child windows: the fonts and image lists it made.
// Apart from main_form.h, so that the window's users need not know the handle owners.
#include "platform/win32/scoped_handles.h"

namespace remvana {

struct FormResources {
    ScopedFont windowFont; // the window's font, for children that take their parent's
    ScopedFont filterFont;
    ScopedImageList smallImages; // the program list's row images
    ScopedImageList labelImages; // the details label's images
};

} // namespace remvana
