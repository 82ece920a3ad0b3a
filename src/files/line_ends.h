// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace files {

enum class LineEnd : unsigned char { CrLf, Lf, Cr };

// The bytes of a line end.
std::string_view bytesOf(LineEnd end);

// The line ends of a file whose lines do not all end alike: each line's own end, and a hash of
// each line's text to find the lines again in the text as it is saved.
struct MixedLineEnds {
    std::vector<std::uint64_t> lineHashes; // one for every line, the last one (without end) too
    std::vector<LineEnd> ends;             // one for every line but the last
};

// How a document's file ends its lines. A file whose lines end alike (the usual case) costs a
// single value; only a file of mixed line ends keeps a record of every line.
struct LineEnds {
    // What lines the user adds end in: the file's own, or CR LF for a new document or a file
    // without any line end.
    LineEnd dominant = LineEnd::CrLf;
    std::shared_ptr<const MixedLineEnds> mixed;

    bool operator==(const LineEnds&) const = default;
};

// Which kinds of line end a file's text holds, gathered a piece at a time as it is read. It
// looks at each piece as a whole, never line by line.
class LineEndTally {
public:
    // A piece as read (lines ended in any way) and the same piece with "\n" for every end.
    void count(std::string_view original, std::string_view converted);
    bool mixed() const { return kinds() > 1; }
    // The one kind of a file whose lines end alike; CR LF for one without line ends.
    LineEnd only() const;

private:
    int kinds() const { return int{crLf_} + int{lf_} + int{cr_}; }
    bool crLf_ = false;
    bool lf_ = false;
    bool cr_ = false;
};

// The record of a file of mixed line ends: its bytes (from the start of the text on, in any
// encoding that keeps CR and LF as they are) and its decoded text with "\n" ends.
LineEnds mixedLineEnds(std::string_view bytes, std::string_view text);

// The text ("\n" ends) with the file's own line ends: each line found unchanged in the file's
// record gets the end it had there, a changed line the end of the line it took the place of,
// and a new line the dominant one. When written is given, it receives the line ends of the
// text as written.
std::string withFileLineEnds(std::string_view text, const LineEnds& lineEnds,
                             LineEnds* written = nullptr);

} // namespace files
