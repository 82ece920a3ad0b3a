// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "save_procedure.h"

#include "file_errors.h"
#include "save_backup.h"

#include <memory>

namespace files {

namespace {

using platform::FileError;
using platform::FileFault;
using platform::FileStatus;
using platform::OpenFile;

// A refusal that the in-place path gets round: the folder takes no new file, or refuses the
// rename over a file of another user (a sticky folder).
bool refusedByFolder(const FileError& error) {
    return error.fault() == FileFault::AccessDenied;
}

void removeQuietly(platform::TextFiles& files, const std::string& path) {
    try {
        files.remove(path);
    } catch (const FileError&) {
        // A stray file beside the document at worst.
    }
}

// Fills a file that nobody else sees yet and closes it.
void fill(OpenFile& file, std::string_view bytes) {
    file.reserve(bytes.size());
    file.writeAt(0, bytes);
    file.flush();
    file.close();
}

// Makes bytes the whole content of a file that had other content, and closes it.
void writeOver(OpenFile& file, std::string_view bytes) {
    file.writeAt(0, bytes);
    file.truncate(bytes.size());
    file.flush();
    file.close();
}

class Save {
public:
    Save(platform::TextFiles& files, const std::string& path, std::string_view bytes)
        : files_(files), path_(path), bytes_(bytes) {}

    SaveOutcome run() {
        check();
        const bool exists = status_.kind == FileStatus::Kind::Regular;
        SaveOutcome outcome;
        outcome.way = exists ? SaveOutcome::Way::Replaced : SaveOutcome::Way::Created;
        // Another name of the file would keep the old content after a rename.
        if (status_.links > 1 || !replaceAtomically(exists)) {
            overwriteInPlace();
            outcome.way = SaveOutcome::Way::OverwrittenInPlace;
        }
        try {
            outcome.stamp = files_.status(target_).stamp;
        } catch (const FileError&) {
            // Unknown: the next save takes the file for changed and asks.
        }
        removeBackupsOf(files_, path_);
        return outcome;
    }

    // A new file of the user's takes the place of the symbolic link at path; what the link
    // points to is left alone.
    void replaceLink() {
        target_ = path_;
        replaceAtomically(false);
    }

private:
    [[noreturn]] void fail(const FileError& error) { throw writeError(path_, error); }

    void check() {
        try {
            target_ = files_.finalTarget(path_);
            status_ = files_.status(target_);
        } catch (const FileError& error) {
            fail(error);
        }
        switch (status_.kind) {
        case FileStatus::Kind::Missing:
            return;
        case FileStatus::Kind::Folder:
            fail(FileError(FileFault::IsFolder, {}));
        case FileStatus::Kind::Other:
            // Replacing a device or a pipe by a regular file would destroy it.
            fail(FileError(FileFault::NotRegular, {}));
        case FileStatus::Kind::Regular:
            break;
        }
        if (status_.readOnly) {
            throw platform::RuntimeError(platform::ErrorNumber::PathFileAccess,
                                         "无法写入文件" + quoted(path_) + "：文件是只读的");
        }
        if (status_.writeRefused) {
            fail(FileError(*status_.writeRefused, {}));
        }
    }

    // False, with nothing changed, where the file must be overwritten in place instead.
    bool replaceAtomically(bool exists) {
        std::unique_ptr<OpenFile> fresh;
        try {
            fresh = files_.createBeside(target_);
        } catch (const FileError& error) {
            if (exists && refusedByFolder(error)) {
                return false;
            }
            fail(error);
        }
        const std::string freshPath = fresh->path();
        try {
            if (!exists) {
                files_.giveNewFileAttributes(*fresh);
            } else if (!files_.takeOverAttributes(target_, *fresh)) {
                fresh.reset();
                removeQuietly(files_, freshPath);
                return false;
            }
            fill(*fresh, bytes_);
            try {
                files_.replace(freshPath, target_);
            } catch (const FileError& error) {
                if (!exists || !refusedByFolder(error)) {
                    throw;
                }
                removeQuietly(files_, freshPath);
                return false;
            }
        } catch (const FileError& error) {
            fresh.reset();
            removeQuietly(files_, freshPath);
            fail(error);
        }
        try {
            files_.flushFolder(files_.folderOf(target_));
        } catch (const FileError&) {
            // The file is in place; only a crash in the next moments could still undo it.
        }
        return true;
    }

    void overwriteInPlace() {
        std::unique_ptr<OpenFile> file;
        std::string old;
        try {
            file = files_.openForWriting(target_);
            old = readToEnd(*file);
        } catch (const FileError& error) {
            fail(error);
        }
        SaveBackup backup(files_, path_, old);
        try {
            file->reserve(bytes_.size());
        } catch (const FileError& error) {
            // A reservation that failed half-way may have lengthened the file.
            try {
                file->truncate(old.size());
            } catch (const FileError&) {
            }
            fail(error);
        }
        try {
            writeOver(*file, bytes_);
        } catch (const FileError& error) {
            file.reset();
            if (restore(old)) {
                fail(error);
            }
            backup.keep();
            const FaultDescription description = describe(error);
            throw platform::RuntimeError(description.number,
                                         "无法写入文件" + quoted(path_) + "：" + description.text +
                                             "。文件可能不完整，原来的内容保存在" +
                                             quoted(backup.copyPath()));
        }
    }

    bool restore(const std::string& old) {
        try {
            writeOver(*files_.openForWriting(target_), old);
            return true;
        } catch (const FileError&) {
            return false;
        }
    }

    platform::TextFiles& files_;
    const std::string& path_;
    std::string_view bytes_;
    std::string target_;
    FileStatus status_;
};

} // namespace

SaveOutcome saveFile(platform::TextFiles& files, const std::string& path, std::string_view bytes) {
    return Save(files, path, bytes).run();
}

void replaceEntry(platform::TextFiles& files, const std::string& path, std::string_view bytes) {
    bool link = false;
    try {
        link = files.isLink(path);
    } catch (const FileError& error) {
        throw writeError(path, error);
    }
    if (link) {
        Save(files, path, bytes).replaceLink();
    } else {
        saveFile(files, path, bytes);
    }
}

} // namespace files
