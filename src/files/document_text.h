// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "line_ends.h"
#include "platform/code_page.h"
#include "platform/text_store.h"

#include <string>
#include <string_view>

namespace files {

// Failures of the document layer itself; the platform's own failures keep their numbers.
namespace DocumentErrorNumber {
// The file holds NUL bytes, or bytes that no encoding a document may have reads: loading it
// would show nonsense and a later save would write that nonsense back over the file.
inline constexpr int NotText = 321;
// The text holds a character that the document's encoding cannot store.
inline constexpr int CharacterNotStorable = 1001;
} // namespace DocumentErrorNumber

// How a document's file stores its text: the encoding's name as the code page knows it,
// whether the file starts with a byte-order mark, and how its lines end.
struct DocumentEncoding {
    DocumentEncoding(std::string name = {}, bool byteOrderMark = false, LineEnds lineEnds = {})
        : name(std::move(name)), byteOrderMark(byteOrderMark), lineEnds(std::move(lineEnds)) {}

    std::string name;
    bool byteOrderMark;
    LineEnds lineEnds;

    bool operator==(const DocumentEncoding&) const = default;
};

struct DecodedDocument {
    // UTF-8, lines separated by "\n" alone.
    std::string text;
    // What the document is saved in again, so that an unchanged document writes the same bytes.
    DocumentEncoding encoding;
};

// Valid UTF-8 (with or without a mark) reads as UTF-8, anything else as GB18030, the superset
// of the GBK that Chinese Windows writes. CR LF, LF and a bare CR each end one line.
// Raises RuntimeError DocumentErrorNumber::NotText for a file that is not text.
DecodedDocument decodeDocument(std::string_view bytes, platform::CodePage& codePage);

// The same decoding for a file read in pieces: the text goes into a store a run of whole lines
// at a time, so that the file's bytes and its text are never held whole side by side.
class DocumentDecoder {
public:
    // Whether the bytes fed so far decode, or the file turned out not to be UTF-8 and must be
    // fed again from its start (as GB18030; the store is emptied).
    enum class Progress { Decoding, StartOver };

    DocumentDecoder(platform::CodePage& codePage, platform::TextStore& store);

    // The file's next bytes; atEnd with its last ones. Raises RuntimeError
    // DocumentErrorNumber::NotText as decodeDocument does.
    Progress feed(std::string_view bytes, bool atEnd);
    // Once the last bytes are fed. A file of mixed line ends has only its dominant end here:
    // the record of every line's own comes from mixedLineEnds.
    DocumentEncoding encoding() const;
    bool mixedLineEnds() const { return lineEnds_.mixed(); }

private:
    void decodeUpTo(std::size_t end);

    platform::CodePage& codePage_;
    platform::TextStore& store_;
    // Bytes after the last line break fed, kept until the rest of their line comes.
    std::string pending_;
    bool markChecked_ = false;
    bool mark_ = false;
    bool gb18030_ = false;
    bool nonAscii_ = false;
    LineEndTally lineEnds_;
};

// The most bytes a GB18030 file's text takes as UTF-8, counted a piece at a time, so that
// its room can be made once before it is read: three for a two-byte character, four for a
// four-byte one, one for ASCII. Line ends are counted as they are.
class Gb18030Utf8Bound {
public:
    void feed(std::string_view bytes);
    std::size_t bound() const;

private:
    enum class At { CharacterStart, AfterLead, FourByteRest2, FourByteRest1 };
    std::size_t bound_ = 0;
    At at_ = At::CharacterStart;
};

// Lines end as the file's own did (withFileLineEnds); the mark is written again where the file
// had one. Raises RuntimeError DocumentErrorNumber::CharacterNotStorable, naming the character
// and its line, for a character the encoding cannot hold. When written is given, it receives
// the line ends of the text as encoded.
std::string encodeDocument(std::string_view text, const DocumentEncoding& encoding,
                           platform::CodePage& codePage, LineEnds* written = nullptr);

// A document that has no file yet is written in the system's code page.
DocumentEncoding encodingForNewDocument(platform::CodePage& codePage);

} // namespace files
