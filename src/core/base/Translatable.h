// SPDX-License-Identifier: GPL-3.0-or-later
// Translatable: marks a text of the logic for translation where no Qt header is included.
#pragma once

// The same macro as Qt's own (lupdate finds the texts it marks); the window that shows such a
// text translates it with QCoreApplication::translate(scope, text).
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif
