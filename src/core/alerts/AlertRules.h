// SPDX-License-Identifier: GPL-3.0-or-later
// AlertRules: which receptions alert the operator (a call to their own callsign, a station on
// the watch list) and how often, as pure functions of the header and the clock.
#pragma once

#include "base/Translatable.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tamsel {

// The callsign a header field names, without padding, module letter or portable part:
// "JA1XYZ B" and "JA1XYZ/P" give "JA1XYZ", "DL/JA1XYZ" gives "JA1XYZ". A route to a repeater
// ("/JR1YB B") and a command ("       U") name no callsign and give "".
std::string baseCallsign(std::string_view field);

// Callsigns and prefixes to look out for, one a line: "JA1XYZ" matches that station only,
// "JA1*" every callsign that starts with JA1 (anchored at the start: "W1AW*" never matches
// "KW1AW"). Blank lines and text after '#' are ignored; entries are upper-cased. The cost of
// a match grows with the length of the callsign, not with the number of entries.
class WatchList {
public:
    WatchList() = default;
    explicit WatchList(const std::vector<std::string>& lines);

    // The lines that are not a callsign or a prefix (for the Preferences page to name).
    const std::vector<std::string>& refused() const { return refused_; }
    bool matches(std::string_view baseCall) const;
    bool empty() const { return exact_.empty() && prefixes_.empty(); }

private:
    // Looked up by string_view, without a copy of the callsign.
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };
    using Set = std::unordered_set<std::string, Hash, std::equal_to<>>;
    Set exact_;
    Set prefixes_;
    std::size_t longestPrefix_ = 0;
    std::vector<std::string> refused_;
};

struct AlertSettings {
    bool callsToMe = true;
    std::vector<std::string> watch; // one entry a line
    bool everyReception = false;    // else once per station within the quiet time
    std::chrono::minutes quietTime{10};
    bool sound = true;
};

enum class AlertKind { CallingYou, Watched };

// "%1 is calling you" or "%1 heard", in English (context "Alerting"); %1 is the caller.
const char* alertSummaryText(AlertKind kind);
// "JA1XYZ is calling you" or "JA1XYZ heard".
std::string alertSummary(AlertKind kind, std::string_view caller);

struct Alert {
    AlertKind kind;
    std::string caller; // base callsign
};

// Decides, when a header is complete, whether it alerts. Remembers when each station last
// alerted, for the quiet time.
class AlertRules {
public:
    using Clock = std::chrono::steady_clock;

    explicit AlertRules(AlertSettings settings = {});
    void setSettings(AlertSettings settings);
    const AlertSettings& settings() const { return settings_; }
    const WatchList& watchList() const { return watch_; }

    // `called` is the header's UR field, `myCall` the operator's own callsign field.
    std::optional<Alert> decide(std::string_view caller, std::string_view called,
                                std::string_view myCall, Clock::time_point now);
    // Whether a station is marked in the lists: it called you, or it is watched (no clock).
    std::optional<AlertKind> classify(std::string_view caller, std::string_view called,
                                      std::string_view myCall) const;

private:
    AlertSettings settings_;
    WatchList watch_;
    struct Last {
        Clock::time_point at;
        AlertKind kind;
    };
    std::unordered_map<std::string, Last> lastAlert_;
};

} // namespace tamsel
