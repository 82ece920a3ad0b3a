// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "save_fault_table.h"

#include "fake_text_files.h"
#include "faulty_text_files.h"
#include "files/file_errors.h"
#include "files/save_backup.h"
#include "files/save_procedure.h"

#include <algorithm>
#include <map>
#include <optional>
#include <sstream>

namespace fakes {

namespace {

using platform::FileFault;

struct Scenario {
    std::string name;
    bool exists;
    // Faults that make the scenario, beneath the one each case adds.
    std::vector<InjectedFault> ground;
};

struct Kind {
    const char* name;
    FaultKind kind;
    FileFault fault;
};

const Kind Kinds[] = {
    {"EIO once", FaultKind::Once, FileFault::DeviceIO},
    {"full once", FaultKind::Once, FileFault::DiskFull},
    {"refused once", FaultKind::Once, FileFault::AccessDenied},
    {"EIO for good", FaultKind::Lasting, FileFault::DeviceIO},
    {"crash", FaultKind::Crash, FileFault::DeviceIO},
};

std::string lines(const char* what, std::size_t size) {
    std::string text;
    for (int line = 0; text.size() < size; ++line) {
        text += "// " + std::string(what) + " line " + std::to_string(line) + "\r\n";
    }
    text.resize(size);
    return text;
}

std::optional<std::string> contentOf(platform::TextFiles& files, const std::string& path) {
    try {
        return files::readWholeFile(files, path);
    } catch (const platform::RuntimeError&) {
        return std::nullopt;
    }
}

void removeTree(platform::TextFiles& files, const std::string& folder) {
    for (const std::string& name : files.namesIn(folder)) {
        const std::string path = files.inFolder(folder, name);
        try {
            if (files.status(path).kind == platform::FileStatus::Kind::Folder &&
                !files.isLink(path)) {
                removeTree(files, path);
                files.removeFolder(path);
            } else {
                files.remove(path);
            }
        } catch (const platform::FileError&) {
        }
    }
}

class Table {
public:
    Table(platform::TextFiles& files, const std::string& folder)
        : files_(files), folder_(folder), document_(files.inFolder(folder, "A.java")),
          backups_(files::backupsFolder(files)), old_(lines("old", 100000)),
          new_(lines("new", 150000)) {}

    std::vector<SaveFaultRow> run() {
        // A folder that takes no new file sends the save down the in-place path.
        const std::vector<Scenario> scenarios = {
            {"replace", true, {}},
            {"create", false, {}},
            {"in place",
             true,
             {{"createBeside:document", 1, FaultKind::Lasting, FileFault::AccessDenied}}},
        };
        std::vector<SaveFaultRow> rows;
        for (const Scenario& scenario : scenarios) {
            const std::vector<std::string> trace = runCase(scenario, std::nullopt, rows);
            std::map<std::string, int> seen;
            for (const std::string& step : trace) {
                if (step.starts_with("namesIn:")) {
                    continue;
                }
                const int occurrence = ++seen[step];
                for (const Kind& kind : Kinds) {
                    runCase(scenario, InjectedFault{step, occurrence, kind.kind, kind.fault}, rows,
                            kind.name);
                }
            }
        }
        return rows;
    }

private:
    void reset(const Scenario& scenario) {
        removeTree(files_, folder_);
        removeTree(files_, backups_);
        if (scenario.exists) {
            files::saveFile(files_, document_, old_);
        }
    }

    // Runs one case, adds its row; the trace of its steps.
    std::vector<std::string> runCase(const Scenario& scenario,
                                     const std::optional<InjectedFault>& fault,
                                     std::vector<SaveFaultRow>& rows, const char* kind = "") {
        reset(scenario);
        FaultyTextFiles faulty(files_, document_);
        faulty.faults = scenario.ground;
        if (fault) {
            faulty.faults.push_back(*fault);
        }
        std::string message;
        bool saved = false;
        try {
            files::saveFile(faulty, document_, new_);
            saved = true;
        } catch (const platform::RuntimeError& error) {
            message = error.description();
        }
        // Whatever the procedure said after it died, nobody heard it.
        const bool crashed = faulty.crashed();
        if (crashed) {
            saved = false;
            message.clear();
        }
        SaveFaultRow row;
        row.scenario = scenario.name;
        row.fault =
            fault ? fault->step + "#" + std::to_string(fault->occurrence) + " " + kind : "none";
        row.outcome = outcomeOf(scenario, saved, crashed, message, row.bytesLost);
        rows.push_back(row);
        return faulty.trace;
    }

