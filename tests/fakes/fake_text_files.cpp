// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "fake_text_files.h"

#include <functional>
#include <new>

namespace fakes {

using platform::FileError;
using platform::FileFault;

// A file of the fake file system, reached by its path.
class FakeOpenFile : public platform::OpenFile {
public:
    FakeOpenFile(FakeTextFiles& files, std::string path, bool locks)
        : files_(files), path_(std::move(path)), locks_(locks), size_(files.files[path_].size()) {
        if (locks_) {
            files_.locked.insert(path_);
        }
    }
    ~FakeOpenFile() override { close(); }

    const std::string& path() const override { return path_; }
    std::size_t size() override { return size_; }
    std::size_t read(char* buffer, std::size_t capacity) override {
        if (files_.outOfMemory) {
            throw std::bad_alloc();
        }
        const std::size_t count = files_.files[path_].copy(buffer, capacity, position_);
        position_ += count;
        return count;
    }
    void writeAt(std::uint64_t offset, std::string_view bytes) override {
        failIfFaulty();
        std::string& content = files_.files[path_];
        if (content.size() < offset + bytes.size()) {
            content.resize(offset + bytes.size());
        }
        content.replace(offset, bytes.size(), bytes);
    }
    void reserve(std::uint64_t size) override {
        failIfFaulty();
        std::string& content = files_.files[path_];
        if (content.size() < size) {
            content.resize(size);
        }
    }
    void truncate(std::uint64_t size) override { files_.files[path_].resize(size); }
    void flush() override {}
    platform::FileStamp stamp() override { return files_.stampOf(path_); }
    void close() override {
        if (locks_) {
            files_.locked.erase(path_);
            locks_ = false;
        }
    }

private:
    void failIfFaulty() {
        if (files_.outOfMemory) {
            throw std::bad_alloc();
        }
        if (files_.writeFault && !path_.starts_with(files_.cache)) {
            throw FileError(*files_.writeFault, "fake fault");
        }
    }

    FakeTextFiles& files_;
    std::string path_;
    bool locks_;
    std::size_t size_;
    std::size_t position_ = 0;
};

std::unique_ptr<platform::OpenFile> FakeTextFiles::openForReading(const std::string& path) {
    if (outOfMemory || opensBeforeOutOfMemory == 0) {
        throw std::bad_alloc();
    }
    if (opensBeforeOutOfMemory) {
        --*opensBeforeOutOfMemory;
    }
    if (unreadable.count(path) != 0) {
        throw FileError(FileFault::AccessDenied, "Permission denied");
    }
    const std::string target = finalTarget(path);
    if (files.count(target) == 0) {
        throw FileError(status(target).kind == platform::FileStatus::Kind::Folder
                            ? FileFault::IsFolder
                            : FileFault::NotFound,
                        "No such file");
    }
    return std::make_unique<FakeOpenFile>(*this, target, false);
}

std::unique_ptr<platform::OpenFile> FakeTextFiles::openForWriting(const std::string& path) {
    if (files.count(path) == 0) {
        throw FileError(FileFault::NotFound, "No such file");
    }
    return std::make_unique<FakeOpenFile>(*this, path, false);
}

std::string FakeTextFiles::finalTarget(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < 40; ++hop) {
        const auto link = links.find(current);
        if (link == links.end()) {
            return current;
        }
        current = link->second;
    }
    throw FileError(FileFault::LinkLoop, "Too many levels of symbolic links");
}

platform::FileStamp FakeTextFiles::stampOf(const std::string& path) {
    auto id = ids_.find(path);
    if (id == ids_.end()) {
        id = ids_.emplace(path, nextId_++).first;
    }
    const std::string& content = files[path];
    return {1, id->second, content.size(),
            static_cast<std::int64_t>(std::hash<std::string>()(content) >> 1)};
}

