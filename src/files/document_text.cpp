// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "document_text.h"

#include "plain_text.h"
#include "platform/error.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace files {

namespace {

constexpr std::string_view Utf8Encoding = "UTF-8";
constexpr std::string_view Gb18030Encoding = "GB18030";
constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

unsigned char byteAt(std::string_view s, std::size_t pos) {
    return static_cast<unsigned char>(s[pos]);
}

enum class Utf8Kind { Ascii, Utf8, Invalid };

Utf8Kind classifyUtf8(std::string_view s) {
    const std::size_t firstNonAscii = asciiRunEnd(s, 0);
    if (firstNonAscii == s.size()) {
        return Utf8Kind::Ascii;
    }
    return isValidUtf8(s.substr(firstNonAscii)) ? Utf8Kind::Utf8 : Utf8Kind::Invalid;
}

[[noreturn]] void throwNotText(const char* description) {
    throw platform::RuntimeError(DocumentErrorNumber::NotText, description);
}

std::size_t nextCharacter(std::string_view text, std::size_t pos) {
    do {
        ++pos;
    } while (pos < text.size() && (byteAt(text, pos) & 0xC0) == 0x80);
    return pos;
}

std::size_t startOfCharacter(std::string_view text, std::size_t pos) {
    while (pos > 0 && (byteAt(text, pos) & 0xC0) == 0x80) {
        --pos;
    }
    return pos;
}

// Offset of the first character that the encoding cannot store. Halving the failing range
// costs about two encodings of the text, which a save that already failed can afford.
// Nothing is blamed when no single character fails on its own (an unknown encoding, say).
std::optional<std::size_t> findUnstorableCharacter(std::string_view text,
                                                   const std::string& encoding,
                                                   platform::CodePage& codePage) {
    if (text.empty() || !platform::encodes(codePage, {}, encoding)) {
        return std::nullopt;
    }
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (nextCharacter(text, begin) < end) {
        const std::size_t mid =
            std::max(startOfCharacter(text, begin + (end - begin) / 2), nextCharacter(text, begin));
        if (platform::encodes(codePage, text.substr(begin, mid - begin), encoding)) {
            begin = mid;
        } else {
            end = mid;
        }
    }
    if (platform::encodes(codePage, text.substr(begin, end - begin), encoding)) {
        return std::nullopt;
    }
    return begin;
}

std::string unstorableDescription(std::string_view text, std::size_t pos,
                                  const std::string& encoding) {
    const std::size_t length = utf8SequenceLength(text, pos);
    const auto line = std::count(text.begin(), text.begin() + pos, '\n') + 1;
    char number[64];
    std::snprintf(number, sizeof number, "第%ld行的字符“", static_cast<long>(line));
    std::string description = number;
    if (length == 0) {
        std::snprintf(number, sizeof number, "\\x%02X”", byteAt(text, pos));
    } else {
        description.append(text.substr(pos, length));
        std::snprintf(number, sizeof number, "”（U+%04lX）",
                      static_cast<unsigned long>(utf8CodePoint(text, pos, length)));
    }
    description += number;
    description += "无法用" + encoding + "编码保存";
    return description;
}

} // namespace

DocumentDecoder::DocumentDecoder(platform::CodePage& codePage, platform::TextStore& store)
    : codePage_(codePage), store_(store) {}

DocumentDecoder::Progress DocumentDecoder::feed(std::string_view bytes, bool atEnd) {
    if (bytes.find('\0') != std::string_view::npos) {
        throwNotText("文件不是文本文件：其中含有空字节（NUL）");
    }
    pending_.append(bytes);
    if (!markChecked_) {
        if (pending_.size() < Utf8Mark.size() && !atEnd) {
            return Progress::Decoding;
        }
        markChecked_ = true;
        mark_ = std::string_view(pending_).starts_with(Utf8Mark);
        if (mark_) {
            pending_.erase(0, Utf8Mark.size());
        }
    }
    // Up to the last LF, or to just before the last CR, whose LF may still come: neither byte
    // occurs inside a character of UTF-8 or GB18030, so the cut falls between characters.
    std::size_t end = pending_.size();
    if (!atEnd) {
        const std::size_t lineFeed = pending_.find_last_of('\n');
        const std::size_t carriageReturn = pending_.find_last_of('\r');
        end = std::max(lineFeed == std::string::npos ? 0 : lineFeed + 1,
                       carriageReturn == std::string::npos ? 0 : carriageReturn);
    }
    if (end == 0) {
        return Progress::Decoding;
    }
    if (!gb18030_) {
        switch (classifyUtf8(std::string_view(pending_).substr(0, end))) {
        case Utf8Kind::Ascii:
            break;
        case Utf8Kind::Utf8:
            nonAscii_ = true;
            break;
        case Utf8Kind::Invalid:
            if (mark_) {
                throwNotText("无法识别文件的编码：文件以UTF-8标记开头，内容却不是有效的UTF-8");
            }
            gb18030_ = true;
            pending_.clear();
            store_.clear();
            return Progress::StartOver;
        }
    }
    decodeUpTo(end);
    return Progress::Decoding;
}

