// SPDX-License-Identifier: GPL-3.0-or-later
// LocalTime: the local date and time as the operator sees it.
#pragma once

#include <string>

namespace tamsel {

// The local date and time as the operator sees it: "yyyy/mm/dd hh:nn:ss".
std::string localDateTime();

} // namespace tamsel
