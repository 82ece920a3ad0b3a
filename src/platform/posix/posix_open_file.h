// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/text_files.h"

#include <string>

#include <sys/stat.h>

namespace platform::posix {

// A file open on a descriptor, which it closes.
class PosixOpenFile : public OpenFile {
public:
    PosixOpenFile(int fd, std::string path);
    ~PosixOpenFile() override;
    PosixOpenFile(const PosixOpenFile&) = delete;
    PosixOpenFile& operator=(const PosixOpenFile&) = delete;

    const std::string& path() const override { return path_; }
    std::size_t size() override { return size_; }
    std::size_t read(char* buffer, std::size_t capacity) override;
    void writeAt(std::uint64_t offset, std::string_view bytes) override;
    void reserve(std::uint64_t size) override;
    void truncate(std::uint64_t size) override;
    void flush() override;
    FileStamp stamp() override;
    void close() override;

    int descriptor() const { return fd_; }

private:
    int fd_;
    std::string path_;
    std::size_t size_ = 0;
};

// The stamp of a file's status.
FileStamp stampOf(const struct stat& status);

} // namespace platform::posix
