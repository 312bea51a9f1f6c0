// SPDX-License-Identifier: GPL-3.0-or-later
// PageTexts: every text the station's page shows, in English; the page asks for them in its
// language (context "Web").
#pragma once

#include <span>

namespace tamsel {

std::span<const char* const> pageTexts();

} // namespace tamsel
