// SPDX-License-Identifier: GPL-3.0-or-later
// AppendFile: a file that only grows, one whole record per write, each on disk before the next.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace tamsel {

// A file opened for appending only. Each append is one write() of the whole record
// followed by fdatasync(), so a crash or a power loss keeps every record before it whole.
// A write the disk cut short is taken back (the file is cut to its size before it), so a
// full disk never leaves half a record for the next one to run into. Appends hold an
// exclusive flock(), so two consoles writing one file never cut each other's records.
class AppendFile {
public:
    AppendFile() = default;
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // Opens (creating it and its folder if needed) `path`; an empty text on success,
    // otherwise the reason.
    std::string open(const std::filesystem::path& path);
    // Appends `record` whole and flushes it to the disk; an empty text on success.
    // `header` goes in front of it when the file is empty.
    std::string append(std::string_view record, std::string_view header = {});
    void close();
    bool isOpen() const { return fd_ >= 0; }
    // Open, and still the file its path names: not removed, renamed away or replaced by a
    // new file (a save over it) since it was opened. Otherwise it is to be opened again.
    bool isCurrent() const;
    const std::filesystem::path& path() const { return path_; }

    // Runs while an append holds the lock, just before it writes (for tests).
    std::function<void()> whileLocked;

private:
    struct Unlock {
        int fd;
        ~Unlock();
    };

    int fd_ = -1;
    std::filesystem::path path_;
};

// Whether two paths name one file: the same device and inode when both exist (so also
// through a symbolic or a hard link), else the same path once links and dots are resolved.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// "path: reason" for the last system error.
std::string systemError(const std::filesystem::path& path);

} // namespace tamsel
