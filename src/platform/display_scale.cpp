#include "platform/display_scale.h"

#include <cstdint>
#include <limits>

namespace remvana {

int scaled(int px, int dpi) {
    return rescaled(px, kDesignDpi, dpi);
}

int rescaled(int px, int fromDpi, int toDpi) {
    if (fromDpi < 1) fromDpi = kDesignDpi;
    if (toDpi < 1) toDpi = kDesignDpi;
    const std::int64_t product = static_cast<std::int64_t>(px) * toDpi;
    const std::int64_t half = fromDpi / 2;
    const std::int64_t result =
        product >= 0 ? (product + half) / fromDpi : (product - half) / fromDpi;
    // Beyond int the figure is no layout any more; keep it at the largest one.
    if (result > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (result < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(result);
}

Rect scaledRect(const Rect& rect, int dpi) {
    const int left = scaled(rect.left, dpi);
    const int top = scaled(rect.top, dpi);
    return {left, top, left + scaled(rect.width(), dpi), top + scaled(rect.height(), dpi)};
}

Font scaledFont(const Font& font, int dpi) {
    Font result = font;
    result.height = scaled(font.height, dpi);
    return result;
}

} // namespace remvana
