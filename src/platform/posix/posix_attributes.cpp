// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "posix_attributes.h"

#include <algorithm>
#include <cerrno>
#include <string>
#include <unistd.h>
#include <vector>

#include <sys/stat.h>
#include <sys/xattr.h>

namespace platform::posix {

namespace {

// Reads the whole of a list or value whose size may change between the asking and the
// reading, through get(buffer, capacity) as the extended attribute calls take them. False, with
// errno set, where it cannot be read.
template <typename Get> bool readWhole(std::vector<char>& bytes, Get get) {
    for (;;) {
        const ssize_t size = get(nullptr, 0);
        if (size < 0) {
            return false;
        }
        bytes.resize(static_cast<std::size_t>(size));
        const ssize_t got = get(bytes.data(), bytes.size());
        if (got >= 0) {
            bytes.resize(static_cast<std::size_t>(got));
            return true;
        }
        // It grew meanwhile.
        if (errno != ERANGE) {
            return false;
        }
    }
}

// The names of the file's extended attributes; nothing when it has none or the file system
// keeps none. False when they cannot be read.
bool attributeNames(const std::string& path, std::vector<std::string>& names) {
    std::vector<char> list;
    if (!readWhole(list, [&path](char* buffer, std::size_t capacity) {
            return ::listxattr(path.c_str(), buffer, capacity);
        })) {
        return errno == ENOTSUP;
    }
    for (std::size_t start = 0; start < list.size();) {
        const std::string name(list.data() + start);
        names.push_back(name);
        start += name.size() + 1;
    }
    return true;
}

bool copyAttribute(const std::string& from, const std::string& name, int fd) {
    std::vector<char> value;
    if (!readWhole(value, [&from, &name](char* buffer, std::size_t capacity) {
            return ::getxattr(from.c_str(), name.c_str(), buffer, capacity);
        })) {
        // Gone meanwhile: nothing to keep.
        return errno == ENODATA;
    }
    // One the new file got already (a security label, say) needs no permission to keep.
    std::vector<char> present(value.size() + 1);
    const ssize_t presentSize = ::fgetxattr(fd, name.c_str(), present.data(), present.size());
    if (presentSize == static_cast<ssize_t>(value.size()) &&
        std::equal(value.begin(), value.end(), present.begin())) {
        return true;
    }
    return ::fsetxattr(fd, name.c_str(), value.data(), value.size(), 0) == 0;
}

} // namespace

bool copyAttributes(const std::string& from, int fd) {
    struct stat status {};
    if (::stat(from.c_str(), &status) != 0) {
        return false;
    }
    bool kept = true;
    if (::fchown(fd, status.st_uid, status.st_gid) != 0) {
        kept = false;
    }
    // After the owner, whose change clears the set-ID bits.
    if (::fchmod(fd, status.st_mode & 07777) != 0) {
        kept = false;
    }
    // After the mode: an access list sets the group bits again, as they were.
    std::vector<std::string> names;
    if (!attributeNames(from, names)) {
        return false;
    }
    for (const std::string& name : names) {
        if (!copyAttribute(from, name, fd)) {
            kept = false;
        }
    }
    return kept;
}

bool giveNewFileMode(int fd) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return ::fchmod(fd, 0666 & ~mask) == 0;
}

} // namespace platform::posix
