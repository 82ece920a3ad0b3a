#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// A save that was under way when the program died: the document's file may hold part of the
// new text, and a whole copy of its previous content lies at backupPath.
struct InterruptedSave {
    std::string documentPath;
    std::string backupPath;

    bool operator==(const InterruptedSave&) const = default;
};

// A file being read from its start, a piece at a time.
class FileReader {
public:
    virtual ~FileReader() = default;
    // The file's size when it was opened.
    virtual std::size_t size() = 0;
    // Up to capacity bytes into buffer; 0 at the end of the file. Failures raise as readBytes.
    virtual std::size_t read(char* buffer, std::size_t capacity) = 0;
};

// Whole-file byte transfer. Failures raise RuntimeError with the platform's description:
// 53 for a missing file, 75 for a file that cannot be opened for writing (no permission,
// read-only file system, a folder in its place, no write bit), other numbers otherwise.
class TextFiles {
public:
    virtual ~TextFiles() = default;
    virtual std::string readBytes(const std::string& path) = 0;
    // Replaces the file's whole content; a failure leaves the previous content whole. Where the
    // file must be overwritten in place, a copy of the previous content is kept until the new
    // one is safely written; should even its restoring fail, the error names the copy.
    virtual void replaceBytes(const std::string& path, const std::string& bytes) = 0;

    // Saves that an earlier run left unfinished, each reported until forgotten; the copy
    // itself stays where it is.
    virtual std::vector<InterruptedSave> interruptedSaves() { return {}; }
    virtual void forgetInterruptedSave(const InterruptedSave& save) { static_cast<void>(save); }
    // Opens the file for reading in pieces; fails as readBytes does.
    virtual std::unique_ptr<FileReader> openForReading(const std::string& path) = 0;
    // Puts a new file holding bytes in path's place. A symbolic link there is replaced itself;
    // what it points to is left alone. Nothing is ever written through a link.
    virtual void replaceEntry(const std::string& path, const std::string& bytes) = 0;
};

} // namespace platform
