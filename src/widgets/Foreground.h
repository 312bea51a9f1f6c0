// SPDX-License-Identifier: GPL-3.0-or-later
// Foreground: showing windows and bringing the program to the front.
#pragma once

class QWidget;

namespace tamsel {

// Remembers the program's most recently active window; installed once at start.
void trackActiveWindows();

// Shows a window without making it modal and brings it to the front.
void showWindow(QWidget* window);

// Brings the program's most recently active window to the foreground.
void bringProgramToFront();

} // namespace tamsel
