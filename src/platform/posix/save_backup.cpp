#include "save_backup.h"

#include "platform/error.h"
#include "posix_write.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <sys/file.h>
#include <sys/stat.h>

namespace platform::posix {

namespace {

const char* const RecordName = ".document-path";

std::string backupsFolder() {
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return QFile::encodeName(cache + QStringLiteral("/MORVANE集成系统/保存备份")).toStdString();
}

std::string nameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A folder name no other save of this or another run takes: time, process, sequence.
std::string uniqueFolderName() {
    static std::atomic<int> sequence{0};
    char name[96];
    std::snprintf(name, sizeof name, "%lld-%d-%d", static_cast<long long>(std::time(nullptr)),
                  static_cast<int>(::getpid()), ++sequence);
    return name;
}

[[noreturn]] void failBackup(const std::string& documentPath, const std::string& where, int error) {
    const bool full = error == ENOSPC || error == EDQUOT;
    throw RuntimeError(full ? ErrorNumber::DiskFull : ErrorNumber::DeviceIO,
                       "无法在“" + where + "”保留文件“" + documentPath +
                           "”原来内容的副本，文件未作改动：" + std::strerror(error));
}

int writeNewFile(const std::string& path, const std::string& content) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        return errno;
    }
    int error = writeAllAt(fd, content);
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    return error;
}

std::string contentOf(int fd) {
    std::string content;
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::pread(fd, buffer, sizeof buffer, static_cast<off_t>(content.size()))) > 0) {
        content.append(buffer, static_cast<std::size_t>(n));
    }
    return content;
}

std::vector<std::string> namesIn(const std::string& folder) {
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

void removeFolder(const std::string& folder) {
    for (const std::string& name : namesIn(folder)) {
        ::unlink((folder + "/" + name).c_str());
    }
    ::rmdir(folder.c_str());
}

} // namespace

SaveBackup::SaveBackup(const std::string& documentPath, const std::string& content) {
    const std::string backups = backupsFolder();
    if (!QDir().mkpath(QFile::decodeName(QByteArray::fromStdString(backups)))) {
        failBackup(documentPath, backups, errno != 0 ? errno : EACCES);
    }
    ::chmod(backups.c_str(), 0700);
    folder_ = backups + "/" + uniqueFolderName();
    if (::mkdir(folder_.c_str(), 0700) != 0) {
        failBackup(documentPath, backups, errno);
    }
    recordPath_ = folder_ + "/" + RecordName;
    copyPath_ = folder_ + "/" + nameOf(documentPath);
    // The record stays empty, and locked, until the copy is whole on the disk.
    record_ = ::open(recordPath_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    int error = record_ < 0 ? errno : 0;
    if (error == 0 && ::flock(record_, LOCK_EX) != 0) {
        error = errno;
    }
    if (error == 0) {
        error = writeNewFile(copyPath_, content);
    }
    if (error == 0) {
        error = writeAllAt(record_, documentPath);
    }
    if (error == 0 && ::fsync(record_) != 0) {
        error = errno;
    }
    if (error == 0) {
        error = syncFolder(folder_);
    }
    if (error != 0) {
        if (record_ >= 0) {
            ::close(record_);
        }
        removeFolder(folder_);
        failBackup(documentPath, folder_, error);
    }
}

SaveBackup::~SaveBackup() {
    if (!kept_) {
        ::unlink(copyPath_.c_str());
        ::unlink(recordPath_.c_str());
        ::rmdir(folder_.c_str());
    }
    ::close(record_);
}

std::vector<InterruptedSave> findInterruptedSaves() {
    const std::string backups = backupsFolder();
    std::vector<std::string> folders = namesIn(backups);
    std::sort(folders.begin(), folders.end());
    std::vector<InterruptedSave> found;
    for (const std::string& name : folders) {
        const std::string folder = backups + "/" + name;
        const int record = ::open((folder + "/" + RecordName).c_str(), O_RDONLY | O_CLOEXEC);
        if (record < 0) {
            continue; // reported before, or no backup folder at all
        }
        // Locked: a save of a running program, this one or another.
        if (::flock(record, LOCK_SH | LOCK_NB) != 0) {
            ::close(record);
            continue;
        }
        const std::string documentPath = contentOf(record);
        ::close(record);
        if (documentPath.empty()) {
            // The copy was never finished, so the file was never touched.
            removeFolder(folder);
            continue;
        }
        found.push_back({documentPath, folder + "/" + nameOf(documentPath)});
    }
    return found;
}

void forgetInterruptedSave(const InterruptedSave& save) {
    const auto slash = save.backupPath.find_last_of('/');
    if (slash == std::string::npos) {
        return;
    }
    ::unlink((save.backupPath.substr(0, slash) + "/" + RecordName).c_str());
}

} // namespace platform::posix
