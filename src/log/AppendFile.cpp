// SPDX-License-Identifier: GPL-3.0-or-later
// AppendFile: a file that only grows, one whole record per write, each on disk before the next.
#include "log/AppendFile.h"

#include "base/Folders.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tamsel {

std::string systemError(const std::filesystem::path& path) {
    return path.string() + ": " + std::strerror(errno);
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

std::string AppendFile::open(const std::filesystem::path& path, bool& created) {
    close();
    path_ = path;
    const std::error_code ec = makeFolders(path.parent_path());
    if (ec) {
        return path.parent_path().string() + ": " + ec.message();
    }
    fd_ = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        return systemError(path);
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        std::string error = systemError(path);
        close();
        return error;
    }
    created = st.st_size == 0;
    endsMidLine_ = false;
    if (!created) {
        // A record a crash cut short stays on a line of its own instead of swallowing the next.
        const int reader = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        char last = '\n';
        if (reader >= 0) {
            if (::pread(reader, &last, 1, st.st_size - 1) == 1) {
                endsMidLine_ = last != '\n';
            }
            ::close(reader);
        }
    }
    return {};
}

bool AppendFile::isCurrent() const {
    struct stat open {};
    struct stat named {};
    return fd_ >= 0 && ::fstat(fd_, &open) == 0 && ::stat(path_.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

std::string AppendFile::append(std::string_view record) {
    if (fd_ < 0) {
        return path_.string() + ": not open";
    }
    std::string joined;
    if (endsMidLine_) {
        joined = "\r\n";
        joined += record;
        record = joined;
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        return systemError(path_);
    }
    ssize_t written = -1;
    do {
        written = ::write(fd_, record.data(), record.size());
    } while (written < 0 && errno == EINTR);
    if (written != static_cast<ssize_t>(record.size())) {
        if (written >= 0) {
            errno = ENOSPC; // a short write: the disk is full
        }
        std::string error = systemError(path_);
        if (written > 0 && ::ftruncate(fd_, st.st_size) != 0) {
            // The cut failed too: the next record starts on a line of its own.
            endsMidLine_ = true;
        }
        return error;
    }
    endsMidLine_ = false;
    if (::fdatasync(fd_) != 0) {
        return systemError(path_);
    }
    return {};
}

} // namespace tamsel
