// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "code_page_of_system.h"
#include "error_of.h"
#include "fake_text_files.h"
#include "files/document_text.h"
#include "files/plain_text.h"
#include "platform/error.h"
#include "platform/posix/iconv_code_page.h"
#include "platform/text_files.h"
#include "toolchain/tool_directories.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using files::DecodedDocument;
using files::DocumentEncoding;
namespace DocumentErrorNumber = files::DocumentErrorNumber;

// "// 你好，世界" and "/* 注释 */" as a Chinese Windows writes them.
const std::string kGbkSource = "// \xC4\xE3\xBA\xC3\xA3\xAC\xCA\xC0\xBD\xE7\r\n"
                               "int x; /* \xD7\xA2\xCA\xCD */\r\n";

std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A system code page other than UTF-8 shows which rule chose a file's encoding.
class DocumentTextTest : public ::testing::Test {
protected:
    DecodedDocument decode(std::string_view bytes) { return files::decodeDocument(bytes, page_); }
    std::string encode(std::string_view text, const DocumentEncoding& encoding) {
        return files::encodeDocument(text, encoding, page_);
    }
    bool readsAsUtf8(std::string_view bytes) {
        try {
            return decode(bytes).encoding.name == "UTF-8";
        } catch (const platform::RuntimeError&) {
            return false;
        }
    }

    CodePageOfSystem page_{"GB18030"};
};

// Sample files in tests/files/samples as editors write them, each beside the text it holds:
// each reads as that text in its encoding and is written back byte for byte.
TEST_F(DocumentTextTest, SampleFilesReadAsTheirTextAndWriteBackTheSameBytes) {
    struct Sample {
        const char* name;
        DocumentEncoding encoding;
    };
    const Sample samples[] = {
        {"utf8-crlf", {"UTF-8", false}},
        {"utf8-bom-crlf", {"UTF-8", true}},
        {"utf8-lf", {"UTF-8", false, {files::LineEnd::Lf, nullptr}}},
        {"gbk-crlf", {"GB18030", false}},
        {"gbk-lf", {"GB18030", false, {files::LineEnd::Lf, nullptr}}},
        // GB18030 holds all of Unicode in its four-byte sequences, beyond GBK.
        {"gb18030-four-byte-crlf", {"GB18030", false}},
    };
    for (const Sample& sample : samples) {
        SCOPED_TRACE(sample.name);
        const std::string folder = std::string(SAMPLES_DIR) + "/" + sample.name;
        const std::string bytes = readWhole(folder + ".java");
        ASSERT_FALSE(bytes.empty());
        const DecodedDocument document = decode(bytes);
        EXPECT_EQ(document.text, readWhole(folder + ".expected"));
        EXPECT_EQ(document.encoding, sample.encoding);
        EXPECT_EQ(encode(document.text, document.encoding), bytes);
    }
    EXPECT_EQ(decode("\xEF\xBB\xBF").encoding, (DocumentEncoding{"UTF-8", true}));
}

TEST_F(DocumentTextTest, EveryKindOfLineEndReadsAsOneBreakAndIsSavedAsTheFileHadIt) {
    struct Case {
        std::string file, text;
    };
    const std::vector<Case> cases = {
        {"a\nb\n", "a\nb\n"},
        {"a\r\nb\r\n", "a\nb\n"},
        {"a\rb", "a\nb"},
        {"a\r\nb\nc\rd", "a\nb\nc\nd"},
        {"a\r", "a\n"},
        {"\r\r\n\n", "\n\n\n"},
        {"a\n\rb\r\n\r", "a\n\nb\n\n"},
        {"\r\nlong line one\r\rlong line two\n", "\nlong line one\n\nlong line two\n"},
        {"\xC4\xE3\n\xBA\xC3\r", "你\n好\n"},
        {"\xEF\xBB\xBF你\r好\n", "你\n好\n"},
    };
    for (const Case& c : cases) {
        const DecodedDocument document = decode(c.file);
        EXPECT_EQ(document.text, c.text) << c.text;
        EXPECT_EQ(encode(document.text, document.encoding), c.file) << c.text;
    }
    // A CR LF that reaches the text anyway is still one line end, not two.
    EXPECT_EQ(encode("a\r\nb", {"UTF-8", false}), "a\r\nb");
}

