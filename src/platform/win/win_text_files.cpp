// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_text_files.h"

#include "wide_text.h"
#include "win_error.h"
#include "win_open_file.h"

#include <windows.h>

namespace platform::win {

namespace {

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// What a new file takes over of the old one; ReplaceFileW carries them over too, but not every
// system's does.
constexpr DWORD KeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                 FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

HANDLE handleOf(OpenFile& file) {
    return static_cast<WinOpenFile&>(file).handle();
}

// A new, empty file of a name of its own in folder: a new file's or an old one's backup.
std::wstring newFileIn(const std::string& folder) {
    wchar_t name[MAX_PATH + 1];
    if (GetTempFileNameW(wideText(folder).c_str(), L"mor", 0, name) == 0) {
        failWith(GetLastError(), FileCall::Writing);
    }
    return name;
}

// Opens a regular disk file; a folder, a device or a pipe is refused.
std::unique_ptr<OpenFile> openRegular(const std::string& path, DWORD access, DWORD share,
                                      FileCall call) {
    const std::wstring name = wideText(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        throw FileError(FileFault::IsFolder, {});
    }
    const HANDLE handle = CreateFileW(name.c_str(), access, share, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        failWith(GetLastError(), call);
    }
    auto file = std::make_unique<WinOpenFile>(handle, path);
    // A console, a printer port or a pipe may never end.
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        throw FileError(FileFault::NotRegular, {});
    }
    return file;
}

} // namespace

std::unique_ptr<OpenFile> WinTextFiles::openForReading(const std::string& path) {
    return openRegular(path, GENERIC_READ, ShareAll, FileCall::Reading);
}

std::unique_ptr<OpenFile> WinTextFiles::openForWriting(const std::string& path) {
    return openRegular(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, FileCall::Writing);
}

FileStatus WinTextFiles::status(const std::string& path) {
    const std::wstring name = wideText(path);
    const HANDLE handle = CreateFileW(name.c_str(), 0, ShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // Also a missing folder: a new file there fails when it is made.
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return {};
        }
        failWith(error, FileCall::LookingUp);
    }
    FileStatus result;
    const bool disk = GetFileType(handle) == FILE_TYPE_DISK;
    const bool known = disk && stampOfHandle(handle, result.stamp, result.links);
    CloseHandle(handle);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (!known || attributes == INVALID_FILE_ATTRIBUTES) {
        // A device such as CON or NUL is no file to replace.
        result.kind = FileStatus::Kind::Other;
        return result;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        result.kind = FileStatus::Kind::Folder;
        return result;
    }
    result.kind = FileStatus::Kind::Regular;
    result.readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    // Another program that holds the file without letting others write refuses the save.
    const HANDLE probe = CreateFileW(name.c_str(), GENERIC_WRITE, ShareAll, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe == INVALID_HANDLE_VALUE) {
        result.writeRefused = faultOf(GetLastError(), FileCall::Writing);
    } else {
        CloseHandle(probe);
    }
    return result;
}

std::string WinTextFiles::folderOf(const std::string& path) {
    const auto separator = path.find_last_of("\\/");
    if (separator == std::string::npos) {
        return ".";
    }
    // "C:\name" lies in "C:\", not in "C:" (the drive's current directory).
    if (separator == 2 && path[1] == ':') {
        return path.substr(0, 3);
    }
    return separator == 0 ? path.substr(0, 1) : path.substr(0, separator);
}

std::string WinTextFiles::inFolder(const std::string& folder, const std::string& name) {
    return folder.ends_with('\\') || folder.ends_with('/') ? folder + name : folder + "\\" + name;
}

std::unique_ptr<OpenFile> WinTextFiles::createBeside(const std::string& target) {
    const std::wstring name = newFileIn(folderOf(target));
    const HANDLE handle = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        DeleteFileW(name.c_str());
        failWith(error, FileCall::Writing);
    }
    return std::make_unique<WinOpenFile>(handle, utf8Text(name));
}

