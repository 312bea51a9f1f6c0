// SPDX-License-Identifier: GPL-3.0-or-later
// Contrast: text colours that stay readable on the theme's background.
#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

namespace tamsel {

// The contrast ratio of two colours as WCAG defines it: 1 to 21.
double contrastRatio(const QColor& a, const QColor& b);

// `wanted`, made lighter or darker (its hue kept) until it reaches `target` against
// `background`; `wanted` itself when it already does.
QColor readableOn(const QColor& wanted, const QColor& background, double target = 4.5);

// A dark desktop theme like KDE's Breeze Dark: the dark palette the colours are checked in.
QPalette darkPalette();

// Paints `widget`'s text in `wanted`, made readable on the background role it is drawn on,
// in every colour group (a disabled field keeps its colour too).
void paintText(QWidget* widget, const QColor& wanted, QPalette::ColorRole background);

} // namespace tamsel
