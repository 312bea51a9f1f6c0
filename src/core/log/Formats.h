// SPDX-License-Identifier: GPL-3.0-or-later
// Formats: the small text conversions the logs share (Latin-1 to UTF-8, UTC dates, trimming).
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tamsel {

using UtcTime = std::chrono::system_clock::time_point;

// Received callsigns and messages are 8-bit Latin-1; the logs hold UTF-8.
std::string latin1ToUtf8(std::string_view latin1);
// Back to Latin-1; a character beyond it becomes '?'. Invalid UTF-8 bytes are taken as Latin-1.
std::string utf8ToLatin1(std::string_view utf8);
bool isAscii(std::string_view text);
std::string trimmed(std::string_view text); // without leading and trailing blanks

// The forms a UTC instant is written in.
enum class UtcForm {
    Iso,       // 2026-12-08T09:27:41Z
    Day,       // 2026-12-08
    AdifDate,  // 20261208
    AdifTime,  // 092741
    AdifStamp, // 20261208 092741
};
std::string utcText(UtcTime t, UtcForm form);
// The local date and time as the reception fields show it: "yyyy/mm/dd hh:nn:ss".
std::string localText(UtcTime t);
// That form back to the instant; nothing if it is not that form or no such local time. In
// the hour that comes twice when daylight saving time ends it is one of the two.
std::optional<UtcTime> parseLocalText(std::string_view text);
// "2026-12-08T09:27:41Z" back to the instant; nothing if it is not that form or names no
// real time (month 13, hour 99).
std::optional<UtcTime> parseUtcIso(std::string_view text);

// $XDG_DATA_HOME/tamsel, or ~/.local/share/tamsel when it is unset or not absolute (the
// folder name as folderName() says).
std::filesystem::path dataFolder();

} // namespace tamsel
