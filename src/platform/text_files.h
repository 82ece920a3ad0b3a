// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// What went wrong with a file, in the terms the program tells apart. Each system maps its own
// error codes onto these; the program gives each its number and its words.
enum class FileFault {
    NotFound,      // no file of that name
    PathNotFound,  // a folder of the path is missing, or is a file
    NotSearchable, // a folder of the path may not be entered
    AccessDenied,  // this user may not do this to the file or its folder
    ReadOnly,      // the file system, or the medium, takes no writes
    InUse,         // another program holds the file
    IsFolder,      // a folder stands where the file should be
    NotRegular,    // a device, a pipe or a socket stands there
    LinkLoop,      // symbolic links lead round in a circle
    BadName,       // the name is too long, or not allowed
    DiskFull,
    DeviceIO,
    TooManyFiles,
    Other,
};

// A file operation that failed: its fault and the system's own words for it.
class FileError : public std::runtime_error {
public:
    FileError(FileFault fault, const std::string& systemText)
        : std::runtime_error(systemText), fault_(fault) {}
    FileFault fault() const { return fault_; }

private:
    FileFault fault_;
};

// Which file a path leads to and the state it is in: another program's write, or another file
// put in its place, changes it.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t file = 0;
    std::uint64_t size = 0;
    // The last write, in the system's own ticks.
    std::int64_t modified = 0;

    bool operator==(const FileStamp&) const = default;
};

struct FileStatus {
    enum class Kind { Missing, Regular, Folder, Other };
    Kind kind = Kind::Missing;
    FileStamp stamp;
    // Names the file goes by (hard links).
    std::uint64_t links = 0;
    // No write permission for anybody: the read-only attribute, which even an administrator's
    // save respects.
    bool readOnly = false;
    // Why this process may not open it for writing; nothing when it may.
    std::optional<FileFault> writeRefused;
};

// A file opened by one of the calls below. Every failure raises FileError.
class OpenFile {
public:
    // Closes the file if close() did not, saying nothing of a failure.
    virtual ~OpenFile() = default;
    virtual const std::string& path() const = 0;
    // The size when it was opened.
    virtual std::size_t size() = 0;
    // The next bytes from the start on, up to capacity; 0 at the end.
    virtual std::size_t read(char* buffer, std::size_t capacity) = 0;
    // Writes all of bytes at offset.
    virtual void writeAt(std::uint64_t offset, std::string_view bytes) = 0;
    // Claims the room for size bytes, so that a full disk shows before anything is written;
    // does nothing where the file system cannot promise room.
    virtual void reserve(std::uint64_t size) = 0;
    virtual void truncate(std::uint64_t size) = 0;
    // Puts what was written on the disk.
    virtual void flush() = 0;
    virtual FileStamp stamp() = 0;
    // Closes now, where a late failure of the file system can still be told.
    virtual void close() = 0;
};

// The file system, in the small steps the program's saves are made of. Paths are UTF-8.
class TextFiles {
public:
    virtual ~TextFiles() = default;

    // A regular file, for reading from its start.
    virtual std::unique_ptr<OpenFile> openForReading(const std::string& path) = 0;
    // An existing regular file, for reading and writing in place.
    virtual std::unique_ptr<OpenFile> openForWriting(const std::string& path) = 0;

    // The file that path names once its symbolic links are followed (path itself where the
    // system has none); it need not exist.
    virtual std::string finalTarget(const std::string& path) = 0;
    // Whether path is a symbolic link itself.
    virtual bool isLink(const std::string& path) = 0;
    // Follows links; Kind::Missing when nothing is there.
    virtual FileStatus status(const std::string& path) = 0;
    virtual std::string folderOf(const std::string& path) = 0;
    virtual std::string inFolder(const std::string& folder, const std::string& name) = 0;

    // A new, empty file of this process alone beside target, in its folder, under a name no
    // other file has. Fails when the folder takes no new file.
    virtual std::unique_ptr<OpenFile> createBeside(const std::string& target) = 0;
    // Gives a file made by createBeside what the file at from has besides its content: owner,
    // group, permissions, extended attributes and access lists, or the attributes the system
    // has. False when some of it could not be given.
    virtual bool takeOverAttributes(const std::string& from, OpenFile& to) = 0;
    // Gives a file made by createBeside the permissions a new file of the user gets.
    virtual void giveNewFileAttributes(OpenFile& to) = 0;
    // Puts the closed file fresh in target's place in one step: a reader sees the old file or
    // the new one, never a mix. A link at target is replaced itself.
    virtual void replace(const std::string& fresh, const std::string& target) = 0;
    virtual void remove(const std::string& path) = 0;

    // A new file that must not exist yet, for this user alone. While it is open, inUse tells
    // every process so, and the lock ends with the process.
    virtual std::unique_ptr<OpenFile> createExclusive(const std::string& path) = 0;
    virtual bool inUse(const std::string& path) = 0;

    // Makes the folder and those above it that are missing, each for this user alone.
    virtual void makePrivateFolder(const std::string& folder) = 0;
    // Names in the folder, without "." and ".."; none when it cannot be read.
    virtual std::vector<std::string> namesIn(const std::string& folder) = 0;
    // Removes an empty folder.
    virtual void removeFolder(const std::string& folder) = 0;
    // Puts the folder's entries on the disk, so that a file made or renamed stays so.
    virtual void flushFolder(const std::string& folder) = 0;
    // The user's folder for data that may be made again (~/.cache, %LOCALAPPDATA%).
    virtual std::string cacheFolder() = 0;
};

} // namespace platform
