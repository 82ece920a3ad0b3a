#include "win_text_files.h"

#include "platform/error.h"
#include "wide_text.h"
#include "win_error.h"

#include <algorithm>
#include <memory>
#include <new>
#include <windows.h>

namespace platform::win {

namespace {

constexpr int OutOfMemory = 7;

std::string quoted(const std::string& path) {
    return "“" + path + "”";
}

[[noreturn]] void failRead(const std::string& path, DWORD error) {
    const int number = readErrorNumber(error);
    const char* what = number == ErrorNumber::FileNotFound ? "文件未找到" : "无法读取文件";
    throw RuntimeError(number, what + quoted(path) + "：" + systemMessage(error));
}

[[noreturn]] void failWrite(const std::string& path, DWORD error) {
    throw RuntimeError(writeErrorNumber(error),
                       "无法写入文件" + quoted(path) + "：" + systemMessage(error));
}

[[noreturn]] void failNotRegular(const std::string& path) {
    throw RuntimeError(ErrorNumber::PathFileAccess, quoted(path) + "不是普通文件");
}

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() { close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    // Closes now; false with the error in GetLastError when the system reports a failure.
    bool close() {
        if (!valid()) {
            return true;
        }
        const BOOL closed = CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed != FALSE;
    }

private:
    HANDLE handle_;
};

// Returns ERROR_SUCCESS or the error of the failing call.
DWORD writeAll(HANDLE file, const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 20));
        DWORD done = 0;
        if (!WriteFile(file, bytes.data() + written, chunk, &done, nullptr)) {
            return GetLastError();
        }
        written += done;
    }
    return FlushFileBuffers(file) ? ERROR_SUCCESS : GetLastError();
}

std::wstring folderOf(const std::wstring& path) {
    const auto separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) {
        return L".";
    }
    // "C:\name" lies in "C:\", not in "C:" (the drive's current directory).
    if (separator == 2 && path[1] == L':') {
        return path.substr(0, 3);
    }
    return separator == 0 ? path.substr(0, 1) : path.substr(0, separator);
}

// A new, empty file of this process in folder; nothing when the folder takes no new file.
std::wstring newFileIn(const std::wstring& folder, DWORD& error) {
    wchar_t name[MAX_PATH + 1];
    if (GetTempFileNameW(folder.c_str(), L"mor", 0, name) == 0) {
        error = GetLastError();
        return {};
    }
    return name;
}

// Writes bytes to a new file beside target and puts it in target's place. Returns false, with
// the target untouched, when the folder takes no new file.
bool replaceThroughNewFile(const std::string& path, const std::wstring& target, DWORD attributes,
                           const std::string& bytes, DWORD& folderError) {
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    const std::wstring folder = folderOf(target);
    const std::wstring fresh = newFileIn(folder, folderError);
    if (fresh.empty()) {
        return false;
    }
    DWORD error = ERROR_SUCCESS;
    {
        Handle file(CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        error = file.valid() ? writeAll(file.get(), bytes) : GetLastError();
        if (error == ERROR_SUCCESS && !file.close()) {
            error = GetLastError();
        }
    }
    if (error == ERROR_SUCCESS && !exists &&
        !MoveFileExW(fresh.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
    }
    // ReplaceFileW carries the attributes over; not every system's does, so they go first.
    constexpr DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                           FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (error == ERROR_SUCCESS && exists && (attributes & kept) != 0 &&
        !SetFileAttributesW(fresh.c_str(), attributes & kept)) {
        error = GetLastError();
    }
    if (error == ERROR_SUCCESS && exists) {
        // With a backup name every failure of ReplaceFileW leaves the old content under one of
        // the two names; without one, a failed rename can leave it under neither.
        DWORD backupError = ERROR_SUCCESS;
        const std::wstring backup = newFileIn(folder, backupError);
        if (backup.empty()) {
            error = backupError;
        } else if (ReplaceFileW(target.c_str(), fresh.c_str(), backup.c_str(),
                                REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
            DeleteFileW(backup.c_str());
        } else {
            error = GetLastError();
            if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
                // The old file went to the backup name and the new one could not follow it.
                MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING);
            } else {
                DeleteFileW(backup.c_str());
            }
        }
    }
    if (error != ERROR_SUCCESS) {
        DeleteFileW(fresh.c_str());
        failWrite(path, error);
    }
    return true;
}

// For a writable file in a folder where no new file may be made. The new size is claimed
// first, so a full disk fails with the old content still whole; only a crash during the write
// itself can damage the file.
void overwriteInPlace(const std::string& path, const std::wstring& target,
                      const std::string& bytes) {
    Handle file(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        failWrite(path, GetLastError());
    }
    LARGE_INTEGER oldSize{};
    if (!GetFileSizeEx(file.get(), &oldSize)) {
        failWrite(path, GetLastError());
    }
    LARGE_INTEGER newSize{};
    newSize.QuadPart = static_cast<LONGLONG>(bytes.size());
    auto setSize = [&](LARGE_INTEGER size) {
        return SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN) && SetEndOfFile(file.get());
    };
    if (newSize.QuadPart > oldSize.QuadPart && !setSize(newSize)) {
        const DWORD error = GetLastError();
        setSize(oldSize);
        failWrite(path, error);
    }
    const LARGE_INTEGER start{};
    DWORD error =
        SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN) ? ERROR_SUCCESS : GetLastError();
    if (error == ERROR_SUCCESS) {
        error = writeAll(file.get(), bytes);
    }
    if (error == ERROR_SUCCESS && !setSize(newSize)) {
        error = GetLastError();
    }
    if (error == ERROR_SUCCESS && !file.close()) {
        error = GetLastError();
    }
    if (error != ERROR_SUCCESS) {
        failWrite(path, error);
    }
}

} // namespace

