#pragma once

#include "platform/clipboard.h"

namespace platform::qt {

// The desktop's clipboard, as plain text only.
class QtClipboard : public Clipboard {
public:
    std::string text() override;
    void setText(const std::string& text) override;
};

} // namespace platform::qt
