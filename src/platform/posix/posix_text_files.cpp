#include "posix_text_files.h"

#include "platform/error.h"
#include "posix_write.h"
#include "save_backup.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <unistd.h>

#include <QFile>
#include <QSaveFile>
#include <QString>

#include <sys/stat.h>

namespace platform::posix {

namespace {

// Numbers of their own for the failures that are neither a missing file, an access error
// nor a full disk, in the customary numbering of file errors.
constexpr int TooManyFiles = 67;

int otherErrorNumber(int error) {
    return error == EMFILE || error == ENFILE ? TooManyFiles : ErrorNumber::DeviceIO;
}

int readErrorNumber(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return ErrorNumber::FileNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
    case ELOOP:
    case ENAMETOOLONG:
        return ErrorNumber::PathFileAccess;
    default:
        return otherErrorNumber(error);
    }
}

int writeErrorNumber(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return ErrorNumber::DiskFull;
    // A folder of the path is missing (removed while the document was open) or is a file.
    case ENOENT:
    case ENOTDIR:
        return ErrorNumber::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
    case ELOOP:
    case ENAMETOOLONG:
    case EILSEQ:
        return ErrorNumber::PathFileAccess;
    default:
        return otherErrorNumber(error);
    }
}

std::string quoted(const std::string& path) {
    return "“" + path + "”";
}

[[noreturn]] void failRead(const std::string& path, int error) {
    const char* what =
        readErrorNumber(error) == ErrorNumber::FileNotFound ? "文件未找到" : "无法读取文件";
    throw RuntimeError(readErrorNumber(error),
                       std::string(what) + quoted(path) + "：" + std::strerror(error));
}

[[noreturn]] void failWrite(const std::string& path, int error) {
    const int number = writeErrorNumber(error);
    const std::string cause = number == ErrorNumber::PathNotFound
                                  ? "路径未找到（" + std::string(std::strerror(error)) + "）"
                                  : std::string(std::strerror(error));
    throw RuntimeError(number, "无法写入文件" + quoted(path) + "：" + cause);
}

[[noreturn]] void failNotRegular(const std::string& path) {
    throw RuntimeError(ErrorNumber::PathFileAccess, quoted(path) + "不是普通文件");
}

// Reads up to the end rather than st_size bytes: a file may grow while it is read.
std::string readToEnd(int fd, const std::string& path, std::size_t expectedSize) {
    std::string bytes;
    bytes.reserve(expectedSize);
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            failRead(path, errno);
        }
        if (n == 0) {
            return bytes;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

    int get() const { return fd_; }
    // Closes now, where a late write error of the file system can still be reported.
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

// Claims the blocks for size bytes, so that a full disk shows before any content is written.
// File systems that cannot reserve space give no such promise; the write goes ahead there.
int reserve(int fd, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const int result = ::posix_fallocate(fd, 0, static_cast<off_t>(size));
    return result == EOPNOTSUPP || result == ENOSYS ? 0 : result;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file that path names once its symbolic links are followed. It need not exist: saving
// through a dangling link creates the link's target, as a shell redirection would.
std::string finalTarget(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat status;
        if (::lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return current;
        }
        char link[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), link, sizeof link);
        if (length < 0) {
            failWrite(path, errno);
        }
        if (static_cast<std::size_t>(length) == sizeof link) {
            failWrite(path, ENAMETOOLONG);
        }
        const std::string next(link, static_cast<std::size_t>(length));
        current = next.starts_with('/') ? next : folderOf(current) + "/" + next;
    }
    failWrite(path, ELOOP);
}

// The temporary file belongs to this process; give it the old file's owner where the process
// may, or at least its group, and then its mode, since a change of owner clears set-ID bits.
void takeOverOwnerAndMode(int fd, const struct stat& old) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, -1, old.st_gid) != 0) {
        // Not permitted: the file now belongs to the user who saved it.
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0) {
        // QSaveFile has already copied the permission bits.
    }
}

