// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/text_files.h"

#include <string>
#include <string_view>

namespace files {

// How a save ended, for the caller to remember the file by.
struct SaveOutcome {
    enum class Way {
        // A new file took the old one's place in one step.
        Replaced,
        // There was no file yet.
        Created,
        // The file kept its place and got the new content written over the old, a copy of
        // which was kept meanwhile.
        OverwrittenInPlace,
    };
    Way way = Way::Replaced;
    // The file as the save left it.
    platform::FileStamp stamp;
};

// Makes bytes the whole content of the file at path (through its symbolic links), on any file
// system, by one procedure:
// - every check comes before the first change, so a refused save changes nothing;
// - the new content goes to a new file beside the old one, which takes the old one's owner,
//   group, permissions and attributes and then its place in one step;
// - where that cannot keep what the file is (more than one name, an owner or attributes the
//   new file cannot be given, a folder that takes no new file or refuses the rename), the file
//   is overwritten in place: a whole copy of the old content is kept first (SaveBackup), a
//   write that fails puts the old content back, and should even that fail the error names the
//   copy; a crash meanwhile leaves the copy for the next start to report.
// After any failure the file holds its old content or its new one, whole, or the message names
// where the old content is. Raises RuntimeError with the number and words of the failure.
SaveOutcome saveFile(platform::TextFiles& files, const std::string& path, std::string_view bytes);

// Puts a new file holding bytes in path's place. A symbolic link there is replaced itself; what
// it points to is left alone. Nothing is ever written through a link.
void replaceEntry(platform::TextFiles& files, const std::string& path, std::string_view bytes);

} // namespace files
