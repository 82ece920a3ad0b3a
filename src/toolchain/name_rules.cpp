// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "name_rules.h"

#include "files/plain_text.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace toolchain {

namespace {

// One character of a UTF-8 text: its code point and its length, or length 0 for a byte that
// starts no well-formed sequence.
struct Character {
    char32_t code = 0;
    std::size_t length = 0;
};

Character characterAt(std::string_view text, std::size_t pos) {
    const std::size_t length = files::utf8SequenceLength(text, pos);
    if (length == 0) {
        return {};
    }
    return {files::utf8CodePoint(text, pos, length), length};
}

bool isControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// Characters that change the order of the text around them or show as nothing.
bool isInvisibleFormat(char32_t c) {
    return c == 0x061C || (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2060 && c <= 0x2069) || c == 0xFEFF;
}

struct Range {
    char32_t first;
    char32_t last;
};

// Beyond ASCII, what a name may hold that is no part of a Java identifier: controls, spaces,
// punctuation and symbols (the currency signs, which Java counts as letters, and its connector
// punctuation such as "‿" and "＿" excepted), private use and emoji.
constexpr std::array<Range, 36> NeverInIdentifier = {{
    {0x0080, 0x00A1},    {0x00A6, 0x00A9}, {0x00AB, 0x00B4}, {0x00B6, 0x00B9}, {0x00BB, 0x00BF},
    {0x00D7, 0x00D7},    {0x00F7, 0x00F7}, {0x2000, 0x203E}, {0x2041, 0x2053}, {0x2055, 0x206F},
    {0x2190, 0x2BFF},    {0x2E00, 0x2E2E}, {0x2E30, 0x2E7F}, {0x3000, 0x3004}, {0x3008, 0x3020},
    {0x3030, 0x3030},    {0x303D, 0x303F}, {0xE000, 0xF8FF}, {0xFDD0, 0xFDEF}, {0xFE10, 0xFE1F},
    {0xFE30, 0xFE32},    {0xFE35, 0xFE4C}, {0xFE50, 0xFE68}, {0xFE6A, 0xFE6F}, {0xFEFF, 0xFEFF},
    {0xFF01, 0xFF03},    {0xFF05, 0xFF0F}, {0xFF1A, 0xFF20}, {0xFF3B, 0xFF3E}, {0xFF40, 0xFF40},
    {0xFF5B, 0xFF65},    {0xFFE2, 0xFFE4}, {0xFFE8, 0xFFEE}, {0xFFF0, 0xFFFF}, {0x1F000, 0x1FAFF},
    {0xF0000, 0x10FFFF},
}};

// Combining marks and the full-width digits go on an identifier but cannot begin one.
constexpr std::array<Range, 2> NeverFirstInIdentifier = {{{0x0300, 0x036F}, {0xFF10, 0xFF19}}};

template <std::size_t N> bool inRanges(const std::array<Range, N>& ranges, char32_t c) {
    return std::any_of(ranges.begin(), ranges.end(),
                       [c](const Range& r) { return c >= r.first && c <= r.last; });
}

bool isAsciiLetter(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$';
}

bool isIdentifierCharacter(char32_t c, bool first) {
    if (c < 0x80) {
        return isAsciiLetter(c) || (!first && c >= '0' && c <= '9');
    }
    if (inRanges(NeverInIdentifier, c) || isInvisibleFormat(c)) {
        return false;
    }
    return !first || !inRanges(NeverFirstInIdentifier, c);
}

constexpr std::array<std::string_view, 54> ReservedWords = {
    "_",       "abstract",  "assert",       "boolean",  "break",      "byte",    "case",
    "catch",   "char",      "class",        "const",    "continue",   "default", "do",
    "double",  "else",      "enum",         "extends",  "false",      "final",   "finally",
    "float",   "for",       "goto",         "if",       "implements", "import",  "instanceof",
    "int",     "interface", "long",         "native",   "new",        "null",    "package",
    "private", "protected", "public",       "return",   "short",      "static",  "strictfp",
    "super",   "switch",    "synchronized", "this",     "throw",      "throws",  "transient",
    "true",    "try",       "void",         "volatile", "while",
};

std::string codeLabel(char32_t code) {
    char label[16];
    std::snprintf(label, sizeof label, "[U+%04X]", static_cast<unsigned>(code));
    return label;
}

std::string byteLabel(unsigned char byte) {
    char label[8];
    std::snprintf(label, sizeof label, "[\\x%02X]", static_cast<unsigned>(byte));
    return label;
}

// The Control Pictures block holds a picture for each C0 control at U+2400 + its code, and
// one for DEL at U+2421.
std::string controlPicture(char32_t code) {
    const char32_t picture = code == 0x7F ? 0x2421 : 0x2400 + code;
    return {static_cast<char>(0xE2), static_cast<char>(0x80 | ((picture >> 6) & 0x3F)),
            static_cast<char>(0x80 | (picture & 0x3F))};
}

} // namespace

bool isPlainText(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const Character c = characterAt(text, pos);
        if (c.length == 0 || isControl(c.code)) {
            return false;
        }
        pos += c.length;
    }
    return true;
}

std::string visibleText(std::string_view text) {
    std::string shown;
    for (std::size_t pos = 0; pos < text.size();) {
        const Character c = characterAt(text, pos);
        if (c.length == 0) {
            shown += byteLabel(static_cast<unsigned char>(text[pos]));
            ++pos;
            continue;
        }
        if (c.code < 0x20 || c.code == 0x7F) {
            shown += controlPicture(c.code);
        } else if (isControl(c.code) || isInvisibleFormat(c.code)) {
            shown += codeLabel(c.code);
        } else {
            shown += text.substr(pos, c.length);
        }
        pos += c.length;
    }
    return shown;
}

bool isJavaIdentifier(std::string_view name) {
    if (name.empty() ||
        std::find(ReservedWords.begin(), ReservedWords.end(), name) != ReservedWords.end()) {
        return false;
    }
    for (std::size_t pos = 0; pos < name.size();) {
        const Character c = characterAt(name, pos);
        if (c.length == 0 || !isIdentifierCharacter(c.code, pos == 0)) {
            return false;
        }
        pos += c.length;
    }
    return true;
}

} // namespace toolchain
