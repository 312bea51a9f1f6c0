// SPDX-License-Identifier: GPL-3.0-or-later
// AppendFile: a file that only grows, one whole record per write, each on disk before the next.
#include "log/AppendFile.h"

#include "base/Folders.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tamsel {

std::string systemError(const std::filesystem::path& path) {
    return path.string() + ": " + std::strerror(errno);
}

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    struct stat sa {};
    struct stat sb {};
    if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0) {
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    }
    std::error_code ea;
    std::error_code eb;
    const auto ca = std::filesystem::weakly_canonical(std::filesystem::absolute(a), ea);
    const auto cb = std::filesystem::weakly_canonical(std::filesystem::absolute(b), eb);
    return !ea && !eb && ca == cb;
}

AppendFile::~AppendFile() {
    close();
}

void AppendFile::close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

std::string AppendFile::open(const std::filesystem::path& path) {
    close();
    path_ = path;
    const std::error_code ec = makeFolders(path.parent_path());
    if (ec) {
        return path.parent_path().string() + ": " + ec.message();
    }
    // Read and write: the last byte is read back to see whether the file ends mid-line.
    fd_ = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        return systemError(path);
    }
    return {};
}

bool AppendFile::isCurrent() const {
    struct stat open {};
    struct stat named {};
    return fd_ >= 0 && ::fstat(fd_, &open) == 0 && ::stat(path_.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

std::string AppendFile::append(std::string_view record, std::string_view header) {
    if (fd_ < 0) {
        return path_.string() + ": not open";
    }
    // Consoles writing the same file take turns, so that what one of them does after a
    // short write (cutting the file back) never touches a record of another.
    while (::flock(fd_, LOCK_EX) != 0) {
        if (errno != EINTR) {
            return systemError(path_);
        }
    }
    const Unlock unlock{fd_};
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        return systemError(path_);
    }
    std::string whole;
    if (st.st_size == 0) {
        whole = header;
    } else {
        // A record a crash cut short stays on a line of its own instead of swallowing this one.
        char last = '\n';
        if (::pread(fd_, &last, 1, st.st_size - 1) == 1 && last != '\n') {
            whole = "\r\n";
        }
    }
    whole += record;
    if (whileLocked) {
        whileLocked();
    }
    ssize_t written = -1;
    do {
        written = ::write(fd_, whole.data(), whole.size());
    } while (written < 0 && errno == EINTR);
    if (written != static_cast<ssize_t>(whole.size())) {
        if (written >= 0) {
            errno = ENOSPC; // a short write: the disk is full
        }
        std::string error = systemError(path_);
        // Taken back whole; should the cut fail, the next record still starts a line.
        if (written > 0) {
            (void)!::ftruncate(fd_, st.st_size);
        }
        return error;
    }
    if (::fdatasync(fd_) != 0) {
        return systemError(path_);
    }
    return {};
}

AppendFile::Unlock::~Unlock() {
    ::flock(fd, LOCK_UN);
}

} // namespace tamsel