// QSaveFile gives its failures as text only; errno, as the failing call left it, is the best
// guess at their number.
[[noreturn]] void failSaveFile(const std::string& path, const QSaveFile& file) {
    const int error = errno;
    throw RuntimeError(writeErrorNumber(error),
                       "无法写入文件" + quoted(path) + "：" + file.errorString().toStdString());
}

void replaceAtomically(const std::string& path, const std::string& target, const struct stat* old,
                       const std::string& bytes) {
    const QString name = QString::fromStdString(target);
    // A link may point at a name that is not UTF-8; Qt would write to a mangled name instead.
    if (QFile::encodeName(name).toStdString() != target) {
        failWrite(path, EILSEQ);
    }
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly)) {
        failSaveFile(path, file);
    }
    // Writing to the handle directly keeps the error numbers that QSaveFile turns into text.
    // Leaving by an exception destroys the QSaveFile uncommitted, which discards the new file.
    const int fd = file.handle();
    if (old != nullptr) {
        takeOverOwnerAndMode(fd, *old);
    }
    int error = reserve(fd, bytes.size());
    if (error == 0) {
        error = writeAllAt(fd, bytes);
    }
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (error != 0) {
        failWrite(path, error);
    }
    if (!file.commit()) {
        failSaveFile(path, file);
    }
}

// Writes bytes over the file from its start, cuts it to their length and syncs it.
int overwriteWith(int fd, const std::string& bytes) {
    int error = writeAllAt(fd, bytes);
    if (error == 0 && ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) {
        error = errno;
    }
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    return error;
}

// For a writable file in a folder where no new file may be made. A whole copy of the old
// content goes to the user's cache folder first; a write that fails half-way puts the old
// content back, and should even that fail, the message says where the copy is. A crash
// half-way leaves the copy, which the next start reports. The size is reserved first, so that
// a full disk fails before any byte of the file changes.
void overwriteInPlace(const std::string& path, const std::string& target,
                      const std::string& bytes) {
    FileDescriptor file(::open(target.c_str(), O_RDWR | O_CLOEXEC));
    if (file.get() < 0) {
        failWrite(path, errno);
    }
    struct stat status;
    if (::fstat(file.get(), &status) != 0) {
        failWrite(path, errno);
    }
    const std::string old = readToEnd(file.get(), path, static_cast<std::size_t>(status.st_size));
    SaveBackup backup(path, old);
    int error = reserve(file.get(), bytes.size());
    if (error != 0) {
        // A failed reservation may have lengthened the file.
        if (::ftruncate(file.get(), static_cast<off_t>(old.size())) != 0) {
            // The length is the old content's: nothing more can be done.
        }
        failWrite(path, error);
    }
    error = overwriteWith(file.get(), bytes);
    if (error == 0 && file.close() != 0) {
        error = errno;
    }
    if (error == 0) {
        return;
    }
    if (file.get() >= 0 && overwriteWith(file.get(), old) == 0) {
        failWrite(path, error);
    }
    backup.keep();
    throw RuntimeError(writeErrorNumber(error),
                       "无法写入文件" + quoted(path) + "：" + std::strerror(error) +
                           "。文件可能不完整，原来的内容保存在" + quoted(backup.copyPath()));
}

} // namespace

namespace {

// Opens a regular file for reading; its size in size.
FileDescriptor openRegularFile(const std::string& path, std::size_t& size) {
    // Non-blocking, so that a FIFO opens at once (and is then refused) instead of waiting for
    // a writer; regular files ignore the flag.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) {
        failRead(path, errno);
    }
    struct stat status;
    if (::fstat(file.get(), &status) != 0) {
        failRead(path, errno);
    }
    if (S_ISDIR(status.st_mode)) {
        failRead(path, EISDIR);
    }
    // A device or a pipe may never end.
    if (!S_ISREG(status.st_mode)) {
        failNotRegular(path);
    }
    size = static_cast<std::size_t>(status.st_size);
    return file;
}