platform::FileStatus FakeTextFiles::status(const std::string& path) {
    const std::string target = finalTarget(path);
    platform::FileStatus result;
    if (files.count(target) != 0) {
        result.kind = platform::FileStatus::Kind::Regular;
        result.stamp = stampOf(target);
        result.links = hardLinked.count(target) != 0 ? 2 : 1;
        result.readOnly = readOnly.count(target) != 0;
        return result;
    }
    const std::string prefix = inFolder(target, "");
    const auto below = files.lower_bound(prefix);
    if (folders.count(target) != 0 ||
        (below != files.end() && below->first.compare(0, prefix.size(), prefix) == 0)) {
        result.kind = platform::FileStatus::Kind::Folder;
    }
    return result;
}

std::string FakeTextFiles::folderOf(const std::string& path) {
    const auto separator = path.find_last_of("/\\");
    if (separator == std::string::npos) {
        return ".";
    }
    return separator == 0 ? path.substr(0, 1) : path.substr(0, separator);
}

std::string FakeTextFiles::inFolder(const std::string& folder, const std::string& name) {
    const char separator = folder.find('\\') != std::string::npos ? '\\' : '/';
    return !folder.empty() && folder.back() == separator ? folder + name
                                                         : folder + separator + name;
}

std::unique_ptr<platform::OpenFile> FakeTextFiles::createBeside(const std::string& target) {
    const std::string folder = folderOf(target);
    if (missingFolders.count(folder) != 0) {
        throw FileError(FileFault::PathNotFound, "No such file or directory");
    }
    if (closedFolders.count(folder) != 0) {
        throw FileError(FileFault::AccessDenied, "Permission denied");
    }
    const std::string name = inFolder(folder, ".morvane-" + std::to_string(++made_));
    files[name].clear();
    return std::make_unique<FakeOpenFile>(*this, name, false);
}

bool FakeTextFiles::takeOverAttributes(const std::string& from, platform::OpenFile&) {
    return foreignAttributes.count(from) == 0;
}

void FakeTextFiles::replace(const std::string& fresh, const std::string& target) {
    if (renameRefused.count(target) != 0) {
        throw FileError(FileFault::AccessDenied, "Operation not permitted");
    }
    files[target] = std::move(files[fresh]);
    files.erase(fresh);
    links.erase(target);
    ids_[target] = nextId_++;
}

void FakeTextFiles::remove(const std::string& path) {
    if (files.erase(path) == 0 && links.erase(path) == 0) {
        throw FileError(FileFault::NotFound, "No such file");
    }
}

std::unique_ptr<platform::OpenFile> FakeTextFiles::createExclusive(const std::string& path) {
    const std::string folder = folderOf(path);
    if (closedFolders.count(folder) != 0) {
        throw FileError(FileFault::AccessDenied, "Permission denied");
    }
    if (files.count(path) != 0) {
        throw FileError(FileFault::Other, "File exists");
    }
    files[path].clear();
    return std::make_unique<FakeOpenFile>(*this, path, true);
}

void FakeTextFiles::makePrivateFolder(const std::string& folder) {
    for (std::string level = folder; level.size() > 1; level = folderOf(level)) {
        if (closedFolders.count(folderOf(level)) != 0 &&
            status(level).kind != platform::FileStatus::Kind::Folder) {
            throw FileError(FileFault::AccessDenied, "Permission denied");
        }
        folders.insert(level);
    }
}

std::vector<std::string> FakeTextFiles::namesIn(const std::string& folder) {
    const std::string prefix = inFolder(folder, "");
    std::set<std::string> names;
    const auto collect = [&](const std::string& path) {
        if (path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0) {
            const std::string rest = path.substr(prefix.size());
            names.insert(rest.substr(0, rest.find_first_of("/\\")));
        }
    };
    for (const auto& [path, content] : files) {
        collect(path);
    }
    for (const auto& [path, target] : links) {
        collect(path);
    }
    for (const std::string& path : folders) {
        collect(path);
    }
    return {names.begin(), names.end()};
}

} // namespace fakes
