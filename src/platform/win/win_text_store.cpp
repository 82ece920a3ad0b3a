#include "win_text_store.h"

#include "files/plain_text.h"
#include "wide_text.h"

namespace platform::win {

void WinTextStore::reserve(std::size_t bytes) {
    // A byte of UTF-8 is at most one UTF-16 unit; line breaks grow by their CR.
    text_.reserve(bytes + bytes / 16);
}

void WinTextStore::append(std::string_view text) {
    const std::wstring wide = wideText(text);
    for (const wchar_t c : wide) {
        if (c == L'\n') {
            text_ += L'\r';
        }
        text_ += c;
    }
}

std::string WinTextStore::takeText() {
    std::string text = files::withLineEnds(utf8Text(takeWide()), "\n");
    return text;
}

std::wstring WinTextStore::takeWide() {
    std::wstring taken = std::move(text_);
    text_.clear();
    return taken;
}

} // namespace platform::win
