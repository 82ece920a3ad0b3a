#pragma once

#include <string>

namespace platform {

// Whole-file byte transfer. Failures raise RuntimeError with the platform's description:
// 53 for a missing file, 75 for a file that cannot be opened for writing (no permission,
// read-only file system, a folder in its place, no write bit), other numbers otherwise.
class TextFiles {
public:
    virtual ~TextFiles() = default;
    virtual std::string readBytes(const std::string& path) = 0;
    // Replaces the file's whole content; a failure leaves the previous content whole.
    virtual void replaceBytes(const std::string& path, const std::string& bytes) = 0;
    // Puts a new file holding bytes in path's place. A symbolic link there is replaced itself;
    // what it points to is left alone. Nothing is ever written through a link.
    virtual void replaceEntry(const std::string& path, const std::string& bytes) = 0;
};

} // namespace platform
