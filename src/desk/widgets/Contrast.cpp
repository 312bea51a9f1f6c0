// SPDX-License-Identifier: GPL-3.0-or-later
// Contrast: text colours that stay readable on the theme's background.
#include "widgets/Contrast.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

namespace tamsel {

namespace {

double luminance(const QColor& c) {
    auto channel = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = c.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) +
           0.0722 * channel(rgb.blueF());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& wanted, const QColor& background, double target) {
    if (contrastRatio(wanted, background) >= target) {
        return wanted;
    }
    // Towards white on a dark background, towards black on a light one, in small steps of
    // lightness, so the colour keeps its hue and its meaning.
    const bool darkBackground = luminance(background) < 0.18;
    const QColor hsl = wanted.toHsl();
    float h = 0, s = 0, l = 0, a = 0;
    hsl.getHslF(&h, &s, &l, &a);
    for (int step = 0; step < 100; ++step) {
        l = std::clamp(l + (darkBackground ? 0.01F : -0.01F), 0.0F, 1.0F);
        const QColor candidate = QColor::fromHslF(h, s, l, a);
        if (contrastRatio(candidate, background) >= target) {
            return candidate.toRgb();
        }
    }
    return darkBackground ? QColor(Qt::white) : QColor(Qt::black);
}

QPalette darkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2a, 0x2e, 0x32));
    dark.setColor(QPalette::WindowText, QColor(0xfc, 0xfc, 0xfc));
    dark.setColor(QPalette::Base, QColor(0x1b, 0x1e, 0x20));
    dark.setColor(QPalette::Text, QColor(0xfc, 0xfc, 0xfc));
    dark.setColor(QPalette::Button, QColor(0x31, 0x36, 0x3b));
    dark.setColor(QPalette::ButtonText, QColor(0xfc, 0xfc, 0xfc));
    dark.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
    return dark;
}

void paintText(QWidget* widget, const QColor& wanted, QPalette::ColorRole background) {
    QPalette p = widget->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QColor text = readableOn(wanted, p.color(group, background));
        p.setColor(group, QPalette::Text, text);
        p.setColor(group, QPalette::WindowText, text);
        p.setColor(group, QPalette::ButtonText, text);
    }
    widget->setPalette(p);
}

} // namespace tamsel
