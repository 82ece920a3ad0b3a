// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// A document's text gathered before its window exists, in the storage of the edit control
// that is to show it: a file is read into it piece by piece and the control then takes it
// over whole, so the text is never held twice.
class TextStore {
public:
    virtual ~TextStore() = default;
    // Room for about this many bytes of text. Raises std::bad_alloc when the memory left
    // cannot hold them.
    virtual void reserve(std::size_t bytes) = 0;
    // Valid UTF-8 with "\n" line breaks. Raises std::bad_alloc when the memory runs out.
    virtual void append(std::string_view text) = 0;
    virtual void clear() = 0;
    // The whole text, for a control without storage of its own to take over.
    virtual std::string takeText() = 0;
};

// Text gathered in a string, for controls that take a string.
class StringTextStore : public TextStore {
public:
    void reserve(std::size_t bytes) override { text_.reserve(bytes); }
    void append(std::string_view text) override { text_.append(text); }
    void clear() override { text_.clear(); }
    std::string takeText() override { return std::move(text_); }

private:
    std::string text_;
};

} // namespace platform
