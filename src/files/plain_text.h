// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The byte-level rules of plain text that the program, its edit control and its batch
// interpreter share: what counts as UTF-8, and what ends a line.
namespace files {

// Length of the well-formed UTF-8 sequence at pos, or 0 for one that is not: overlong forms,
// UTF-16 surrogates, code points above U+10FFFF and sequences cut short are not UTF-8.
std::size_t utf8SequenceLength(std::string_view text, std::size_t pos);

// The code point of the well-formed sequence of length bytes at pos (as utf8SequenceLength
// gives it).
char32_t utf8CodePoint(std::string_view text, std::size_t pos, std::size_t length);

bool isValidUtf8(std::string_view text);

// The first position from pos on that holds a byte outside ASCII, or the text's size.
std::size_t asciiRunEnd(std::string_view text, std::size_t pos);

// Every CR LF, lone LF and bare CR becomes lineEnd. Both bytes are ASCII and never occur
// inside a UTF-8 sequence, so this works on UTF-8 text as well as on bytes.
std::string withLineEnds(std::string_view text, std::string_view lineEnd);

// The lines of a text without their line ends, broken where withLineEnds breaks them; a line
// end at the very end starts no further line.
std::vector<std::string> splitLines(std::string_view text);

} // namespace files
