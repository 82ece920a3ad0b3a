#include "plain_text.h"

#include <algorithm>

namespace files {

namespace {

unsigned char byteAt(std::string_view text, std::size_t pos) {
    return static_cast<unsigned char>(text[pos]);
}

} // namespace

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

bool isValidUtf8(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
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
    result.reserve(text.size() + text.size() / 32);
    std::size_t pos = 0;
    while (pos < text.size()) {
        // One search for the nearer of the two bytes: each byte of the text is looked at once.
        const std::size_t lineBreak = std::min(text.find_first_of("\r\n", pos), text.size());
        result.append(text.substr(pos, lineBreak - pos));
        if (lineBreak == text.size()) {
            break;
        }
        result.append(lineEnd);
        pos = lineBreak + 1;
        if (text[lineBreak] == '\r' && pos < text.size() && text[pos] == '\n') {
            ++pos;
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
