// SPDX-License-Identifier: GPL-3.0-or-later
// WholeFile: a file read whole, and a file written whole or not at all.
#pragma once

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstddef>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace tamsel {

// Reads the file at `path` whole into `into` (a std::string or any buffer of bytes with
// reserve, resize, capacity and data), read-only. 0 when read, else the system's error
// number, with `into` left empty.
template <typename Buffer> int readWhole(const char* path, Buffer& into) {
    into.clear();
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        into.reserve(static_cast<std::size_t>(st.st_size) + 1);
    }
    // Reads straight into the buffer; a file that grows meanwhile, or one of unknown size,
    // makes it grow.
    std::size_t used = 0;
    for (;;) {
        if (into.capacity() == used) {
            into.reserve(std::max<std::size_t>(2 * into.capacity(), 1 << 16));
        }
        into.resize(into.capacity());
        const ssize_t n = ::read(fd, into.data() + used, into.size() - used);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            into.clear();
            return error;
        }
        if (n == 0) {
            break;
        }
        used += static_cast<std::size_t>(n);
    }
    ::close(fd);
    into.resize(used);
    return 0;
}

// Where a write to `path` lands: a symbolic link is followed, so the link stays a link.
inline std::filesystem::path writeTarget(std::filesystem::path path) {
    std::error_code ec;
    for (int depth = 0; depth < 40 && std::filesystem::is_symlink(path, ec); ++depth) {
        const std::filesystem::path to = std::filesystem::read_symlink(path, ec);
        if (ec) {
            break;
        }
        path = to.is_absolute() ? to : path.parent_path() / to;
    }
    return path;
}

// Writes `data` to `path` by way of a hidden file beside it, renamed over it once all is on
// disk: a full disk or an unwritable folder leaves what was there as it was. A file replaced
// keeps its permissions, and one it may not write is not replaced; a new file gets the
// permissions the user's umask gives. 0 when written, else the system's error number.
inline int writeWhole(const std::filesystem::path& path, std::string_view data) {
    const std::filesystem::path target = writeTarget(path);
    struct stat existing {};
    const bool replaces = ::stat(target.c_str(), &existing) == 0;
    if (replaces && S_ISREG(existing.st_mode) && ::access(target.c_str(), W_OK) != 0) {
        return errno;
    }
    // A name of its own for each write (O_EXCL: never through a link someone put there), so
    // that two writers of one file never write into each other's half.
    static std::atomic<unsigned> writes{0};
    const std::string stem = "." + target.filename().string() + "." + std::to_string(::getpid()) +
                             "-" + std::to_string(writes++);
    const std::filesystem::path temporary = target.parent_path() / (stem + ".partial");
    const int fd =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replaces ? 0600 : 0666);
    if (fd < 0) {
        return errno;
    }
    int error = 0;
    if (replaces && S_ISREG(existing.st_mode) && ::fchmod(fd, existing.st_mode & 0777) != 0) {
        error = errno;
    }
    for (std::size_t done = 0; done < data.size() && error == 0;) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno != EINTR) {
            error = errno;
        } else if (n > 0) {
            done += static_cast<std::size_t>(n);
        }
    }
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
    }
    return error;
}

} // namespace tamsel