void DocumentDecoder::decodeUpTo(std::size_t end) {
    std::string_view text = std::string_view(pending_).substr(0, end);
    std::string decoded;
    if (gb18030_) {
        try {
            decoded = codePage_.decode(text, std::string(Gb18030Encoding));
        } catch (const platform::RuntimeError&) {
            throwNotText("无法识别文件的编码：它既不是有效的UTF-8，也不是有效的GB18030（GBK）");
        }
        text = decoded;
    }
    const std::string lines = withLineEnds(text, "\n");
    lineEnds_.count(text, lines);
    store_.append(lines);
    pending_.erase(0, end);
}

void Gb18030Utf8Bound::feed(std::string_view bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        switch (at_) {
        case At::CharacterStart: {
            const std::size_t asciiEnd = asciiRunEnd(bytes, pos);
            bound_ += asciiEnd - pos;
            pos = asciiEnd;
            if (pos < bytes.size()) {
                at_ = At::AfterLead;
                ++pos;
            }
            break;
        }
        case At::AfterLead: {
            // A digit second makes a four-byte character, anything else a two-byte one.
            const unsigned char second = byteAt(bytes, pos++);
            const bool fourBytes = second >= '0' && second <= '9';
            bound_ += fourBytes ? 4 : 3;
            at_ = fourBytes ? At::FourByteRest2 : At::CharacterStart;
            break;
        }
        case At::FourByteRest2:
            ++pos;
            at_ = At::FourByteRest1;
            break;
        case At::FourByteRest1:
            ++pos;
            at_ = At::CharacterStart;
            break;
        }
    }
}

std::size_t Gb18030Utf8Bound::bound() const {
    // A lead byte left at the very end is not text; the decoding refuses the file.
    return bound_ + (at_ == At::AfterLead ? 3 : 0);
}

DocumentEncoding DocumentDecoder::encoding() const {
    DocumentEncoding encoding{std::string(Utf8Encoding), mark_};
    if (gb18030_) {
        encoding = {std::string(Gb18030Encoding), false};
    } else if (!nonAscii_ && !mark_) {
        // ASCII reads alike in every code page: nothing says the file is UTF-8, so the text
        // typed into it later is saved the way a new document would be.
        encoding = encodingForNewDocument(codePage_);
    }
    encoding.lineEnds.dominant = lineEnds_.only();
    return encoding;
}

DecodedDocument decodeDocument(std::string_view bytes, platform::CodePage& codePage) {
    platform::StringTextStore store;
    DocumentDecoder decoder(codePage, store);
    if (decoder.feed(bytes, true) == DocumentDecoder::Progress::StartOver) {
        decoder.feed(bytes, true);
    }
    DecodedDocument document{store.takeText(), decoder.encoding()};
    if (decoder.mixedLineEnds()) {
        document.encoding.lineEnds = files::mixedLineEnds(bytes, document.text);
    }
    return document;
}

std::string encodeDocument(std::string_view text, const DocumentEncoding& encoding,
                           platform::CodePage& codePage, LineEnds* written) {
    // U+FEFF is the mark in every Unicode encoding, and in GB18030 too.
    std::string prepared = withFileLineEnds(text, encoding.lineEnds, written);
    if (encoding.byteOrderMark) {
        prepared.insert(0, Utf8Mark);
    }
    // The text is UTF-8 already; only a text that is not well-formed needs the code page,
    // which then reports it.
    if (encoding.name == Utf8Encoding && classifyUtf8(prepared) != Utf8Kind::Invalid) {
        return prepared;
    }
    try {
        return codePage.encode(prepared, encoding.name);
    } catch (const platform::RuntimeError&) {
        const auto culprit = findUnstorableCharacter(prepared, encoding.name, codePage);
        if (!culprit) {
            throw;
        }
        throw platform::RuntimeError(DocumentErrorNumber::CharacterNotStorable,
                                     unstorableDescription(prepared, *culprit, encoding.name));
    }
}

DocumentEncoding encodingForNewDocument(platform::CodePage& codePage) {
    return {codePage.systemEncoding(), false};
}

} // namespace files
