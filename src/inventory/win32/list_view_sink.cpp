#include "inventory/win32/list_view_sink.h"

namespace remvana {

void ListViewSink::reserveImages(int count) {
    if (count <= 0) return;
    // An image list grows a few images at a time, copying all it holds each time: thousands
    // of icons would cost seconds. A copy made with room for all of them grows no more.
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(images_, &width, &height);
    const int held = ImageList_GetImageCount(images_);
    HIMAGELIST roomy = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, held + count, 4);
    if (!roomy) return;
    for (int i = 0; i < held; ++i) {
        const HICON image = ImageList_GetIcon(images_, i, ILD_NORMAL);
        ImageList_AddIcon(roomy, image);
        DestroyIcon(image);
    }
    list_.setSmallImages(roomy);
    ImageList_Destroy(images_);
    images_ = roomy;
}

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