class DescriptorReader : public FileReader {
public:
    explicit DescriptorReader(const std::string& path)
        : path_(path), file_(openRegularFile(path, size_)) {}

    std::size_t size() override { return size_; }
    std::size_t read(char* buffer, std::size_t capacity) override {
        for (;;) {
            const ssize_t n = ::read(file_.get(), buffer, capacity);
            if (n >= 0) {
                return static_cast<std::size_t>(n);
            }
            if (errno != EINTR) {
                failRead(path_, errno);
            }
        }
    }

private:
    std::string path_;
    std::size_t size_ = 0;
    FileDescriptor file_;
};

} // namespace

std::string PosixTextFiles::readBytes(const std::string& path) {
    std::size_t size = 0;
    const FileDescriptor file = openRegularFile(path, size);
    try {
        return readToEnd(file.get(), path, size);
    } catch (const std::bad_alloc&) {
        throw RuntimeError(ErrorNumber::OutOfMemory,
                           "文件" + quoted(path) + "太大，内存不足以读入");
    }
}

std::unique_ptr<FileReader> PosixTextFiles::openForReading(const std::string& path) {
    return std::make_unique<DescriptorReader>(path);
}

void PosixTextFiles::replaceBytes(const std::string& path, const std::string& bytes) {
    // Every check comes before the first change, so a refused save leaves the file as it was.
    const std::string target = finalTarget(path);
    struct stat status;
    const bool exists = ::stat(target.c_str(), &status) == 0;
    if (!exists && errno != ENOENT) {
        failWrite(path, errno);
    }
    if (exists) {
        if (S_ISDIR(status.st_mode)) {
            failWrite(path, EISDIR);
        }
        // Replacing a device or a FIFO by a regular file would destroy it.
        if (!S_ISREG(status.st_mode)) {
            failNotRegular(path);
        }
        // A file without any write bit is read-only for every user, the way the read-only
        // attribute is on Windows: also for root, whom access() lets write anything.
        if ((status.st_mode & 0222) == 0) {
            throw RuntimeError(ErrorNumber::PathFileAccess,
                               "文件" + quoted(path) + "是只读的：" + std::strerror(EACCES));
        }
        if (::access(target.c_str(), W_OK) != 0) {
            failWrite(path, errno);
        }
    }
    const std::string folder = folderOf(target);
    if (::access(folder.c_str(), W_OK) == 0) {
        replaceAtomically(path, target, exists ? &status : nullptr, bytes);
        return;
    }
    const int folderError = errno;
    if (exists && (folderError == EACCES || folderError == EPERM)) {
        overwriteInPlace(path, target, bytes);
        return;
    }
    failWrite(path, folderError);
}

std::vector<InterruptedSave> PosixTextFiles::interruptedSaves() {
    return findInterruptedSaves();
}

void PosixTextFiles::forgetInterruptedSave(const InterruptedSave& save) {
    platform::posix::forgetInterruptedSave(save);
}

void PosixTextFiles::replaceEntry(const std::string& path, const std::string& bytes) {
    struct stat status;
    if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
        replaceBytes(path, bytes);
        return;
    }
    // A new file beside the link takes its place in one rename; the link's target is untouched.
    const std::string folder = folderOf(path);
    std::string temporary = folder + "/.morvane-XXXXXX";
    FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.get() < 0) {
        failWrite(path, errno);
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    int error = ::fchmod(file.get(), 0666 & ~mask) == 0 ? 0 : errno;
    if (error == 0) {
        error = writeAllAt(file.get(), bytes);
    }
    if (error == 0 && ::fsync(file.get()) != 0) {
        error = errno;
    }
    if (error == 0 && file.close() != 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        failWrite(path, error);
    }
}

} // namespace platform::posix