// Lines the user did not touch keep the bytes they were read with; a changed line keeps the end
// of the line it took the place of; a new line takes the end most lines of the file have.
TEST_F(DocumentTextTest, EditedLinesKeepTheirEndsAndNewLinesTakeTheFilesOwn) {
    struct Case {
        const char* what;
        std::string file;
        std::function<std::string(std::string)> edit;
        std::string saved;
    };
    const auto insertAfter = [](std::string after, std::string line) {
        return [after, line](std::string text) {
            return text.insert(text.find(after) + after.size(), line);
        };
    };
    const auto replace = [](std::string from, std::string to) {
        return
            [from, to](std::string text) { return text.replace(text.find(from), from.size(), to); };
    };
    const std::string mixed = "one\r\ntwo\nthree\rfour\r\nfive";
    const std::vector<Case> cases = {
        {"an LF file", "a\nb\n", insertAfter("b\n", "c\nd\n"), "a\nb\nc\nd\n"},
        {"a CR file", "a\rb", insertAfter("a\n", "new\n"), "a\rnew\rb"},
        {"a CR LF file", "a\r\nb", insertAfter("a\n", "new\n"), "a\r\nnew\r\nb"},
        {"no line end yet", "abc", insertAfter("abc", "\ndef"), "abc\r\ndef"},
        {"a new line in a mixed file", mixed, insertAfter("two\n", "new\n"),
         "one\r\ntwo\nnew\r\nthree\rfour\r\nfive"},
        {"a changed line", mixed, replace("two", "TWO"), "one\r\nTWO\nthree\rfour\r\nfive"},
        {"a removed line", mixed, replace("two\n", ""), "one\r\nthree\rfour\r\nfive"},
        {"changes far apart", mixed,
         [](std::string text) { return "ONE" + text.substr(3, text.size() - 7) + "FIVE\n"; },
         "ONE\r\ntwo\nthree\rfour\r\nFIVE\r\n"},
        // A lone CR now before an empty LF line would read back as one CR LF.
        {"a lone CR before an empty line", "x\ry\n\nz\n", replace("y\n", ""), "x\r\n\nz\n"},
        {"lines moved", "a\nb\rc\r\nd\r\n", [](std::string) { return std::string("c\nd\na\nb\n"); },
         "c\r\nd\r\na\nb\r"},
    };
    for (const Case& c : cases) {
        const DecodedDocument document = decode(c.file);
        files::LineEnds written;
        const std::string edited = c.edit(document.text);
        EXPECT_EQ(encode(edited, document.encoding), c.saved) << c.what;
        // What the save wrote is what the next save starts from.
        files::encodeDocument(edited, document.encoding, page_, &written);
        DocumentEncoding after = document.encoding;
        after.lineEnds = written;
        EXPECT_EQ(encode(edited, after), c.saved) << c.what;
        EXPECT_EQ(encode(edited + "\nlast", after),
                  c.saved + std::string(files::bytesOf(after.lineEnds.dominant)) + "last")
            << c.what;
    }
    // A new document, or a file without any line end, ends new lines in CR LF.
    EXPECT_EQ(encode("a\nb", files::encodingForNewDocument(page_)), "a\r\nb");
}

TEST_F(DocumentTextTest, LineEndsCostTimeInProportionToTheText) {
    // 8 MB of short lines of each kind, read and written back: a search to the end of the text
    // for every line takes most of a minute, one pass well under a second (a few seconds in
    // the sanitizers' unoptimised build).
    for (const std::string lineEnd : {"\r", "\n", "\r\n"}) {
        std::string bytes;
        for (int line = 0; line < 2000000; ++line) {
            bytes += "ab";
            bytes += lineEnd;
        }
        const auto start = std::chrono::steady_clock::now();
        const std::string text = files::withLineEnds(bytes, "\n");
        const std::string saved = files::withLineEnds(text, "\r\n");
        const auto elapsed = std::chrono::steady_clock::now() - start;
        EXPECT_LT(elapsed, std::chrono::seconds(10)) << testing::PrintToString(lineEnd);
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2000000);
        EXPECT_EQ(saved.size(), 8000000u);
    }
    // A file of mixed line ends keeps a record of every line: read, saved unchanged, and saved
    // with a line changed in its middle, in one pass each and a walk over the change.
    std::string mixed;
    for (int line = 0; line < 1000000; ++line) {
        mixed += line % 3 == 0 ? "ab\r\n" : line % 3 == 1 ? "cd\n" : "ef\r";
    }
    const auto start = std::chrono::steady_clock::now();
    const DecodedDocument document = decode(mixed);
    EXPECT_EQ(encode(document.text, document.encoding), mixed);
    // Three lines take 9 bytes of text and 10 of the file.
    const std::size_t triple = document.text.size() / 2 / 9;
    std::string edited = document.text;
    edited.replace(triple * 9, 3, "xy\nz");
    const std::string saved = encode(edited, document.encoding);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(saved, std::string(mixed).replace(triple * 10, 4, "xy\r\nz"));
}

