#include "app/paint_rules.h"

#include "app/layout.h"

namespace remvana {

namespace {
int between(int a, int b, int step, int steps) {
    return steps <= 1 ? a : a + (b - a) * step / (steps - 1);
}

// One band of the colour as it is: a system colour stays one, resolved when drawn.
std::vector<ColorBand> plainFace(const Rect& rect, Color color) {
    if (rect.empty()) return {};
    return {{rect, color}};
}
} // namespace

std::vector<ColorBand> verticalGradient(const Rect& rect, Color from, Color to, int steps) {
    std::vector<ColorBand> bands;
    const int height = rect.height();
    if (height <= 0 || rect.width() <= 0 || steps <= 0) return bands;
    for (int i = 0; i < steps; ++i) {
        const int top = rect.top + height * i / steps;
        const int bottom = rect.top + height * (i + 1) / steps;
        if (bottom <= top) continue;
        const Color color = rgb(between(redOf(from), redOf(to), i, steps),
                                between(greenOf(from), greenOf(to), i, steps),
                                between(blueOf(from), blueOf(to), i, steps));
        bands.push_back({{rect.left, top, rect.right, bottom}, color});
    }
    return bands;
}

std::vector<ColorBand> twoHalfGradient(const Rect& rect, Color color, Color colorTo, Color mirror,
                                       Color mirrorTo, int steps) {
    const int middle = rect.top + rect.height() / 2;
    auto bands = verticalGradient({rect.left, rect.top, rect.right, middle}, color, colorTo, steps);
    auto lower =
        verticalGradient({rect.left, middle, rect.right, rect.bottom}, mirror, mirrorTo, steps);
    bands.insert(bands.end(), lower.begin(), lower.end());
    return bands;
}

std::vector<ColorBand> panelBody(const Rect& rect, bool highContrast) {
    using namespace layout;
    if (highContrast) return plainFace(rect, contrastColor(true, ColorRole::Window, 0));
    return twoHalfGradient(rect, kPanelColor, kPanelColorTo, kPanelMirror, kPanelMirrorTo,
                           kPanelGradientSteps);
}

std::vector<ColorBand> statusPanelFace(const Rect& rect, bool highContrast) {
    using namespace layout;
    if (highContrast) return plainFace(rect, contrastColor(true, ColorRole::ButtonFace, 0));
    return twoHalfGradient(rect, kStatusLightColor, kStatusLightColorTo, kStatusLightMirror,
                           kStatusLightMirrorTo, kPanelGradientSteps);
}

StatusBarLook statusBarLook(bool highContrast) {
    return {contrastColor(highContrast, ColorRole::ButtonText, layout::kStatusBarBorder),
            contrastColor(highContrast, ColorRole::ButtonText, layout::kStatusTextColor)};
}

ToolButtonLook toolButtonLook(bool enabled, bool hot, bool pressed, bool highContrast) {
    if (highContrast) {
        const bool lit = enabled && (hot || pressed);
        const Color face =
            contrastColor(true, lit ? ColorRole::Highlight : ColorRole::ButtonFace, 0);
        const Color text = contrastColor(true,
                                         !enabled ? ColorRole::GrayText
                                         : lit    ? ColorRole::HighlightText
                                                  : ColorRole::ButtonText,
                                         0);
        return {face, face, 1, contrastColor(true, ColorRole::ButtonText, 0), false, text};
    }
    constexpr Color white = rgb(255, 255, 255);
    ToolButtonLook look{white, white, 1, rgb(0, 0, 0), !enabled, layout::kButtonCaptionColor};
    if (!enabled) return look;
    if (pressed) {
        look.border = layout::kButtonHotBorder;
    } else if (hot) {
        look.faceTo = layout::kButtonHotBottom;
        look.faceBands = layout::kButtonHotBands;
        look.border = layout::kButtonHotBorder;
    }
    return look;
}

std::vector<ColorBand> toolButtonFace(const Rect& rect, const ToolButtonLook& look) {
    if (look.faceFrom == look.faceTo) return plainFace(rect, look.faceFrom);
    return verticalGradient(rect, look.faceFrom, look.faceTo, look.faceBands);
}

} // namespace remvana
