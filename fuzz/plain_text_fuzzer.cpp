// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// The UTF-8 check and the line-end rule on any bytes.
#include "files/plain_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// The line-end rule one byte at a time, as plainly as it can be said.
std::string lineEndsByteByByte(std::string_view bytes, std::string_view lineEnd) {
    std::string result;
    for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
        if (bytes[pos] == '\r' || bytes[pos] == '\n') {
            result.append(lineEnd);
            if (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') {
                ++pos;
            }
        } else {
            result.push_back(bytes[pos]);
        }
    }
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // The check and the sequence lengths agree, and no sequence runs past the end.
    bool valid = true;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t length = files::utf8SequenceLength(bytes, pos);
        if (length == 0) {
            valid = false;
            break;
        }
        if (length > 4 || pos + length > bytes.size()) {
            std::abort();
        }
        pos += length;
    }
    if (valid != files::isValidUtf8(bytes)) {
        std::abort();
    }

    // Every kind of line end becomes one line end; converting again changes nothing, and
    // the two forms hold the same lines.
    const std::string lf = files::withLineEnds(bytes, "\n");
    const std::string crlf = files::withLineEnds(bytes, "\r\n");
    if (lf != lineEndsByteByByte(bytes, "\n") || crlf != lineEndsByteByByte(bytes, "\r\n")) {
        std::abort();
    }
    if (lf.find('\r') != std::string::npos || files::withLineEnds(lf, "\n") != lf ||
        files::withLineEnds(crlf, "\n") != lf || files::withLineEnds(lf, "\r\n") != crlf) {
        std::abort();
    }
    // Line ends never split a UTF-8 sequence.
    if (valid && !files::isValidUtf8(crlf)) {
        std::abort();
    }
    return 0;
}
