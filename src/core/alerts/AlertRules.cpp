// SPDX-License-Identifier: GPL-3.0-or-later
// AlertRules: which receptions alert the operator (a call to their own callsign, a station on
// the watch list) and how often, as pure functions of the header and the clock.
#include "alerts/AlertRules.h"

#include <algorithm>

namespace tamsel {

namespace {

bool callsignCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::string upper(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    });
    return out;
}

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

} // namespace

const char* alertSummaryText(AlertKind kind) {
    //: A notification's title; %1 is a call sign
    return kind == AlertKind::CallingYou ? QT_TRANSLATE_NOOP("Alerting", "%1 is calling you")
                                         //: A notification's title; %1 is a call sign
                                         : QT_TRANSLATE_NOOP("Alerting", "%1 heard");
}

std::string alertSummary(AlertKind kind, std::string_view caller) {
    std::string text = alertSummaryText(kind);
    return text.replace(text.find("%1"), 2, caller);
}

std::string baseCallsign(std::string_view field) {
    field = trimmed(field.substr(0, field.find('\0')));
    if (field.empty() || field.front() == '/') {
        return {};
    }
    field = field.substr(0, field.find(' ')); // the module letter goes
    // Of "DL/JA1XYZ/P" the longest part is the callsign.
    std::string_view best;
    while (!field.empty()) {
        const auto slash = field.find('/');
        const std::string_view part = field.substr(0, slash);
        if (part.size() > best.size()) {
            best = part;
        }
        field = slash == std::string_view::npos ? std::string_view{} : field.substr(slash + 1);
    }
    std::string call = upper(best);
    // A callsign has a digit; "CQCQCQ" and a bare command letter do not.
    const bool valid =
        std::all_of(call.begin(), call.end(), callsignCharacter) &&
        std::any_of(call.begin(), call.end(), [](char c) { return c >= '0' && c <= '9'; });
    return valid ? call : std::string{};
}

WatchList::WatchList(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        const std::string entry = upper(trimmed(std::string_view(line).substr(0, line.find('#'))));
        if (entry.empty()) {
            continue;
        }
        const bool prefix = entry.back() == '*';
        const std::string body = prefix ? entry.substr(0, entry.size() - 1) : entry;
        if (body.empty() || body.size() > 8 ||
            !std::all_of(body.begin(), body.end(), callsignCharacter)) {
            refused_.push_back(line);
            continue;
        }
        if (prefix) {
            longestPrefix_ = std::max(longestPrefix_, body.size());
            prefixes_.insert(body);
        } else {
            exact_.insert(body);
        }
    }
}

bool WatchList::matches(std::string_view baseCall) const {
    if (baseCall.empty()) {
        return false;
    }
    if (exact_.find(baseCall) != exact_.end()) {
        return true;
    }
    // Every prefix of the callsign is looked up once: at most eight look-ups.
    const std::size_t longest = std::min(longestPrefix_, baseCall.size());
    for (std::size_t n = 1; n <= longest; ++n) {
        if (prefixes_.find(baseCall.substr(0, n)) != prefixes_.end()) {
            return true;
        }
    }
    return false;
}

AlertRules::AlertRules(AlertSettings settings) {
    setSettings(std::move(settings));
}

void AlertRules::setSettings(AlertSettings settings) {
    settings_ = std::move(settings);
    watch_ = WatchList(settings_.watch);
}

std::optional<AlertKind> AlertRules::classify(std::string_view caller, std::string_view called,
                                              std::string_view myCall) const {
    const std::string from = baseCallsign(caller);
    if (from.empty()) {
        return std::nullopt;
    }
    const std::string me = baseCallsign(myCall);
    if (settings_.callsToMe && !me.empty() && baseCallsign(called) == me && from != me) {
        return AlertKind::CallingYou;
    }
    if (watch_.matches(from)) {
        return AlertKind::Watched;
    }
    return std::nullopt;
}

std::optional<Alert> AlertRules::decide(std::string_view caller, std::string_view called,
                                        std::string_view myCall, Clock::time_point now) {
    const std::optional<AlertKind> kind = classify(caller, called, myCall);
    if (!kind) {
        return std::nullopt;
    }
    Alert alert{*kind, baseCallsign(caller)};
    if (!settings_.everyReception) {
        // Quiet after an alert, except that a watched station calling you alerts again.
        const auto last = lastAlert_.find(alert.caller);
        if (last != lastAlert_.end() && now - last->second.at < settings_.quietTime &&
            (last->second.kind == AlertKind::CallingYou || alert.kind == AlertKind::Watched)) {
            return std::nullopt;
        }
    }
    lastAlert_[alert.caller] = {now, alert.kind};
    return alert;
}

} // namespace tamsel
