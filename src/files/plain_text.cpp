// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "plain_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace files {

namespace {

unsigned char byteAt(std::string_view text, std::size_t pos) {
    return static_cast<unsigned char>(text[pos]);
}

// Where byte is found from pos on, or the end of the text: memchr's speed, no npos to test.
const char* findByte(const char* pos, const char* end, char byte) {
    const void* found = std::memchr(pos, byte, static_cast<std::size_t>(end - pos));
    return found != nullptr ? static_cast<const char*>(found) : end;
}

} // namespace

std::size_t asciiRunEnd(std::string_view text, std::size_t pos) {
    // Eight bytes at a time while none has its high bit set: the bulk of a source file.
    constexpr std::uint64_t HighBits = 0x8080808080808080;
    while (text.size() - pos >= sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + pos, sizeof word);
        if ((word & HighBits) != 0) {
            break;
        }
        pos += sizeof word;
    }
    while (pos < text.size() && byteAt(text, pos) < 0x80) {
        ++pos;
    }
    return pos;
}

std::size_t utf8SequenceLength(std::string_view text, std::size_t pos) {
    const unsigned char lead = byteAt(text, pos);
    if (lead < 0x80) {
        return 1;
    }
    // The ranges of the second byte shut out overlong forms, surrogates and values past
    // U+10FFFF.
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead == 0xE0) {
        length = 3;
        low = 0xA0;
    } else if ((lead >= 0xE1 && lead <= 0xEC) || lead == 0xEE || lead == 0xEF) {
        length = 3;
    } else if (lead == 0xED) {
        length = 3;
        high = 0x9F;
    } else if (lead == 0xF0) {
        length = 4;
        low = 0x90;
    } else if (lead >= 0xF1 && lead <= 0xF3) {
        length = 4;
    } else if (lead == 0xF4) {
        length = 4;
        high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() - pos < length || byteAt(text, pos + 1) < low || byteAt(text, pos + 1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if ((byteAt(text, pos + i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

char32_t utf8CodePoint(std::string_view text, std::size_t pos, std::size_t length) {
    static constexpr unsigned char leadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t value = byteAt(text, pos) & leadMask[length];
    for (std::size_t i = 1; i < length; ++i) {
        value = (value << 6) | (byteAt(text, pos + i) & 0x3F);
    }
    return value;
}

bool isValidUtf8(std::string_view text) {
    std::size_t pos = 0;
    while ((pos = asciiRunEnd(text, pos)) < text.size()) {
        const std::size_t length = utf8SequenceLength(text, pos);
        if (length == 0) {
            return false;
        }
        pos += length;
    }
    return true;
}

std::string withLineEnds(std::string_view text, std::string_view lineEnd) {
    std::string result;
    result.reserve(text.size() + (lineEnd.size() > 1 ? text.size() / 32 : 0));
    const char* pos = text.data();
    const char* const end = pos + text.size();
    // The next CR and the next LF, each searched for once. Where a lone LF stays as it is,
    // only the CRs break the runs copied whole.
    const bool lineFeedStays = lineEnd == "\n";
    const char* carriageReturn = findByte(pos, end, '\r');
    const char* lineFeed = lineFeedStays ? end : findByte(pos, end, '\n');
    while (pos < end) {
        const char* lineBreak = std::min(carriageReturn, lineFeed);
        result.append(pos, lineBreak);
        if (lineBreak == end) {
            break;
        }
        pos = lineBreak + 1;
        const bool crLf = *lineBreak == '\r' && pos < end && *pos == '\n';
        if (lineFeedStays) {
            // Only CRs stop here. Of a CR LF the LF goes out with the next run; a bare CR
            // becomes one.
            if (!crLf) {
                result.push_back('\n');
            }
        } else {
            result.append(lineEnd);
            if (crLf) {
                ++pos;
            }
        }
        if (carriageReturn < pos) {
            carriageReturn = findByte(pos, end, '\r');
        }
        if (lineFeed < pos) {
            lineFeed = findByte(pos, end, '\n');
        }
    }
    return result;
}

std::vector<std::string> splitLines(std::string_view text) {
    const std::string lines = withLineEnds(text, "\n");
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start < lines.size()) {
        const std::size_t end = std::min(lines.find('\n', start), lines.size());
        result.push_back(lines.substr(start, end - start));
        start = end + 1;
    }
    return result;
}

} // namespace files
