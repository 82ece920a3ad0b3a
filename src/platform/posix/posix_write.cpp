#include "posix_write.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform::posix {

int writeAllAt(int fd, std::string_view bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.data() + written, bytes.size() - written,
                                   static_cast<off_t>(written));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        written += static_cast<std::size_t>(n);
    }
    return 0;
}

int syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    const int result = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return result;
}

} // namespace platform::posix
