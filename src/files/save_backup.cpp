// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "save_backup.h"

#include "file_errors.h"

#include <algorithm>
#include <cstdio>
#include <random>

namespace files {

namespace {

using platform::FileError;

// The record holds the file's path and ends in a NUL, which no path holds, so that a record
// cut short by a crash is told apart. Earlier versions wrote the path alone, under another
// name; their records are still read.
const char* const RecordName = ".saving";
const char RecordEnd = '\0';
const char* const EarlierRecordName = ".document-path";

bool isRecord(const std::string& name) {
    return name == RecordName || name == EarlierRecordName;
}
// Holds the time the user was told of the copy, in seconds since 1970.
const char* const ToldName = ".told";

long long secondsOf(std::chrono::system_clock::time_point time) {
    return std::chrono::duration_cast<std::chrono::seconds>(time.time_since_epoch()).count();
}

// A folder name no other save of this or another run takes, beginning with the time, so that
// the names sort oldest first.
std::string uniqueFolderName() {
    static std::random_device device;
    std::mt19937_64 draw((static_cast<std::uint64_t>(device()) << 32) ^ device());
    char name[64];
    std::snprintf(name, sizeof name, "%012lld-%016llx", secondsOf(std::chrono::system_clock::now()),
                  static_cast<unsigned long long>(draw()));
    return name;
}

// The time at the start of a folder's name (also in the names earlier versions gave).
long long timeInName(const std::string& name) {
    long long seconds = 0;
    for (const char c : name) {
        if (c < '0' || c > '9') {
            break;
        }
        seconds = seconds * 10 + (c - '0');
    }
    return seconds;
}

// The copy's name: the file's own, unless it is one of the folder's notes.
std::string copyNameOf(platform::TextFiles& files, const std::string& path) {
    std::size_t start = files.folderOf(path).size();
    if (start < path.size() && (path[start] == '/' || path[start] == '\\')) {
        ++start;
    }
    const std::string name = start < path.size() ? path.substr(start) : path;
    return isRecord(name) || name == ToldName ? "_" + name : name;
}

// The record goes first: a folder half removed never looks like an interrupted save.
void removeFolderWithContent(platform::TextFiles& files, const std::string& folder) {
    std::vector<std::string> names = files.namesIn(folder);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return isRecord(a) != isRecord(b) ? isRecord(a) : a < b;
    });
    for (const std::string& name : names) {
        try {
            files.remove(files.inFolder(folder, name));
        } catch (const FileError&) {
        }
    }
    try {
        files.removeFolder(folder);
    } catch (const FileError&) {
        // Left for the next clean-up.
    }
}

bool isFile(platform::TextFiles& files, const std::string& path) {
    try {
        return files.status(path).kind == platform::FileStatus::Kind::Regular;
    } catch (const FileError&) {
        return false;
    }
}

bool contains(const std::vector<std::string>& names, const char* name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// What a folder of the backups holds, as far as it can be read.
struct BackupFolder {
    std::string name;
    std::string path;
    std::string documentPath;
    bool recorded = false;
    bool told = false;
    long long toldAt = 0;
    std::uint64_t bytes = 0;
};

std::string contentOr(platform::TextFiles& files, const std::string& path, std::string fallback) {
    try {
        return readWholeFile(files, path);
    } catch (const platform::RuntimeError&) {
        return fallback;
    }
}

// The folders that no running save holds, oldest first.
std::vector<BackupFolder> backupFolders(platform::TextFiles& files) {
    const std::string backups = backupsFolder(files);
    std::vector<std::string> names = files.namesIn(backups);
    std::sort(names.begin(), names.end());
    std::vector<BackupFolder> found;
    for (const std::string& name : names) {
        BackupFolder folder;
        folder.name = name;
        folder.path = files.inFolder(backups, name);
        const std::vector<std::string> entries = files.namesIn(folder.path);
        const bool earlier = !contains(entries, RecordName) && contains(entries, EarlierRecordName);
        const std::string record =
            files.inFolder(folder.path, earlier ? EarlierRecordName : RecordName);
        folder.recorded = earlier || contains(entries, RecordName);
        if (folder.recorded && files.inUse(record)) {
            continue;
        }
        if (folder.recorded) {
            // A record without its end was cut short: the file had not been touched yet.
            const std::string content = contentOr(files, record, {});
            if (earlier) {
                folder.documentPath = content;
            } else if (content.ends_with(RecordEnd)) {
                folder.documentPath = content.substr(0, content.size() - 1);
            }
        }
        // Earlier versions dropped the record once they had told the user.
        folder.told = contains(entries, ToldName) || !folder.recorded;
        folder.toldAt = timeInName(name);
        if (contains(entries, ToldName)) {
            folder.toldAt = timeInName(contentOr(files, files.inFolder(folder.path, ToldName),
                                                 std::to_string(folder.toldAt)));
        }
        for (const std::string& entry : entries) {
            try {
                folder.bytes += files.status(files.inFolder(folder.path, entry)).stamp.size;
            } catch (const FileError&) {
            }
        }
        found.push_back(std::move(folder));
    }
    return found;
}

void writeTold(platform::TextFiles& files, const std::string& folder) {
    try {
        const std::unique_ptr<platform::OpenFile> told =
            files.createExclusive(files.inFolder(folder, ToldName));
        told->writeAt(0, std::to_string(secondsOf(std::chrono::system_clock::now())));
        told->flush();
        told->close();
    } catch (const FileError&) {
        // Told already, or the note cannot be written: the copy is reported once more.
    }
}

[[noreturn]] void failBackup(const std::string& documentPath, const std::string& where,
                             const FileError& error) {
    const FaultDescription description = describe(error);
    throw platform::RuntimeError(description.number,
                                 "无法在" + quoted(where) + "保留文件" + quoted(documentPath) +
                                     "原来内容的副本，文件未作改动：" + description.text);
}

} // namespace