bool WinTextFiles::takeOverAttributes(const std::string& from, OpenFile& to) {
    const DWORD attributes = GetFileAttributesW(wideText(from).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    if ((attributes & KeptAttributes) == 0) {
        return true;
    }
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = attributes & KeptAttributes;
    return SetFileInformationByHandle(handleOf(to), FileBasicInfo, &basic, sizeof basic) != FALSE;
}

void WinTextFiles::replace(const std::string& fresh, const std::string& target) {
    const std::wstring freshName = wideText(fresh);
    const std::wstring targetName = wideText(target);
    if (GetFileAttributesW(targetName.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (!MoveFileExW(freshName.c_str(), targetName.c_str(), MOVEFILE_WRITE_THROUGH)) {
            failWith(GetLastError(), FileCall::Writing);
        }
        return;
    }
    // With a backup name every failure of ReplaceFileW leaves the old content under one of the
    // two names; without one, a failed rename can leave it under neither.
    const std::wstring backup = newFileIn(folderOf(target));
    if (ReplaceFileW(targetName.c_str(), freshName.c_str(), backup.c_str(),
                     REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        DeleteFileW(backup.c_str());
        return;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        // The old file went to the backup name and the new one could not follow it.
        MoveFileExW(backup.c_str(), targetName.c_str(), MOVEFILE_REPLACE_EXISTING);
    } else {
        DeleteFileW(backup.c_str());
    }
    failWith(error, FileCall::Writing);
}

void WinTextFiles::remove(const std::string& path) {
    if (!DeleteFileW(wideText(path).c_str())) {
        failWith(GetLastError(), FileCall::Writing);
    }
}

std::unique_ptr<OpenFile> WinTextFiles::createExclusive(const std::string& path) {
    // Others may read it, but none may open it without letting this handle write: inUse.
    const HANDLE handle =
        CreateFileW(wideText(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        failWith(GetLastError(), FileCall::Writing);
    }
    return std::make_unique<WinOpenFile>(handle, path);
}

bool WinTextFiles::inUse(const std::string& path) {
    const HANDLE handle = CreateFileW(wideText(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_SHARING_VIOLATION;
    }
    CloseHandle(handle);
    return false;
}

void WinTextFiles::makePrivateFolder(const std::string& folder) {
    const std::wstring path = wideText(folder);
    // Each missing folder from the top down; the drive or share at the start is left alone.
    for (std::size_t end = path.find(L'\\', path.starts_with(L"\\\\") ? 2 : 0);;
         end = path.find(L'\\', end + 1)) {
        const std::wstring part = path.substr(0, end);
        const bool isDrive = part.size() == 2 && part[1] == L':';
        if (!part.empty() && !isDrive && !CreateDirectoryW(part.c_str(), nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            failWith(GetLastError(), FileCall::Writing);
        }
        if (end == std::wstring::npos) {
            return;
        }
    }
}

std::vector<std::string> WinTextFiles::namesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(wideText(inFolder(folder, "*")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") {
            names.push_back(utf8Text(name));
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

void WinTextFiles::removeFolder(const std::string& folder) {
    if (!RemoveDirectoryW(wideText(folder).c_str())) {
        failWith(GetLastError(), FileCall::Writing);
    }
}

std::string WinTextFiles::cacheFolder() {
    // The longest value a variable may have.
    std::wstring value(32767, L'\0');
    const DWORD length =
        GetEnvironmentVariableW(L"LOCALAPPDATA", value.data(), static_cast<DWORD>(value.size()));
    if (length == 0 || length >= value.size()) {
        wchar_t temporary[MAX_PATH + 1];
        const DWORD temporaryLength = GetTempPathW(MAX_PATH + 1, temporary);
        return utf8Text(std::wstring(temporary, temporaryLength));
    }
    value.resize(length);
    return utf8Text(value);
}

} // namespace platform::win
