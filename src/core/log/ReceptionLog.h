// SPDX-License-Identifier: GPL-3.0-or-later
// ReceptionLog: every reception as one CSV line in a file per UTC day, kept for a number of days.
#pragma once

#include "log/AppendFile.h"
#include "log/Csv.h"
#include "log/Formats.h"
#include "monitor/ReceptionMachine.h"

#include <atomic>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tamsel {

// The header line of each day's file (RFC 4180: comma-separated, CRLF, UTF-8).
extern const char* const kReceptionCsvHeader;

// The CSV line (CRLF included) of a finished reception.
std::string receptionCsvLine(const StationReport& end);
// The receptions of one file's text, in order; a line that is not a reception (the
// header, a line a power loss cut short) is passed over.
std::vector<StationReport> parseReceptionCsv(std::string_view text);

// "receptions-2026-12-08.csv": the file of the UTC day of `t`.
std::string receptionFileName(UtcTime t);

// Whether `path` names a day file of the reception log in `folder`: one there (or to be made
// there, by its name), or the same file by another name (a link).
bool isReceptionFile(const std::filesystem::path& path, const std::filesystem::path& folder);

// Removes the day files under `folder` whose UTC day ended more than `days` days before
// `now`; returns what it removed. Other files stay.
std::vector<std::filesystem::path> removeExpiredReceptionFiles(const std::filesystem::path& folder,
                                                               UtcTime now, int days);

// The receptions that started in the `hours` before `now`, oldest first, each an End
// report with its local time filled in.
std::vector<StationReport> readRecentReceptions(const std::filesystem::path& folder, UtcTime now,
                                                std::chrono::hours hours = std::chrono::hours(24));

// What a list of heard stations learns from a logged reception, in the order the monitor
// would have reported it live: Heard, the message, each position, the end.
std::vector<StationReport> liveReports(const StationReport& end);

// The reception log of a folder: appends each finished reception to its day's file, while
// it is switched on, and removes the day files past the retention when a new day starts.
// append() runs on the monitor's thread; the switch and the retention may be changed from
// any thread and apply to the next reception.
class ReceptionLog {
public:
    // What the operator is to be told after an append: writing failed (the first failure
    // after the log last worked), or it works again.
    struct News {
        bool failed = false;
        std::string reason; // for a failure: "path: why"
    };

    explicit ReceptionLog(std::filesystem::path folder, int retentionDays = 90)
        : folder_(std::move(folder)), retentionDays_(retentionDays) {}

    std::optional<News> append(const StationReport& end);
    void setEnabled(bool on) { enabled_ = on; }
    bool enabled() const { return enabled_; }
    void setRetentionDays(int days) { retentionDays_ = days; }
    const std::filesystem::path& folder() const { return folder_; }

private:
    std::string write(const StationReport& end);

    std::filesystem::path folder_;
    std::atomic<bool> enabled_ = true;
    std::atomic<int> retentionDays_;
    AppendFile file_;
    std::string day_; // the name of the open file
    bool failing_ = false;
};

} // namespace tamsel