std::string backupsFolder(platform::TextFiles& files) {
    return files.inFolder(files.inFolder(files.cacheFolder(), "MORVANE集成系统"), "保存备份");
}

SaveBackup::SaveBackup(platform::TextFiles& files, const std::string& documentPath,
                       std::string_view content)
    : files_(files) {
    const std::string backups = backupsFolder(files_);
    try {
        files_.makePrivateFolder(backups);
        folder_ = files_.inFolder(backups, uniqueFolderName());
        files_.makePrivateFolder(folder_);
    } catch (const FileError& error) {
        failBackup(documentPath, backups, error);
    }
    recordPath_ = files_.inFolder(folder_, RecordName);
    copyPath_ = files_.inFolder(folder_, copyNameOf(files_, documentPath));
    try {
        // The record stays empty, and locked, until the copy is whole on the disk.
        record_ = files_.createExclusive(recordPath_);
        const std::unique_ptr<platform::OpenFile> copy = files_.createExclusive(copyPath_);
        copy->writeAt(0, content);
        copy->flush();
        copy->close();
        record_->writeAt(0, documentPath + RecordEnd);
        record_->flush();
        files_.flushFolder(folder_);
    } catch (const FileError& error) {
        record_.reset();
        removeFolderWithContent(files_, folder_);
        failBackup(documentPath, folder_, error);
    }
}

SaveBackup::~SaveBackup() {
    record_.reset();
    if (!kept_) {
        removeFolderWithContent(files_, folder_);
    }
}

void SaveBackup::keep() {
    kept_ = true;
    writeTold(files_, folder_);
}

std::vector<InterruptedSave> findInterruptedSaves(platform::TextFiles& files) {
    std::vector<InterruptedSave> found;
    for (const BackupFolder& folder : backupFolders(files)) {
        if (folder.told) {
            continue;
        }
        const std::string copy =
            files.inFolder(folder.path, copyNameOf(files, folder.documentPath));
        // The copy was never finished, so the file was never touched; or a save that went
        // well removed the copy and not its record.
        if (folder.documentPath.empty() || !isFile(files, copy)) {
            removeFolderWithContent(files, folder.path);
            continue;
        }
        found.push_back({folder.documentPath, copy});
    }
    return found;
}

void markReported(platform::TextFiles& files, const InterruptedSave& save) {
    writeTold(files, files.folderOf(save.backupPath));
}

void removeStaleBackups(platform::TextFiles& files, std::chrono::system_clock::time_point now) {
    std::vector<BackupFolder> told;
    for (BackupFolder& folder : backupFolders(files)) {
        if (folder.told) {
            told.push_back(std::move(folder));
        }
    }
    const long long oldest = secondsOf(now - BackupLifetime);
    std::size_t kept = 0;
    std::uint64_t keptBytes = 0;
    // The newest first: the one the user was told of last stays whatever its size.
    for (auto folder = told.rbegin(); folder != told.rend(); ++folder) {
        const bool fits = kept == 0 || (kept < MostToldBackups &&
                                        keptBytes + folder->bytes <= MostToldBackupBytes);
        if (folder->toldAt <= oldest || !fits) {
            removeFolderWithContent(files, folder->path);
            continue;
        }
        ++kept;
        keptBytes += folder->bytes;
    }
}

void removeBackupsOf(platform::TextFiles& files, const std::string& documentPath) {
    for (const BackupFolder& folder : backupFolders(files)) {
        if (folder.told && folder.recorded && folder.documentPath == documentPath) {
            removeFolderWithContent(files, folder.path);
        }
    }
}

} // namespace files
