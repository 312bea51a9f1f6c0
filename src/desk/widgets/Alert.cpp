// SPDX-License-Identifier: GPL-3.0-or-later
// Alert: a refusal said to a screen reader at once, not only shown.
#include "widgets/Alert.h"

#include <QAccessible>
#include <QWidget>

namespace tamsel {

void raiseAlert(QWidget* note) {
    QAccessibleEvent alert(note, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

} // namespace tamsel
