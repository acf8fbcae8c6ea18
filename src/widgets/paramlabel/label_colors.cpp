#include "widgets/paramlabel/label_colors.h"

namespace remvana {

LabelColors labelColors(const LabelColors& own, bool highContrast) {
    auto pick = [highContrast](ColorRole role, Color color) {
        return contrastColor(highContrast, role, color);
    };
    return {pick(ColorRole::Window, own.background), pick(ColorRole::WindowText, own.text),
            pick(ColorRole::HotLight, own.param), pick(ColorRole::Highlight, own.hover),
            pick(ColorRole::HighlightText, own.hoverText)};
}

} // namespace remvana
