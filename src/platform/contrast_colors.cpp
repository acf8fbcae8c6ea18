#include "platform/contrast_colors.h"

namespace remvana {

namespace {

int systemIndexOf(ColorRole role) {
    switch (role) {
    case ColorRole::Window:
        return kColorWindow;
    case ColorRole::WindowText:
        return kColorWindowText;
    case ColorRole::Highlight:
        return kColorHighlight;
    case ColorRole::HighlightText:
        return kColorHighlightText;
    case ColorRole::HotLight:
        return kColorHotLight;
    case ColorRole::ButtonFace:
        return kColorBtnFace;
    case ColorRole::ButtonText:
        return kColorBtnText;
    case ColorRole::GrayText:
        return kColorGrayText;
    }
    return kColorWindowText;
}

} // namespace

Color contrastColor(bool highContrast, ColorRole role, Color own) {
    return highContrast ? systemColor(systemIndexOf(role)) : own;
}

} // namespace remvana
