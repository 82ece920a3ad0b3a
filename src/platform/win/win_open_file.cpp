// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_open_file.h"

#include "win_error.h"

#include <algorithm>

namespace platform::win {

namespace {

void setEnd(HANDLE handle, std::uint64_t size) {
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(size);
    if (!SetFilePointerEx(handle, end, nullptr, FILE_BEGIN) || !SetEndOfFile(handle)) {
        failWith(GetLastError(), FileCall::Writing);
    }
}

} // namespace

bool stampOfHandle(HANDLE handle, FileStamp& stamp, std::uint64_t& links) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(handle, &information)) {
        return false;
    }
    const auto join = [](DWORD high, DWORD low) {
        return (static_cast<std::uint64_t>(high) << 32) | low;
    };
    stamp.device = information.dwVolumeSerialNumber;
    stamp.file = join(information.nFileIndexHigh, information.nFileIndexLow);
    stamp.size = join(information.nFileSizeHigh, information.nFileSizeLow);
    stamp.modified = static_cast<std::int64_t>(join(information.ftLastWriteTime.dwHighDateTime,
                                                    information.ftLastWriteTime.dwLowDateTime));
    links = information.nNumberOfLinks;
    return true;
}

WinOpenFile::WinOpenFile(HANDLE handle, std::string path)
    : handle_(handle), path_(std::move(path)) {
    LARGE_INTEGER size{};
    if (GetFileSizeEx(handle_, &size)) {
        size_ = static_cast<std::size_t>(size.QuadPart);
    }
}

WinOpenFile::~WinOpenFile() {
    if (handle_ != INVALID_HANDLE_VALUE) {
        CloseHandle(handle_);
    }
}

std::size_t WinOpenFile::read(char* buffer, std::size_t capacity) {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(capacity, 1u << 30));
    DWORD count = 0;
    if (!ReadFile(handle_, buffer, wanted, &count, nullptr)) {
        failWith(GetLastError(), FileCall::Reading);
    }
    return count;
}

void WinOpenFile::writeAt(std::uint64_t offset, std::string_view bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 20));
        const std::uint64_t at = offset + written;
        OVERLAPPED position{};
        position.Offset = static_cast<DWORD>(at);
        position.OffsetHigh = static_cast<DWORD>(at >> 32);
        DWORD done = 0;
        if (!WriteFile(handle_, bytes.data() + written, chunk, &done, &position)) {
            failWith(GetLastError(), FileCall::Writing);
        }
        written += done;
    }
}

void WinOpenFile::reserve(std::uint64_t size) {
    // Claimed by lengthening the file: a full disk fails here, before any byte is written.
    LARGE_INTEGER current{};
    if (!GetFileSizeEx(handle_, &current)) {
        failWith(GetLastError(), FileCall::Writing);
    }
    if (size > static_cast<std::uint64_t>(current.QuadPart)) {
        setEnd(handle_, size);
    }
}

void WinOpenFile::truncate(std::uint64_t size) {
    setEnd(handle_, size);
}

void WinOpenFile::flush() {
    if (!FlushFileBuffers(handle_)) {
        failWith(GetLastError(), FileCall::Writing);
    }
}

FileStamp WinOpenFile::stamp() {
    FileStamp stamp;
    std::uint64_t links = 0;
    if (!stampOfHandle(handle_, stamp, links)) {
        failWith(GetLastError(), FileCall::Reading);
    }
    return stamp;
}

void WinOpenFile::close() {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (handle != INVALID_HANDLE_VALUE && !CloseHandle(handle)) {
        failWith(GetLastError(), FileCall::Writing);
    }
}

} // namespace platform::win
