// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// The document decoder and encoder on any file, on a UTF-8 and on a GB18030 system.
#include "files/code_page_of_system.h"
#include "files/document_text.h"
#include "platform/error.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void readAndWriteBack(std::string_view bytes, platform::CodePage& codePage) {
    files::DecodedDocument document;
    try {
        document = files::decodeDocument(bytes, codePage);
    } catch (const platform::RuntimeError&) {
        return; // not text: refused, which is the point
    }
    if (document.text.find('\r') != std::string::npos) {
        std::abort();
    }
    std::string saved;
    try {
        saved = files::encodeDocument(document.text, document.encoding, codePage);
    } catch (const platform::RuntimeError&) {
        // A character the encoding cannot store is reported by name, never written wrong.
        return;
    }
    // A UTF-8 document is written back byte for byte, its own line ends included.
    if (document.encoding.name != "UTF-8") {
        return;
    }
    if (saved != bytes) {
        std::abort();
    }
    // With its second line taken away and a line added after the middle, it reads back as
    // edited, each line found again keeping its end. (The first line stays: a text that begins
    // with U+FEFF would read back with it taken for the mark.)
    std::string edited = document.text;
    const std::size_t second = std::min(edited.size(), edited.find('\n') + 1);
    edited.erase(second, std::min(edited.size(), edited.find('\n', second) + 1) - second);
    edited.insert(std::min(edited.size(), edited.find('\n', edited.size() / 2) + 1), "added\n");
    if (files::decodeDocument(files::encodeDocument(edited, document.encoding, codePage), codePage)
            .text != edited) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CodePageOfSystem utf8("UTF-8");
    static CodePageOfSystem gb18030("GB18030");
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    readAndWriteBack(bytes, utf8);
    readAndWriteBack(bytes, gb18030);
    return 0;
}
