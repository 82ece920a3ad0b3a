// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "document_text.h"
#include "platform/services.h"
#include "platform/text_control.h"
#include "save_procedure.h"

#include <optional>
#include <string>

namespace files {

// A document's file as its window last read or wrote it: where, and the state it was left in.
struct FileOnDisk {
    std::string path;
    platform::FileStamp stamp;

    bool operator==(const FileOnDisk&) const = default;
};

// How a document's save ended.
enum class DocumentSave {
    Saved,
    // The file had changed on disk since the window last read or wrote it, and the user kept
    // what the other program wrote.
    KeptOthersChange,
};

// Writes a control's text as a document file: plain text in the given encoding, replacing the
// file whole by the save procedure. Before it overwrites the file the window last saw, changed
// on disk since (another length, time or file), it asks whether to overwrite. Afterwards
// onDisk holds the file as the save left it, and encoding the line ends it was written with. Raises
// RuntimeError as saveFile does.
DocumentSave saveDocument(platform::Services& services, platform::TextControl& text,
                          DocumentEncoding& encoding, std::optional<FileOnDisk>& onDisk,
                          const std::string& path);

} // namespace files
