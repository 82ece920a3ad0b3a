// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/text_files.h"

#include <string>

namespace platform::posix {

// The steps of reading and saving files on a POSIX file system.
class PosixTextFiles : public TextFiles {
public:
    std::unique_ptr<OpenFile> openForReading(const std::string& path) override;
    std::unique_ptr<OpenFile> openForWriting(const std::string& path) override;
    std::string finalTarget(const std::string& path) override;
    bool isLink(const std::string& path) override;
    FileStatus status(const std::string& path) override;
    std::string folderOf(const std::string& path) override;
    std::string inFolder(const std::string& folder, const std::string& name) override;
    std::unique_ptr<OpenFile> createBeside(const std::string& target) override;
    bool takeOverAttributes(const std::string& from, OpenFile& to) override;
    void giveNewFileAttributes(OpenFile& to) override;
    void replace(const std::string& fresh, const std::string& target) override;
    void remove(const std::string& path) override;
    std::unique_ptr<OpenFile> createExclusive(const std::string& path) override;
    bool inUse(const std::string& path) override;
    void makePrivateFolder(const std::string& folder) override;
    std::vector<std::string> namesIn(const std::string& folder) override;
    void removeFolder(const std::string& folder) override;
    void flushFolder(const std::string& folder) override;
    std::string cacheFolder() override;
};

} // namespace platform::posix
