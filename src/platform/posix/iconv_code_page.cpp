// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "iconv_code_page.h"

#include "platform/error.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>

namespace platform::posix {

namespace {

enum class Direction { Encode, Decode };

class Converter {
public:
    Converter(const std::string& from, const std::string& to, const std::string& encoding) {
        handle_ = iconv_open(to.c_str(), from.c_str());
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            const int error = errno;
            throw ConversionFailure::unsupported(encoding, std::strerror(error));
        }
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    iconv_t handle() const { return handle_; }

private:
    iconv_t handle_;
};

[[noreturn]] void throwConversionFailure(Direction direction, const std::string& encoding,
                                         int error) {
    const std::string detail = error != 0 ? std::strerror(error) : "";
    if (direction == Direction::Encode) {
        throw ConversionFailure::unstorable(encoding, detail);
    }
    throw ConversionFailure::unreadable(encoding, error == EINVAL, detail);
}

// Converts the whole input or raises; never substitutes or skips anything.
std::string convert(std::string_view input, const std::string& from, const std::string& to,
                    Direction direction, const std::string& encoding) {
    Converter converter(from, to, encoding);
    std::string output(input.size() + input.size() / 2 + 16, '\0');
    std::size_t produced = 0;
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    bool flushed = false;
    while (!flushed) {
        char* out = output.data() + produced;
        std::size_t outLeft = output.size() - produced;
        // Once the input is used up, one more call with no input ends a stateful encoding's
        // shift sequence.
        const bool flushing = inLeft == 0;
        const std::size_t result = flushing
                                       ? iconv(converter.handle(), nullptr, nullptr, &out, &outLeft)
                                       : iconv(converter.handle(), &in, &inLeft, &out, &outLeft);
        produced = static_cast<std::size_t>(out - output.data());
        if (result == static_cast<std::size_t>(-1)) {
            const int error = errno;
            if (error != E2BIG) {
                throwConversionFailure(direction, encoding, error);
            }
            output.resize(output.size() * 2);
            continue;
        }
        // A positive count is of conversions iconv could not do exactly: a substitute was
        // written in their place.
        if (result > 0) {
            throwConversionFailure(direction, encoding, 0);
        }
        flushed = flushing;
    }
    output.resize(produced);
    return output;
}

} // namespace

std::string IconvCodePage::encodingForCodeset(std::string_view codeset) {
    // A plain ASCII locale has no code page of its own; UTF-8 holds every character and
    // reads its files alike.
    static constexpr std::array<std::string_view, 7> utf8Names = {
        "", "ANSI_X3.4-1968", "ASCII", "US-ASCII", "C", "POSIX", "UTF8"};
    static constexpr std::array<std::string_view, 4> gbkNames = {"GBK", "GB2312", "EUC-CN",
                                                                 "CP936"};
    const std::string name = encodingNameKey(codeset);
    if (std::find(utf8Names.begin(), utf8Names.end(), name) != utf8Names.end()) {
        return "UTF-8";
    }
    if (std::find(gbkNames.begin(), gbkNames.end(), name) != gbkNames.end()) {
        return "GB18030";
    }
    return std::string(codeset);
}

std::string IconvCodePage::systemEncoding() {
    return encodingForCodeset(nl_langinfo(CODESET));
}

std::string IconvCodePage::encode(std::string_view utf8, const std::string& encoding) {
    return convert(utf8, "UTF-8", encoding, Direction::Encode, encoding);
}

std::string IconvCodePage::decode(std::string_view bytes, const std::string& encoding) {
    return convert(bytes, encoding, "UTF-8", Direction::Decode, encoding);
}

} // namespace platform::posix
