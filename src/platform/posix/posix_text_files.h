#pragma once

#include "platform/text_files.h"

#include <string>

namespace platform::posix {

// Document files on a POSIX file system. A save replaces the file atomically where its folder
// allows, keeps the file's permissions and owner, and writes through symbolic links.
class PosixTextFiles : public TextFiles {
public:
    std::string readBytes(const std::string& path) override;
    std::unique_ptr<FileReader> openForReading(const std::string& path) override;
    void replaceBytes(const std::string& path, const std::string& bytes) override;
    std::vector<InterruptedSave> interruptedSaves() override;
    void forgetInterruptedSave(const InterruptedSave& save) override;
    void replaceEntry(const std::string& path, const std::string& bytes) override;
};

} // namespace platform::posix
