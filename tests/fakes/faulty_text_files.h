// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/text_files.h"

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace fakes {

// How an injected fault behaves.
enum class FaultKind {
    // The call fails with the fault, once; a write first writes half of its bytes.
    Once,
    // The call fails, and every later call of the same step too.
    Lasting,
    // The program dies in the call: a write writes half of its bytes, and nothing it would do
    // afterwards (its clean-up included) reaches the file system.
    Crash,
};

struct InjectedFault {
    // The step, as the trace names it ("writeAt:document"), and which of its calls, from 1.
    std::string step;
    int occurrence = 1;
    FaultKind kind = FaultKind::Once;
    platform::FileFault fault = platform::FileFault::DeviceIO;
};

// A file system that passes every call to another one, names each call as a step (the call
// and the part the file plays: the document, a temporary file beside it, the kept copy, its
// record) in a trace, and fails the steps it is told to.
class FaultyTextFiles : public platform::TextFiles {
public:
    FaultyTextFiles(platform::TextFiles& inner, std::string document);

    std::vector<InjectedFault> faults;
    std::vector<std::string> trace;
    bool crashed() const { return crashed_; }

    std::unique_ptr<platform::OpenFile> openForReading(const std::string& path) override;
    std::unique_ptr<platform::OpenFile> openForWriting(const std::string& path) override;
    std::string finalTarget(const std::string& path) override;
    bool isLink(const std::string& path) override;
    platform::FileStatus status(const std::string& path) override;
    std::string folderOf(const std::string& path) override { return inner_.folderOf(path); }
    std::string inFolder(const std::string& folder, const std::string& name) override {
        return inner_.inFolder(folder, name);
    }
    std::unique_ptr<platform::OpenFile> createBeside(const std::string& target) override;
    bool takeOverAttributes(const std::string& from, platform::OpenFile& to) override;
    void giveNewFileAttributes(platform::OpenFile& to) override;
    void replace(const std::string& fresh, const std::string& target) override;
    void remove(const std::string& path) override;
    std::unique_ptr<platform::OpenFile> createExclusive(const std::string& path) override;
    bool inUse(const std::string& path) override;
    void makePrivateFolder(const std::string& folder) override;
    std::vector<std::string> namesIn(const std::string& folder) override;
    void removeFolder(const std::string& folder) override;
    void flushFolder(const std::string& folder) override;
    std::string cacheFolder() override { return inner_.cacheFolder(); }

private:
    // Counts the call as a step; the fault due in it, if any. After a crash every call is one
    // that fails.
    std::optional<InjectedFault> due(const std::string& call, const std::string& path);
    // Fails the call with the fault.
    [[noreturn]] void raise(const InjectedFault& fault);
    void step(const std::string& call, const std::string& path);
    std::string roleOf(const std::string& path) const;
    std::unique_ptr<platform::OpenFile> wrap(std::unique_ptr<platform::OpenFile> file);

    platform::TextFiles& inner_;
    std::string document_;
    std::string backups_;
    std::set<std::string> temporaries_;
    std::map<std::string, int> counts_;
    std::set<std::string> lasting_;
    bool crashed_ = false;
    // A call came after the crash: the program is dead and does nothing more.
    bool crashedBefore_ = false;
    friend class FaultyOpenFile;
};

} // namespace fakes