TEST(Gb18030Utf8Bound, CountsThreeBytesForATwoByteCharacterAndFourForAFourByteOne) {
    struct Case {
        std::string bytes;
        std::size_t bound;
    };
    const std::vector<Case> cases = {
        {"", 0},
        {"abc\r\n", 5},
        {"\xC4\xE3\xBA\xC3", 6},         // 你好, three bytes each in UTF-8
        {"\x81\x40\x81\x7E", 6},         // 丂 and another with an ASCII second byte
        {"a\xA1\xA4z", 5},               // · takes two in UTF-8: a bound, not a count
        {"\x81\x30\x81\x30", 4},         // U+0080
        {"\x95\x32\x82\x36\xC4\xE3", 7}, // U+10000, then 你
        {"a\x81", 4},                    // a lead at the very end: room for a character
    };
    for (const Case& c : cases) {
        // Whole, and cut at every place: the pieces of a file read a step at a time.
        for (std::size_t cut = 0; cut <= c.bytes.size(); ++cut) {
            files::Gb18030Utf8Bound bound;
            bound.feed(std::string_view(c.bytes).substr(0, cut));
            bound.feed(std::string_view(c.bytes).substr(cut));
            EXPECT_EQ(bound.bound(), c.bound)
                << testing::PrintToString(c.bytes) << " cut at " << cut;
        }
    }
}

TEST_F(DocumentTextTest, FilesThatNoEncodingReadsAreNotText) {
    const std::vector<std::string> notText = {
        std::string("class A {}\0\r\n", 13), // a NUL byte
        std::string("\xFF\xFE"
                    "a\0",
                    4),         // UTF-16
        "abc\x80\r\n",          // 0x80 starts nothing in either encoding
        "// \xC4\xE3\xBA",      // GB18030 cut off inside its last character
        "\xEF\xBB\xBF\xC4\xE3", // marked as UTF-8 but GBK inside
    };
    for (const std::string& bytes : notText) {
        const platform::RuntimeError error = errorOf([&] { decode(bytes); });
        EXPECT_EQ(error.number(), DocumentErrorNumber::NotText) << bytes;
    }
    EXPECT_NE(errorOf([&] { decode(notText[0]); }).description().find("不是文本文件"),
              std::string::npos);
    EXPECT_NE(errorOf([&] { decode(notText[3]); }).description().find("无法识别文件的编码"),
              std::string::npos);
}

// A file read in pieces of any size decodes as it does whole: a CR LF, a mark or a character
// cut between two pieces is still one.
TEST_F(DocumentTextTest, AFileFedInPiecesReadsAsItDoesWhole) {
    const std::vector<std::string> files = {
        "a\r\nb\nc\rd",
        "\r\r\n\n\r",
        "\xEF\xBB\xBFint 你好 = 1;\r\n",
        "plain ascii\r\n",
        "// 汉字\r\nx\r" + kGbkSource,
        "ascii first\r\n" + kGbkSource,
        std::string("ab\r\n\0", 5),
        "\xEF\xBB\xBF\xC4\xE3",
    };
    for (const std::string& file : files) {
        std::optional<DecodedDocument> whole;
        try {
            whole = decode(file);
        } catch (const platform::RuntimeError&) {
        }
        for (const std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{5}}) {
            platform::StringTextStore store;
            files::DocumentDecoder decoder(page_, store);
            try {
                using Progress = files::DocumentDecoder::Progress;
                std::size_t at = 0;
                for (;;) {
                    const std::string_view bytes = std::string_view(file).substr(at, piece);
                    at += bytes.size();
                    if (decoder.feed(bytes, bytes.empty()) == Progress::StartOver) {
                        at = 0;
                    } else if (bytes.empty()) {
                        break;
                    }
                }
            } catch (const platform::RuntimeError& error) {
                EXPECT_FALSE(whole) << file << " in pieces of " << piece;
                EXPECT_EQ(error.number(), DocumentErrorNumber::NotText);
                continue;
            }
            ASSERT_TRUE(whole) << file << " in pieces of " << piece;
            EXPECT_EQ(store.takeText(), whole->text) << file << " in pieces of " << piece;
            // Read in pieces, a file of mixed line ends is only found to be one: its load
            // reads it once more for the record of every line's end.
            DocumentEncoding pieces = decoder.encoding();
            EXPECT_EQ(decoder.mixedLineEnds(), whole->encoding.lineEnds.mixed != nullptr) << file;
            if (decoder.mixedLineEnds()) {
                pieces.lineEnds = whole->encoding.lineEnds;
            }
            EXPECT_EQ(pieces, whole->encoding) << file << " in pieces of " << piece;
        }
    }
}

