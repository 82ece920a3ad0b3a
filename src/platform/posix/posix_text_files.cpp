// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "posix_text_files.h"

#include "posix_attributes.h"
#include "posix_file_errors.h"
#include "posix_open_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <sys/file.h>
#include <sys/stat.h>

namespace platform::posix {

namespace {

// Opens a regular file; a folder, a device or a pipe is refused.
std::unique_ptr<OpenFile> openRegular(const std::string& path, int flags, FileCall call) {
    // Non-blocking, so that a FIFO opens at once (and is then refused) instead of waiting for
    // a writer; regular files ignore the flag.
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        failWith(errno, call);
    }
    auto file = std::make_unique<PosixOpenFile>(fd, path);
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        failWith(errno, call);
    }
    if (S_ISDIR(status.st_mode)) {
        throw FileError(FileFault::IsFolder, {});
    }
    if (!S_ISREG(status.st_mode)) {
        throw FileError(FileFault::NotRegular, {});
    }
    // Back to blocking reads and writes.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return file;
}

int descriptorOf(OpenFile& file) {
    return static_cast<PosixOpenFile&>(file).descriptor();
}

} // namespace

std::unique_ptr<OpenFile> PosixTextFiles::openForReading(const std::string& path) {
    return openRegular(path, O_RDONLY, FileCall::Reading);
}

std::unique_ptr<OpenFile> PosixTextFiles::openForWriting(const std::string& path) {
    return openRegular(path, O_RDWR, FileCall::Writing);
}

std::string PosixTextFiles::finalTarget(const std::string& path) {
    // It need not exist: saving through a dangling link creates the link's target, as a shell
    // redirection would.
    std::string current = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat status {};
        if (::lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return current;
        }
        char link[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), link, sizeof link);
        if (length < 0) {
            failWith(errno, FileCall::LookingUp);
        }
        if (static_cast<std::size_t>(length) == sizeof link) {
            failWith(ENAMETOOLONG, FileCall::LookingUp);
        }
        const std::string next(link, static_cast<std::size_t>(length));
        current = next.starts_with('/') ? next : inFolder(folderOf(current), next);
    }
    failWith(ELOOP, FileCall::LookingUp);
}

bool PosixTextFiles::isLink(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

FileStatus PosixTextFiles::status(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        if (errno == ENOENT) {
            return {};
        }
        failWith(errno, FileCall::LookingUp);
    }
    FileStatus result;
    result.kind = S_ISREG(status.st_mode)   ? FileStatus::Kind::Regular
                  : S_ISDIR(status.st_mode) ? FileStatus::Kind::Folder
                                            : FileStatus::Kind::Other;
    result.stamp = stampOf(status);
    result.links = status.st_nlink;
    // Without any write bit a file is read-only for every user, the way the read-only
    // attribute is on Windows: also for root, whom the permissions let write anything.
    result.readOnly = (status.st_mode & 0222) == 0;
    // The effective user's rights, which a program started by another user's tools has.
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
        result.writeRefused = faultOf(errno, FileCall::Writing);
    }
    return result;
}

std::string PosixTextFiles::folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string PosixTextFiles::inFolder(const std::string& folder, const std::string& name) {
    return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

std::unique_ptr<OpenFile> PosixTextFiles::createBeside(const std::string& target) {
    std::string name = inFolder(folderOf(target), ".morvane-XXXXXX");
    // Readable and writable by this user alone until it takes the old file's permissions.
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        failWith(errno, FileCall::Writing);
    }
    return std::make_unique<PosixOpenFile>(fd, name);
}

bool PosixTextFiles::takeOverAttributes(const std::string& from, OpenFile& to) {
    return copyAttributes(from, descriptorOf(to));
}

void PosixTextFiles::giveNewFileAttributes(OpenFile& to) {
    if (!giveNewFileMode(descriptorOf(to))) {
        failWith(errno, FileCall::Writing);
    }
}

void PosixTextFiles::replace(const std::string& fresh, const std::string& target) {
    if (::rename(fresh.c_str(), target.c_str()) != 0) {
        failWith(errno, FileCall::Writing);
    }
}

void PosixTextFiles::remove(const std::string& path) {
    if (::unlink(path.c_str()) != 0) {
        failWith(errno, FileCall::Writing);
    }
}

std::unique_ptr<OpenFile> PosixTextFiles::createExclusive(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        failWith(errno, FileCall::Writing);
    }
    auto file = std::make_unique<PosixOpenFile>(fd, path);
    if (::flock(fd, LOCK_EX) != 0) {
        failWith(errno, FileCall::Writing);
    }
    return file;
}

bool PosixTextFiles::inUse(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        return false;
    }
    const bool locked = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return locked;
}

void PosixTextFiles::makePrivateFolder(const std::string& folder) {
    for (std::size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
        const std::string part = folder.substr(0, end);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            failWith(errno, FileCall::Writing);
        }
        if (end == std::string::npos) {
            break;
        }
    }
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0) {
        failWith(errno, FileCall::Writing);
    }
    if (!S_ISDIR(status.st_mode)) {
        failWith(ENOTDIR, FileCall::Writing);
    }
}

std::vector<std::string> PosixTextFiles::namesIn(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    ::closedir(dir);
    return names;
}

void PosixTextFiles::removeFolder(const std::string& folder) {
    if (::rmdir(folder.c_str()) != 0) {
        failWith(errno, FileCall::Writing);
    }
}

void PosixTextFiles::flushFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        failWith(errno, FileCall::Writing);
    }
    const int result = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    if (result != 0) {
        failWith(result, FileCall::Writing);
    }
}

std::string PosixTextFiles::cacheFolder() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && cache[0] == '/') {
        return cache;
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') {
        const passwd* user = ::getpwuid(::getuid());
        home = user != nullptr ? user->pw_dir : "/tmp";
    }
    return inFolder(home, ".cache");
}

} // namespace platform::posix
