// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_private_files.h"

#include "platform/error.h"
#include "platform/win/wide_text.h"
#include "platform/win/win_error.h"
#include "win_api.h"

#include <bcrypt.h>

namespace platform::win {

namespace {

[[noreturn]] void fail(const std::string& what, DWORD error) {
    throw RuntimeError(ErrorNumber::PathFileAccess, what + "：" + systemMessage(error));
}

// A real folder, not a link to one somewhere else.
void checkFolder(const std::wstring& folder, const std::string& name) {
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        throw RuntimeError(ErrorNumber::PathFileAccess, "“" + name + "”不是本用户的文件夹");
    }
}

} // namespace

void WinPrivateFiles::preparePrivateFolder(const std::string& folder) {
    const std::wstring wide = wideText(folder);
    if (!CreateDirectoryW(wide.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        fail("无法创建文件夹“" + folder + "”", GetLastError());
    }
    checkFolder(wide, folder);
}

void WinPrivateFiles::createPrivateFile(const std::string& path, const std::string& bytes) {
    const HANDLE file = CreateFileW(wideText(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        fail("无法创建文件“" + path + "”", GetLastError());
    }
    DWORD written = 0;
    const BOOL wrote =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!wrote || written != bytes.size()) {
        DeleteFileW(wideText(path).c_str());
        fail("无法写入文件“" + path + "”", error);
    }
}

void WinPrivateFiles::remove(const std::string& path) {
    DeleteFileW(wideText(path).c_str());
}

std::string WinPrivateFiles::randomBytes(std::size_t count) {
    std::string bytes(count, '\0');
    if (!BCRYPT_SUCCESS(BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(bytes.data()),
                                        static_cast<ULONG>(count),
                                        BCRYPT_USE_SYSTEM_PREFERRED_RNG))) {
        throw RuntimeError(ErrorNumber::DeviceIO, "无法取得随机数");
    }
    return bytes;
}

} // namespace platform::win
