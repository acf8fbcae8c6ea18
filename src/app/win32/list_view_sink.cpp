#include "app/win32/list_view_sink.h"

namespace remvana {

static_assert(kRowImageOnDemand == I_IMAGECALLBACK);

void ListViewSink::addRow(const std::string& caption, EntryId entry, int imageIndex,
                          const std::vector<std::string>& subItems) {
    list_.addRow(caption, entry, imageIndex, subItems);
}

void ListViewSink::setStatusText(int panel, const std::string& text) {
    if (setStatus_) setStatus_(panel, text);
}

ProgramListIcons::ProgramListIcons(TAdvListView& list, HIMAGELIST images,
                                   const ProgramInventory& inventory, Shell& shell,
                                   RegistryFactory& registry)
    : list_(list), images_(images), inventory_(inventory), icons_(*this, shell, registry) {
    int size = 0, unused = 0;
    if (ImageList_GetIconSize(images_, &size, &unused)) icons_.setIconSize(size);
    list_.OnGetRowImage = [this](TAdvListView&, std::uint32_t entry) {
        return inventory_.holds(entry) ? icons_.imageOf(inventory_.listed(entry)) : 0;
    };
}

ProgramListIcons::~ProgramListIcons() {
    list_.OnGetRowImage = nullptr;
}

void ProgramListIcons::clearRows() {
    list_.clear();
    if (ImageList_GetImageCount(images_) > 1) ImageList_SetImageCount(images_, 1);
    icons_.forget();
}

void ProgramListIcons::useImages(HIMAGELIST images) {
    images_ = images;
    int size = 0, unused = 0;
    if (ImageList_GetIconSize(images_, &size, &unused)) icons_.setIconSize(size);
    icons_.forget();
    list_.setSmallImages(images_);
    list_.forgetRowImages();
}

int ProgramListIcons::addImage(IconHandle icon) {
    // The image list copies the icon; the caller keeps (and releases) its own.
    return ImageList_AddIcon(images_, reinterpret_cast<HICON>(icon));
}

} // namespace remvana
