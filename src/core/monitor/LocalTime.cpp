// SPDX-License-Identifier: GPL-3.0-or-later
// LocalTime: the local date and time as the operator sees it.
#include "monitor/LocalTime.h"

#include <ctime>

namespace tamsel {

std::string localDateTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local);
    return text;
}

} // namespace tamsel
