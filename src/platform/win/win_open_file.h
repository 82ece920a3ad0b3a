// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/text_files.h"

#include <string>
#include <windows.h>

namespace platform::win {

// A file open on a handle, which it closes.
class WinOpenFile : public OpenFile {
public:
    WinOpenFile(HANDLE handle, std::string path);
    ~WinOpenFile() override;
    WinOpenFile(const WinOpenFile&) = delete;
    WinOpenFile& operator=(const WinOpenFile&) = delete;

    const std::string& path() const override { return path_; }
    std::size_t size() override { return size_; }
    std::size_t read(char* buffer, std::size_t capacity) override;
    void writeAt(std::uint64_t offset, std::string_view bytes) override;
    void reserve(std::uint64_t size) override;
    void truncate(std::uint64_t size) override;
    void flush() override;
    FileStamp stamp() override;
    void close() override;

    HANDLE handle() const { return handle_; }

private:
    HANDLE handle_;
    std::string path_;
    std::size_t size_ = 0;
};

// What identifies the state of the file open on handle.
bool stampOfHandle(HANDLE handle, FileStamp& stamp, std::uint64_t& links);

} // namespace platform::win