TEST_F(DocumentTextTest, OnlyWellFormedUtf8ReadsAsUtf8) {
    const std::vector<std::string> malformed = {
        "\xC0\xAF",         "\xC1\xBF",
        "\xE0\x80\xAF",     "\xF0\x80\x80\xAF", // overlong
        "\xED\xA0\x80",     "\xED\xBF\xBF",     // surrogates
        "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", // > U+10FFFF
        "\xE4\xB8",         "\x80",
        "\xE4\xB8\x41", // truncated
    };
    for (const std::string& sequence : malformed) {
        EXPECT_FALSE(readsAsUtf8("x" + sequence)) << testing::PrintToString(sequence);
    }
    const std::vector<std::string> boundaries = {
        "\xC2\x80",     "\xE0\xA0\x80",     "\xED\x9F\xBF",     "\xEE\x80\x80",
        "\xEF\xBF\xBF", "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF",
    };
    for (const std::string& sequence : boundaries) {
        EXPECT_TRUE(readsAsUtf8("x" + sequence + "y")) << testing::PrintToString(sequence);
        EXPECT_EQ(decode("x" + sequence + "y").text, "x" + sequence + "y");
    }
    // Long ASCII runs are checked eight bytes at a time: a stray byte is found wherever it
    // falls in such a block, and a character after one is still read.
    for (std::size_t at = 0; at <= 17; ++at) {
        std::string text(24, 'a');
        EXPECT_FALSE(readsAsUtf8(std::string(text).insert(at, "\x80"))) << at;
        EXPECT_FALSE(readsAsUtf8(std::string(text).insert(at, "\xE4\xB8"))) << at;
        EXPECT_TRUE(readsAsUtf8(text.insert(at, "\xE4\xB8\xAD"))) << at;
    }
}

TEST_F(DocumentTextTest, ACharacterTheEncodingCannotHoldFailsTheSaveByName) {
    // GB18030 and UTF-8 hold every character, so narrower encodings stand in for them here.
    const platform::RuntimeError first = errorOf([&] {
        encode("class A\n{ // 中文 }", {"ISO-8859-1", false});
    });
    EXPECT_EQ(first.number(), DocumentErrorNumber::CharacterNotStorable);
    EXPECT_EQ(first.description(), "第2行的字符“中”（U+4E2D）无法用ISO-8859-1编码保存");

    std::string longText;
    for (int line = 1; line <= 1000; ++line) {
        longText += line == 537 ? "price: 5€\n" : "line\n";
    }
    const platform::RuntimeError deep = errorOf([&] { encode(longText, {"ASCII", false}); });
    EXPECT_EQ(deep.description(), "第537行的字符“€”（U+20AC）无法用ASCII编码保存");

    EXPECT_NE(errorOf([&] {
                  encode("😀", {"ISO-8859-1", false});
              })
                  .description()
                  .find("U+1F600"),
              std::string::npos);
    EXPECT_EQ(encode("café\n", {"ISO-8859-1", false}), "caf\xE9\r\n");

    // An encoding the system lacks is no character's fault.
    EXPECT_NE(errorOf([&] {
                  encode("a", {"NO-SUCH-ENCODING", false});
              }).number(),
              DocumentErrorNumber::CharacterNotStorable);
}

TEST_F(DocumentTextTest, FilesThatSayNothingOfTheirEncodingTakeTheSystemCodePage) {
    EXPECT_EQ(files::encodingForNewDocument(page_), (DocumentEncoding{"GB18030", false}));
    const DecodedDocument empty = decode("");
    EXPECT_EQ(empty.text, "");
    EXPECT_EQ(empty.encoding, (DocumentEncoding{"GB18030", false}));

    // Chinese typed into an ASCII file is saved the way a new document would be.
    const DecodedDocument ascii = decode("class A {}\r\n");
    EXPECT_EQ(ascii.encoding, (DocumentEncoding{"GB18030", false}));
    EXPECT_EQ(encode("// 你好，世界\n", ascii.encoding), kGbkSource.substr(0, 15));

    CodePageOfSystem utf8System("UTF-8");
    EXPECT_EQ(files::decodeDocument("", utf8System).encoding, (DocumentEncoding{"UTF-8", false}));
}

TEST_F(DocumentTextTest, SetIniReadsWhicheverCodePageWroteIt) {
    // Written by a Chinese Windows (GBK) and read on a UTF-8 system, and the other way round:
    // read as empty, the file would be overwritten by the settings dialog.
    const std::string gbk = "D:\\\xB9\xA4\xBE\xDF\\\r\nD:\\\xD4\xB4\xB3\xCC\xD0\xF2\\\r\n";
    const std::string utf8 = "D:\\工具\\\r\nD:\\源程序\\\r\n";
    for (const std::string system : {"UTF-8", "GB18030"}) {
        CodePageOfSystem page(system);
        for (const std::string& bytes : {gbk, utf8}) {
            fakes::FakeTextFiles file;
            file.files["/opt/morvane/Set.ini"] = bytes;
            const toolchain::ToolDirectories read =
                toolchain::readSetIni(file, page, "/opt/morvane/Set.ini");
            EXPECT_EQ(read.javaBinDir, "D:\\工具\\") << system;
            EXPECT_EQ(read.sourceDir, "D:\\源程序\\") << system;
        }
    }
}

} // namespace
