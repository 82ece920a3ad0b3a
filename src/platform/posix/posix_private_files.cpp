// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "platform/posix/posix_private_files.h"

#include "platform/error.h"
#include "platform/posix/posix_open_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <sys/random.h>
#include <sys/stat.h>

namespace platform::posix {
namespace {

[[noreturn]] void fail(const std::string& path, const std::string& reason) {
    throw RuntimeError(ErrorNumber::PathFileAccess, "“" + path + "”：" + reason);
}

} // namespace

void PosixPrivateFiles::preparePrivateFolder(const std::string& folder) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        fail(folder, std::strerror(errno));
    }
    struct stat status {};
    if (::lstat(folder.c_str(), &status) != 0) {
        fail(folder, std::strerror(errno));
    }
    // Another user could read or swap the files in a folder that is not the user's alone.
    if (!S_ISDIR(status.st_mode) || status.st_uid != ::getuid() || (status.st_mode & 077) != 0) {
        fail(folder, "不是只属于当前用户的目录");
    }
}

void PosixPrivateFiles::createPrivateFile(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        fail(path, std::strerror(errno));
    }
    PosixOpenFile file(fd, path);
    try {
        file.writeAt(0, bytes);
        file.close();
    } catch (const FileError& error) {
        // A half-written file would be read as a whole one.
        ::unlink(path.c_str());
        fail(path, error.what());
    }
}

void PosixPrivateFiles::remove(const std::string& path) {
    ::unlink(path.c_str());
}

std::string PosixPrivateFiles::randomBytes(std::size_t count) {
    std::string bytes(count, '\0');
    std::size_t filled = 0;
    while (filled < count) {
        const ssize_t n = ::getrandom(bytes.data() + filled, count - filled, 0);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw RuntimeError(ErrorNumber::PathFileAccess, std::strerror(errno));
        }
        filled += static_cast<std::size_t>(n);
    }
    return bytes;
}

} // namespace platform::posix
