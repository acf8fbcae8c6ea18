#include "widgets/paramlabel/win32/param_label_resources.h"

#include <shellapi.h>

#include <cctype>

#include "platform/win32/canvas_gdi.h"
#include "widgets/paramlabel/markup_tags.h"

#include "platform/display_scale.h"

namespace remvana {

int ImageListImages::count() const {
    return list_ ? ImageList_GetImageCount(list_) : 0;
}

Size ImageListImages::imageSize() const {
    int cx = 0, cy = 0;
    if (list_) ImageList_GetIconSize(list_, &cx, &cy);
    return {rescaled(cx, dpi_, kDesignDpi), rescaled(cy, dpi_, kDesignDpi)};
}

void ImageListImages::draw(Canvas& canvas, int index, int x, int y) {
    if (auto* gdi = dynamic_cast<GdiCanvas*>(&canvas); gdi && list_)
        ImageList_Draw(list_, index, gdi->dc(), x, y, ILD_TRANSPARENT);
}

BitmapPicture::BitmapPicture(HBITMAP bitmap) : bitmap_(bitmap) {
    BITMAP info{};
    if (bitmap_ && GetObjectA(bitmap_.get(), sizeof info, &info)) {
        width_ = info.bmWidth;
        height_ = info.bmHeight;
    }
}

void BitmapPicture::draw(Canvas& canvas, const Rect& target) {
    auto* gdi = dynamic_cast<GdiCanvas*>(&canvas);
    if (!gdi || !bitmap_) return;
    ScopedMemoryDc source(CreateCompatibleDC(gdi->dc()));
    SelectedObject selected(source.get(), bitmap_.get());
    StretchBlt(gdi->dc(), target.left, target.top, target.width(), target.height(), source.get(), 0,
               0, width_, height_, SRCCOPY);
}

std::string FilePictureCache::localPath(const std::string& source) {
    if (!startsWithIgnoringAsciiCase(source, "file://")) return {};
    std::string path = source.substr(7);
    // "file:///C:/x" names the drive after a third slash.
    if (path.size() >= 3 && path[0] == '/' && std::isalpha(static_cast<unsigned char>(path[1])) &&
        path[2] == ':')
        path.erase(0, 1);
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

MarkupPicture* FilePictureCache::picture(const std::string& source) {
    auto found = pictures_.find(source);
    if (found == pictures_.end()) {
        HBITMAP bitmap = nullptr;
        std::string path = localPath(source);
        if (!path.empty())
            bitmap = static_cast<HBITMAP>(
                LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        found = pictures_.emplace(source, std::make_unique<BitmapPicture>(bitmap)).first;
    }
    return found->second.get();
}

IconHandle ShellIcons::shellIcon(const std::string& pathOrIndex, bool large) {
    const UINT size = large ? SHGFI_LARGEICON : SHGFI_SMALLICON;
    auto index = parseInteger(pathOrIndex);
    if (index) {
        // A number picks that image of the system image list.
        SHFILEINFOA info{};
        auto list = reinterpret_cast<HIMAGELIST>(
            SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | size));
        if (!list || *index < 0 || *index >= ImageList_GetImageCount(list)) return 0;
        return reinterpret_cast<IconHandle>(ImageList_GetIcon(list, *index, ILD_NORMAL));
    }
    SHFILEINFOA info{};
    if (!SHGetFileInfoA(pathOrIndex.c_str(), 0, &info, sizeof info, SHGFI_ICON | size)) return 0;
    return reinterpret_cast<IconHandle>(info.hIcon);
}

void ShellIcons::releaseIcon(IconHandle icon) {
    // The engine hands back what shellIcon gave it: the owner takes it and lets it go.
    ScopedIcon handedBack(reinterpret_cast<HICON>(icon));
}

} // namespace remvana
