// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/text_files.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace files {

// A save that was under way when the program died: the document's file may hold part of the
// new text, and a whole copy of its previous content lies at backupPath.
struct InterruptedSave {
    std::string documentPath;
    std::string backupPath;

    bool operator==(const InterruptedSave&) const = default;
};

// A whole copy of a file's content in the user's cache folder, under MORVANE集成系统/保存备份,
// kept while the file is overwritten in place. Each copy has a folder of its own, named by the
// time it was made, holding the copy under the file's name and a record of the file's path.
// The record stays locked while the save runs, so a copy whose record is unlocked and whole
// was left behind by a run that died during the save. A copy the user has been told of
// gets a note of when; such copies go after a while (removeStaleBackups) or once their file
// was saved whole again (removeBackupsOf).
class SaveBackup {
public:
    // Writes the copy and puts it on the disk; raises RuntimeError when it cannot, before the
    // file has been touched.
    SaveBackup(platform::TextFiles& files, const std::string& documentPath,
               std::string_view content);
    // Removes the copy unless it was kept.
    ~SaveBackup();
    SaveBackup(const SaveBackup&) = delete;
    SaveBackup& operator=(const SaveBackup&) = delete;

    const std::string& copyPath() const { return copyPath_; }
    // The file could not be given its old content back: the copy stays, and since the failure's
    // message names it, it counts as told of.
    void keep();

private:
    platform::TextFiles& files_;
    std::string folder_;
    std::string recordPath_;
    std::string copyPath_;
    std::unique_ptr<platform::OpenFile> record_;
    bool kept_ = false;
};

// The folder that holds every copy's own folder.
std::string backupsFolder(platform::TextFiles& files);

// Copies whose save never finished and that nobody was told of, oldest first.
std::vector<InterruptedSave> findInterruptedSaves(platform::TextFiles& files);
// The user has been told of the copy: it is not reported again.
void markReported(platform::TextFiles& files, const InterruptedSave& save);

// How long a copy stays after the user was told of it, and how many such copies and bytes
// stay at most, the newest kept first.
inline constexpr std::chrono::hours BackupLifetime{24 * 14};
inline constexpr std::size_t MostToldBackups = 16;
inline constexpr std::uint64_t MostToldBackupBytes = std::uint64_t{512} << 20;

// Removes the copies told of long enough ago, and the oldest beyond the limits.
void removeStaleBackups(platform::TextFiles& files, std::chrono::system_clock::time_point now);
// The file was saved whole: the copies of it the user was told of are no longer needed.
void removeBackupsOf(platform::TextFiles& files, const std::string& documentPath);

} // namespace files