namespace {

// A disk file read from its start, a piece at a time.
class WinFileReader : public FileReader {
public:
    explicit WinFileReader(const std::string& path)
        : path_(path), file_(CreateFileW(wideText(path).c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
        if (!file_.valid()) {
            failRead(path_, GetLastError());
        }
        // A console, a printer port or a pipe may never end.
        if (GetFileType(file_.get()) != FILE_TYPE_DISK) {
            failNotRegular(path_);
        }
        LARGE_INTEGER size{};
        if (GetFileSizeEx(file_.get(), &size)) {
            size_ = static_cast<std::size_t>(size.QuadPart);
        }
    }

    std::size_t size() override { return size_; }

    std::size_t read(char* buffer, std::size_t capacity) override {
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(capacity, 1u << 30));
        DWORD read = 0;
        if (!ReadFile(file_.get(), buffer, wanted, &read, nullptr)) {
            failRead(path_, GetLastError());
        }
        return read;
    }

private:
    std::string path_;
    Handle file_;
    std::size_t size_ = 0;
};

} // namespace

std::unique_ptr<FileReader> WinTextFiles::openForReading(const std::string& path) {
    return std::make_unique<WinFileReader>(path);
}

std::string WinTextFiles::readBytes(const std::string& path) {
    WinFileReader reader(path);
    std::string bytes;
    try {
        bytes.reserve(reader.size());
        // Reads up to the end rather than the size: a file may grow while it is read.
        char buffer[65536];
        for (std::size_t read; (read = reader.read(buffer, sizeof buffer)) != 0;) {
            bytes.append(buffer, read);
        }
        return bytes;
    } catch (const std::bad_alloc&) {
        throw RuntimeError(OutOfMemory, "文件" + quoted(path) + "太大，内存不足以读入");
    }
}

void WinTextFiles::replaceBytes(const std::string& path, const std::string& bytes) {
    // Every check comes before the first change, so a refused save leaves the file as it was.
    const std::wstring target = wideText(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) {
            failWrite(path, error);
        }
    } else {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            failWrite(path, ERROR_ACCESS_DENIED);
        }
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
            throw RuntimeError(ErrorNumber::PathFileAccess, "文件" + quoted(path) + "是只读的：" +
                                                                systemMessage(ERROR_ACCESS_DENIED));
        }
        // A device name such as CON or NUL is no file to replace.
        Handle probe(CreateFileW(target.c_str(), 0,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
        if (probe.valid() && GetFileType(probe.get()) != FILE_TYPE_DISK) {
            failNotRegular(path);
        }
    }
    DWORD folderError = ERROR_SUCCESS;
    if (replaceThroughNewFile(path, target, attributes, bytes, folderError)) {
        return;
    }
    if (exists && folderError == ERROR_ACCESS_DENIED) {
        overwriteInPlace(path, target, bytes);
        return;
    }
    failWrite(path, folderError);
}

void WinTextFiles::replaceEntry(const std::string& path, const std::string& bytes) {
    replaceBytes(path, bytes);
}

} // namespace platform::win
