// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "faulty_text_files.h"

#include "files/save_backup.h"

#include <algorithm>

namespace fakes {

using platform::FileError;
using platform::FileFault;

class FaultyOpenFile : public platform::OpenFile {
public:
    FaultyOpenFile(FaultyTextFiles& files, std::unique_ptr<platform::OpenFile> inner)
        : files_(files), inner_(std::move(inner)) {}

    platform::OpenFile* inner() { return inner_.get(); }
    const std::string& path() const override { return inner_->path(); }
    std::size_t size() override { return inner_->size(); }
    std::size_t read(char* buffer, std::size_t capacity) override {
        files_.step("read", path());
        return inner_->read(buffer, capacity);
    }
    void writeAt(std::uint64_t offset, std::string_view bytes) override {
        if (const auto fault = files_.due("writeAt", path())) {
            // A torn write: half of it reached the file.
            if (!files_.crashedBefore_) {
                inner_->writeAt(offset, bytes.substr(0, bytes.size() / 2));
            }
            files_.raise(*fault);
        }
        inner_->writeAt(offset, bytes);
    }
    void reserve(std::uint64_t size) override {
        files_.step("reserve", path());
        inner_->reserve(size);
    }
    void truncate(std::uint64_t size) override {
        files_.step("truncate", path());
        inner_->truncate(size);
    }
    void flush() override {
        files_.step("flush", path());
        inner_->flush();
    }
    platform::FileStamp stamp() override {
        files_.step("stamp", path());
        return inner_->stamp();
    }
    void close() override {
        files_.step("close", path());
        inner_->close();
    }

private:
    FaultyTextFiles& files_;
    std::unique_ptr<platform::OpenFile> inner_;
};

FaultyTextFiles::FaultyTextFiles(platform::TextFiles& inner, std::string document)
    : inner_(inner), document_(std::move(document)), backups_(files::backupsFolder(inner)) {}

std::string FaultyTextFiles::roleOf(const std::string& path) const {
    if (path == document_) {
        return "document";
    }
    if (temporaries_.count(path) != 0) {
        return "temporary";
    }
    if (path.compare(0, backups_.size(), backups_) == 0) {
        const std::string name = path.substr(path.find_last_of("/\\") + 1);
        if (path.size() == backups_.size()) {
            return "backups";
        }
        if (name == ".saving") {
            return "record";
        }
        if (name == ".told") {
            return "told";
        }
        return name == document_.substr(document_.find_last_of("/\\") + 1) ? "copy" : "backup";
    }
    return "other";
}

std::optional<InjectedFault> FaultyTextFiles::due(const std::string& call,
                                                  const std::string& path) {
    if (crashed_) {
        crashedBefore_ = true;
        return InjectedFault{call, 0, FaultKind::Once, FileFault::DeviceIO};
    }
    const std::string name = call + ":" + roleOf(path);
    trace.push_back(name);
    const int occurrence = ++counts_[name];
    if (lasting_.count(name) != 0) {
        for (const InjectedFault& fault : faults) {
            if (fault.step == name && fault.kind == FaultKind::Lasting) {
                return fault;
            }
        }
    }
    for (const InjectedFault& fault : faults) {
        if (fault.step == name && fault.occurrence == occurrence) {
            if (fault.kind == FaultKind::Lasting) {
                lasting_.insert(name);
            }
            if (fault.kind == FaultKind::Crash) {
                crashed_ = true;
            }
            return fault;
        }
    }
    return std::nullopt;
}

void FaultyTextFiles::raise(const InjectedFault& fault) {
    // A crash fails the call like any other fault; what the program does after it no longer
    // reaches the file system, clean-up in destructors included.
    throw FileError(fault.fault, "injected fault");
}

void FaultyTextFiles::step(const std::string& call, const std::string& path) {
    if (const auto fault = due(call, path)) {
        raise(*fault);
    }
}

std::unique_ptr<platform::OpenFile>
FaultyTextFiles::wrap(std::unique_ptr<platform::OpenFile> file) {
    return std::make_unique<FaultyOpenFile>(*this, std::move(file));
}

std::unique_ptr<platform::OpenFile> FaultyTextFiles::openForReading(const std::string& path) {
    step("openForReading", path);
    return wrap(inner_.openForReading(path));
}

std::unique_ptr<platform::OpenFile> FaultyTextFiles::openForWriting(const std::string& path) {
    step("openForWriting", path);
    return wrap(inner_.openForWriting(path));
}

std::string FaultyTextFiles::finalTarget(const std::string& path) {
    step("finalTarget", path);
    return inner_.finalTarget(path);
}

bool FaultyTextFiles::isLink(const std::string& path) {
    step("isLink", path);
    return inner_.isLink(path);
}

platform::FileStatus FaultyTextFiles::status(const std::string& path) {
    step("status", path);
    return inner_.status(path);
}

std::unique_ptr<platform::OpenFile> FaultyTextFiles::createBeside(const std::string& target) {
    step("createBeside", target);
    auto file = inner_.createBeside(target);
    temporaries_.insert(file->path());
    return wrap(std::move(file));
}

bool FaultyTextFiles::takeOverAttributes(const std::string& from, platform::OpenFile& to) {
    step("takeOverAttributes", from);
    return inner_.takeOverAttributes(from, *static_cast<FaultyOpenFile&>(to).inner());
}

void FaultyTextFiles::giveNewFileAttributes(platform::OpenFile& to) {
    step("giveNewFileAttributes", to.path());
    inner_.giveNewFileAttributes(*static_cast<FaultyOpenFile&>(to).inner());
}

void FaultyTextFiles::replace(const std::string& fresh, const std::string& target) {
    step("replace", target);
    inner_.replace(fresh, target);
}

void FaultyTextFiles::remove(const std::string& path) {
    step("remove", path);
    inner_.remove(path);
}

std::unique_ptr<platform::OpenFile> FaultyTextFiles::createExclusive(const std::string& path) {
    step("createExclusive", path);
    return wrap(inner_.createExclusive(path));
}

bool FaultyTextFiles::inUse(const std::string& path) {
    if (crashed_) {
        return false;
    }
    step("inUse", path);
    return inner_.inUse(path);
}

void FaultyTextFiles::makePrivateFolder(const std::string& folder) {
    step("makePrivateFolder", folder);
    inner_.makePrivateFolder(folder);
}

std::vector<std::string> FaultyTextFiles::namesIn(const std::string& folder) {
    if (crashed_) {
        return {};
    }
    trace.push_back("namesIn:" + roleOf(folder));
    return inner_.namesIn(folder);
}

void FaultyTextFiles::removeFolder(const std::string& folder) {
    step("removeFolder", folder);
    inner_.removeFolder(folder);
}

void FaultyTextFiles::flushFolder(const std::string& folder) {
    step("flushFolder", folder);
    inner_.flushFolder(folder);
}

} // namespace fakes
