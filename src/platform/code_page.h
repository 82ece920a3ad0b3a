#pragma once

#include <string>
#include <string_view>

namespace platform {

// Conversion between the program's UTF-8 texts and the bytes of a named encoding.
// Both directions raise RuntimeError instead of substituting characters.
class CodePage {
public:
    virtual ~CodePage() = default;
    // The encoding files are written in when nothing else decides: the system's code page.
    virtual std::string systemEncoding() = 0;
    virtual std::string encode(std::string_view utf8, const std::string& encoding) = 0;
    virtual std::string decode(std::string_view bytes, const std::string& encoding) = 0;
};

} // namespace platform
