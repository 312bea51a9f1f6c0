// SPDX-License-Identifier: GPL-3.0-or-later
// Alert: a refusal said to a screen reader at once, not only shown.
#pragma once

class QWidget;

namespace tamsel {

// Raises an accessible alert for `note`, whose text (just shown) is the refusal: screen
// readers read it out, although the keyboard is elsewhere.
void raiseAlert(QWidget* note);

} // namespace tamsel