    std::string outcomeOf(const Scenario& scenario, bool saved, bool crashed,
                          const std::string& message, long long& bytesLost) {
        const std::optional<std::string> content = contentOf(files_, document_);
        std::string outcome = saved ? "saved: " : crashed ? "died: " : "refused: ";
        const bool old = scenario.exists ? content == old_ : !content.has_value();
        if (content == new_) {
            outcome += "new";
        } else if (old) {
            outcome += scenario.exists ? "old" : "no file";
        } else {
            outcome += "torn";
        }
        // The copy that the message names, or that the next start reports.
        bool copied = false;
        for (const files::InterruptedSave& save : files::findInterruptedSaves(files_)) {
            if (save.documentPath == document_ && contentOf(files_, save.backupPath) == old_) {
                outcome += ", copy reported at next start";
                copied = true;
            } else {
                outcome += ", a copy that is none reported at next start";
            }
        }
        const std::size_t named = message.find(backups_);
        if (named != std::string::npos) {
            const std::string copy = message.substr(named, message.rfind("”") - named);
            if (contentOf(files_, copy) == old_) {
                outcome += ", copy named";
                copied = true;
            }
        }
        for (const std::string& name : files_.namesIn(folder_)) {
            if (name != "A.java") {
                outcome += ", temporary left";
            }
        }
        if (!copied && !files_.namesIn(backups_).empty() &&
            files::findInterruptedSaves(files_).empty()) {
            outcome += ", copy kept";
        }
        if ((saved && content != new_) || (!old && content != new_ && !copied)) {
            bytesLost = scenario.exists ? static_cast<long long>(old_.size()) : 0;
            if (saved) {
                bytesLost += static_cast<long long>(new_.size());
            }
        }
        return outcome;
    }

    platform::TextFiles& files_;
    std::string folder_;
    std::string document_;
    std::string backups_;
    std::string old_;
    std::string new_;
};

} // namespace

std::vector<SaveFaultRow> runSaveFaultTable(platform::TextFiles& files, const std::string& folder) {
    return Table(files, folder).run();
}

std::string differencesFromMemory(const std::vector<SaveFaultRow>& rows) {
    FakeTextFiles memory;
    const std::vector<SaveFaultRow> expected = runSaveFaultTable(memory, "/src");
    std::string differences;
    for (std::size_t i = 0; i < std::max(rows.size(), expected.size()); ++i) {
        const SaveFaultRow here = i < rows.size() ? rows[i] : SaveFaultRow{};
        const SaveFaultRow there = i < expected.size() ? expected[i] : SaveFaultRow{};
        if (here != there) {
            differences += here.scenario + " " + here.fault + ": " + here.outcome +
                           " / in memory: " + there.scenario + " " + there.fault + ": " +
                           there.outcome + "\n";
        }
    }
    return differences;
}

std::string summaryOf(const std::vector<SaveFaultRow>& rows) {
    std::map<std::string, int> outcomes;
    long long lost = 0;
    int held = 0;
    for (const SaveFaultRow& row : rows) {
        ++outcomes[row.scenario + " / " + row.outcome];
        lost += row.bytesLost;
        held += row.bytesLost == 0 ? 1 : 0;
    }
    std::ostringstream text;
    text << "save fault cases: " << rows.size() << ", held: " << held << ", bytes lost: " << lost
         << "\n";
    for (const auto& [outcome, count] : outcomes) {
        text << "  " << count << "  " << outcome << "\n";
    }
    return text.str();
}

} // namespace fakes
