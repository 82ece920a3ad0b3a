// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "sequential_file.h"

#include "document_text.h"
#include "file_errors.h"
#include "plain_text.h"
#include "save_procedure.h"

namespace files {

SequentialInput::SequentialInput(platform::TextFiles& files, platform::CodePage& codePage,
                                 const std::string& path)
    : lines_(splitLines(decodeDocument(readWholeFile(files, path), codePage).text)) {}

std::string SequentialInput::readField() {
    if (atEnd()) {
        return {};
    }
    std::string field = lines_[next_++];
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
        field = field.substr(1, field.size() - 2);
    }
    return field;
}

SequentialOutput::SequentialOutput(platform::TextFiles& files, platform::CodePage& codePage,
                                   std::string path)
    : files_(files), codePage_(codePage), path_(std::move(path)) {}

void SequentialOutput::writeLine(const std::string& text) {
    text_ += text;
    text_ += "\r\n";
}

std::string SequentialOutput::bytes() const {
    return codePage_.encode(text_, codePage_.systemEncoding());
}

void SequentialOutput::close() {
    saveFile(files_, path_, bytes());
}

void SequentialOutput::closeAsNewEntry() {
    replaceEntry(files_, path_, bytes());
}

} // namespace files
