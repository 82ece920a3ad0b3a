// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "posix_open_file.h"

#include "posix_file_errors.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include <sys/stat.h>

namespace platform::posix {

FileStamp stampOf(const struct stat& status) {
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino),
            static_cast<std::uint64_t>(status.st_size),
            static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
}

PosixOpenFile::PosixOpenFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {
    struct stat status {};
    if (::fstat(fd_, &status) == 0) {
        size_ = static_cast<std::size_t>(status.st_size);
    }
}

PosixOpenFile::~PosixOpenFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::size_t PosixOpenFile::read(char* buffer, std::size_t capacity) {
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, capacity);
        if (n >= 0) {
            return static_cast<std::size_t>(n);
        }
        if (errno != EINTR) {
            failWith(errno, FileCall::Reading);
        }
    }
}

void PosixOpenFile::writeAt(std::uint64_t offset, std::string_view bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::pwrite(fd_, bytes.data() + written, bytes.size() - written,
                                   static_cast<off_t>(offset + written));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            failWith(errno, FileCall::Writing);
        }
        written += static_cast<std::size_t>(n);
    }
}

void PosixOpenFile::reserve(std::uint64_t size) {
    if (size == 0) {
        return;
    }
    const int result = ::posix_fallocate(fd_, 0, static_cast<off_t>(size));
    // File systems that cannot reserve space give no such promise; the write goes ahead there.
    if (result != 0 && result != EOPNOTSUPP && result != ENOSYS && result != EINVAL) {
        failWith(result, FileCall::Writing);
    }
}

void PosixOpenFile::truncate(std::uint64_t size) {
    if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) {
        failWith(errno, FileCall::Writing);
    }
}

void PosixOpenFile::flush() {
    if (::fsync(fd_) != 0) {
        failWith(errno, FileCall::Writing);
    }
}

FileStamp PosixOpenFile::stamp() {
    struct stat status {};
    if (::fstat(fd_, &status) != 0) {
        failWith(errno, FileCall::Reading);
    }
    return stampOf(status);
}

void PosixOpenFile::close() {
    const int fd = fd_;
    fd_ = -1;
    if (fd >= 0 && ::close(fd) != 0) {
        failWith(errno, FileCall::Writing);
    }
}

} // namespace platform::posix
