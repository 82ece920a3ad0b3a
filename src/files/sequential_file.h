// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/code_page.h"
#include "platform/text_files.h"

#include <string>
#include <vector>

namespace files {

// Reads a small text file line by line. The whole file is read and decoded when it is opened,
// by the rule documents follow (UTF-8 when valid, else GB18030), so a file written in another
// code page than the running system's still reads; a file that cannot be read fails here.
class SequentialInput {
public:
    SequentialInput(platform::TextFiles& files, platform::CodePage& codePage,
                    const std::string& path);

    bool atEnd() const { return next_ >= lines_.size(); }
    // One value: its whole line, without the line end; a value wrapped in double quotes loses
    // them. Only whole lines count, so a directory holding a comma reads back unchanged.
    std::string readField();

private:
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
};

// Collects lines ended by CR LF and writes them in the system code page when closed.
class SequentialOutput {
public:
    SequentialOutput(platform::TextFiles& files, platform::CodePage& codePage, std::string path);

    void writeLine(const std::string& text);
    // Encodes and writes the lines, replacing the file whole.
    void close();
    // The same, but as a new file in path's place: a link there is replaced, not written
    // through.
    void closeAsNewEntry();

private:
    std::string bytes() const;

    platform::TextFiles& files_;
    platform::CodePage& codePage_;
    std::string path_;
    std::string text_;
};

} // namespace files
