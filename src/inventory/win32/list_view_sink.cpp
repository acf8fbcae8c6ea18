#include "inventory/win32/list_view_sink.h"

namespace remvana {

int ListViewSink::addImage(IconHandle icon) {
    // The image list copies the icon; the caller keeps (and releases) its own.
    return ImageList_AddIcon(images_, reinterpret_cast<HICON>(icon));
}

void ListViewSink::addRow(const std::string& caption, TAppInfo* data, int imageIndex,
                          const std::vector<std::string>& subItems) {
    list_.addRow(caption, data, imageIndex, subItems);
}

void ListViewSink::setStatusText(int panel, const std::string& text) {
    if (setStatus_) setStatus_(panel, text);
}

void clearProgramRows(TAdvListView& list, HIMAGELIST images) {
    list.clear();
    if (ImageList_GetImageCount(images) > 1) ImageList_SetImageCount(images, 1);
}

} // namespace remvana
