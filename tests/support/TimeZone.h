// SPDX-License-Identifier: GPL-3.0-or-later
// TimeZone: runs a test in a given local time zone and puts the old one back afterwards.
#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace tamsel::test {

class TimeZone {
public:
    explicit TimeZone(const char* zone) {
        if (const char* was = std::getenv("TZ")) {
            was_ = was;
        }
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TimeZone() {
        if (was_) {
            setenv("TZ", was_->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    TimeZone(const TimeZone&) = delete;
    TimeZone& operator=(const TimeZone&) = delete;

private:
    std::optional<std::string> was_;
};

} // namespace tamsel::test
