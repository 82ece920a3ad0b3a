// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "document_text.h"
#include "platform/progress.h"
#include "platform/services.h"
#include "platform/text_store.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace files {

// Reads a document's file into a text store a piece at a time: read, decode and line ends in
// one pass, the window repainted between the pieces. A file that is not UTF-8 is read twice
// more: once to count the room its text takes as GB18030, once to decode it.
class DocumentLoad : public platform::StepwiseWork {
public:
    // Bytes read in one step: a few milliseconds of work.
    static constexpr std::size_t StepBytes = 1 << 20;
    // The longest line a document may have. The edit control lays a line out whole, at about
    // a microsecond a byte, again at each key typed into it: a file of one 200 MB line would
    // take minutes to show, and each key in it as long.
    static constexpr std::size_t LongestLineBytes = 256 << 10;

    // Opens the file. Raises RuntimeError for a file that cannot be read.
    DocumentLoad(platform::Services& services, std::string path, platform::TextStore& store);

    // The first step makes room for the text, which for a large file takes a while of its
    // own. Raises RuntimeError for a read failure, a file that is not text or a line longer
    // than LongestLineBytes, std::bad_alloc for a file too large for the memory left or when
    // the memory runs out.
    bool step() override;
    double fraction() const override;
    // Once the load is done.
    DocumentEncoding encoding() const;
    // The file as it was opened.
    platform::FileStamp stamp() const { return stamp_; }

private:
    bool advance();
    // Follows the length of the line under way through the bytes; raises RuntimeError
    // LineTooLong where it grows past LongestLineBytes.
    void checkLineLengths(std::string_view bytes);

    platform::Services& services_;
    platform::TextStore& store_;
    std::string path_;
    std::unique_ptr<platform::OpenFile> reader_;
    platform::FileStamp stamp_;
    DocumentDecoder decoder_;
    std::vector<char> buffer_;
    std::size_t size_ = 0;
    std::size_t read_ = 0;
    // The room the text takes: the file's size for UTF-8, the counted bound for GB18030.
    std::size_t room_ = 0;
    bool reserved_ = false;
    std::optional<Gb18030Utf8Bound> counting_;
    bool second_ = false;
    // A file of mixed line ends is read once more at the end, for the record of every line's.
    std::optional<LineEnds> mixedLineEnds_;
    std::size_t lineBytes_ = 0;
};

namespace DocumentErrorNumber {
// A line longer than DocumentLoad::LongestLineBytes.
inline constexpr int LineTooLong = 322;
} // namespace DocumentErrorNumber

// The progress box of a load, and the failure shown for a file too large to load.
platform::ProgressRequest loadProgress(const std::string& path);
extern const char* const FileTooLargeText;
extern const char* const LineTooLongText;

} // namespace files
