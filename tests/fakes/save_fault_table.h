// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/text_files.h"

#include <string>
#include <vector>

namespace fakes {

// One case of the table: a save in a scenario with one fault injected at one step, and what
// the file system held afterwards.
struct SaveFaultRow {
    std::string scenario;
    std::string fault;
    std::string outcome;
    long long bytesLost = 0;

    bool operator==(const SaveFaultRow&) const = default;
};

// Saves a 150 kB text over a 100 kB file A.java in folder (or as a new file, or over one whose
// folder takes no new file) once without a fault, and then once for every fault at every step
// of that save: each step failing once with a disk fault, a full disk or a refusal, failing
// for good, or the program dying in it. After each case it looks at what the file holds, what
// the message named, and what the next start would report. The backups go to the cache folder
// of files, which must be empty.
std::vector<SaveFaultRow> runSaveFaultTable(platform::TextFiles& files, const std::string& folder);

// The rows that end otherwise than the same cases on the file system in memory, one a line;
// empty when every case ends alike.
std::string differencesFromMemory(const std::vector<SaveFaultRow>& rows);

// Cases tried, cases that held (nothing lost), bytes lost, and the cases by outcome.
std::string summaryOf(const std::vector<SaveFaultRow>& rows);

} // namespace fakes
