#pragma once

class QWidget;

namespace tamsel {

// Remembers the program's most recently active window; installed once at start.
void trackActiveWindows();

// Brings the program's most recently active window to the foreground.
void bringProgramToFront();

} // namespace tamsel
