#pragma once

#include "platform/text_store.h"

#include <string>

namespace platform::win {

// A document's text gathered as the rich-edit control reads it in: UTF-16 with CR LF line
// ends, converted piece by piece while the file is read, so the control takes it at once.
class WinTextStore : public TextStore {
public:
    void reserve(std::size_t bytes) override;
    void append(std::string_view text) override;
    void clear() override { text_.clear(); }
    std::string takeText() override;

    // The gathered text, leaving the store empty.
    std::wstring takeWide();

private:
    std::wstring text_;
};

} // namespace platform::win
