// SPDX-License-Identifier: GPL-3.0-or-later
// PageTexts: the page's texts, translated in context "Web".
#include "PageTexts.h"

#include <QtGlobal>

namespace tamsel {

namespace {
const char* const kPageTexts[] = {
    QT_TRANSLATE_NOOP("Web", "Sign in"),
};
} // namespace

std::span<const char* const> pageTexts() {
    return kPageTexts;
}

} // namespace tamsel
