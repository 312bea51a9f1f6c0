// SPDX-License-Identifier: GPL-3.0-or-later
// Foreground: showing windows and bringing the program to the front.
#pragma once

class QWidget;

namespace tamsel {

// Remembers the program's most recently active window; installed once at start.
void trackActiveWindows();

// Shows a window without making it modal, brings it to the front and gives it the
// keyboard; it counts as the most recently active window from then on.
void showWindow(QWidget* window);

// The rule of the pointer entering a window: a moment later (the time an activation the
// pointer came with takes to arrive), brings the program's most recently active window to
// the foreground; it takes the keyboard focus only when the program already has it. A
// window of ours activated meanwhile, by the operator or by showWindow(), keeps it.
void bringProgramToFront();
// How long bringProgramToFront() waits for such an activation.
inline constexpr int kPointerSettleMs = 250;
// Whether the program has the keyboard focus (another program's window is not active).
bool programHasFocus();
// What bringProgramToFront asks; programHasFocus unless a test says otherwise.
extern bool (*applicationHasFocus)();

// Escape closes (hides) `window`, as its close button does.
void closeOnEscape(QWidget* window);

// The first time it is shown, `window` goes beside `anchor` as placeBeside() of Placement.h
// has it: wholly on the screen, made smaller where the screen is smaller, and clear of the
// window keepUncovered() names where the screen has room.
void placeBeside(QWidget* window, const QWidget* anchor);
// The program's main window, which windows opened beside others keep clear of.
void keepUncovered(const QWidget* window);

} // namespace tamsel
