// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/error.h"
#include "platform/text_files.h"

#include <string>

namespace files {

// The number a file fault is reported by, and its words in the user's language.
struct FaultDescription {
    int number;
    std::string text;
};
FaultDescription describe(const platform::FileError& error);

// The failure of reading a file, for the message that names the file itself: the cause only.
platform::RuntimeError readError(const platform::FileError& error);
// The failure of writing the file at path: the file and the cause.
platform::RuntimeError writeError(const std::string& path, const platform::FileError& error);

// What a freshly opened file holds, read up to its end rather than to its size: a file may grow
// while it is read. Raises FileError.
std::string readToEnd(platform::OpenFile& file);

// The file's whole content. Raises RuntimeError as readError gives it, and for a file too
// large for the memory left.
std::string readWholeFile(platform::TextFiles& files, const std::string& path);

// “path”, as every message quotes a file.
std::string quoted(const std::string& path);

} // namespace files
