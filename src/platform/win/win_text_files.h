#pragma once

#include "platform/text_files.h"

#include <memory>
#include <string>

namespace platform::win {

// Document files on a Windows file system. A save writes a new file beside the old one and
// then puts it in the old one's place (ReplaceFileW, which keeps the old file's attributes and
// security), so a failure at any step leaves the old content whole.
class WinTextFiles : public TextFiles {
public:
    std::string readBytes(const std::string& path) override;
    std::unique_ptr<FileReader> openForReading(const std::string& path) override;
    void replaceBytes(const std::string& path, const std::string& bytes) override;
    // The same new file put in path's place: ReplaceFileW and MoveFileExW replace the entry.
    void replaceEntry(const std::string& path, const std::string& bytes) override;
};

} // namespace platform::win
