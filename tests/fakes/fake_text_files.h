// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/text_files.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace fakes {

// A file system in memory. Every folder is there unless listed in missingFolders; a file's
// stamp changes whenever its content does, whoever changed it.
class FakeTextFiles : public platform::TextFiles {
public:
    std::unique_ptr<platform::OpenFile> openForReading(const std::string& path) override;
    std::unique_ptr<platform::OpenFile> openForWriting(const std::string& path) override;
    std::string finalTarget(const std::string& path) override;
    bool isLink(const std::string& path) override { return links.count(path) != 0; }
    platform::FileStatus status(const std::string& path) override;
    std::string folderOf(const std::string& path) override;
    std::string inFolder(const std::string& folder, const std::string& name) override;
    std::unique_ptr<platform::OpenFile> createBeside(const std::string& target) override;
    bool takeOverAttributes(const std::string& from, platform::OpenFile& to) override;
    void giveNewFileAttributes(platform::OpenFile&) override {}
    void replace(const std::string& fresh, const std::string& target) override;
    void remove(const std::string& path) override;
    std::unique_ptr<platform::OpenFile> createExclusive(const std::string& path) override;
    bool inUse(const std::string& path) override { return locked.count(path) != 0; }
    void makePrivateFolder(const std::string& folder) override;
    std::vector<std::string> namesIn(const std::string& folder) override;
    void removeFolder(const std::string& folder) override { folders.erase(folder); }
    void flushFolder(const std::string&) override {}
    std::string cacheFolder() override { return cache; }

    // The content of each regular file, by path.
    std::map<std::string, std::string> files;
    // Symbolic links: path to the path they point to.
    std::map<std::string, std::string> links;
    // Folders made, beyond those that hold files.
    std::set<std::string> folders;
    std::set<std::string> missingFolders;
    // Folders that take no new file, and targets a rename may not replace.
    std::set<std::string> closedFolders;
    std::set<std::string> renameRefused;
    // Files that refuse to be read; files with the read-only attribute.
    std::set<std::string> unreadable;
    std::set<std::string> readOnly;
    // Files with more than one name, and files whose owner or attributes a new file cannot be
    // given.
    std::set<std::string> hardLinked;
    std::set<std::string> foreignAttributes;
    // Every write and reservation fails so, as on a failing or full disk; the cache folder is
    // on another disk.
    std::optional<platform::FileFault> writeFault;
    // Reading or writing runs out of memory (std::bad_alloc), as with a file of hundreds of MB.
    bool outOfMemory = false;
    // When set, this many more files open for reading, and the next runs out of memory.
    std::optional<int> opensBeforeOutOfMemory;
    // Files created exclusively and still open.
    std::set<std::string> locked;
    std::string cache = "/home/u/.cache";

private:
    friend class FakeOpenFile;
    platform::FileStamp stampOf(const std::string& path);
    std::map<std::string, std::uint64_t> ids_;
    std::uint64_t nextId_ = 1;
    int made_ = 0;
};

} // namespace fakes
