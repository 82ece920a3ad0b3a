// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <array>
#include <bitset>
#include <optional>
#include <vector>

namespace platform::qt {

// The formatting one character can carry. Sizes are in hundredths of a point, the unit the
// edit control keeps them in, so that equal sizes compare equal.
struct CharacterFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int sizeHundredths = 0;

    friend bool operator==(const CharacterFormat&, const CharacterFormat&) = default;
};

// Scintilla formats text by style numbers, one byte per character: each distinct formatting
// in the document needs a style of its own. This hands out style numbers for formats and
// takes back those the document no longer uses, so that a long editing session does not run
// out of them, and so that a size nobody uses any more stops setting the line height.
class CharacterStyles {
public:
    static constexpr int StyleCount = 256;
    using StyleSet = std::bitset<StyleCount>;
    // Every character of a freshly set text carries this style: the base formatting.
    static constexpr int BaseStyle = 0;

    explicit CharacterStyles(CharacterFormat base) : base_(base) {}

    const CharacterFormat& base() const { return base_; }
    // The format of a style number; a number not handed out formats as the base.
    const CharacterFormat& format(int style) const;

    // The style already carrying the format, or a new one; none when every number is taken.
    std::optional<int> find(const CharacterFormat& format) const;
    std::optional<int> allocate(const CharacterFormat& format);
    void release(int style);

    // Takes back every handed-out style that is not in use; returns the numbers taken back.
    std::vector<int> releaseUnused(const StyleSet& inUse);
    // Takes back all of them, for a text set anew.
    std::vector<int> releaseAll();

    std::vector<int> allocated() const;
    // Whether any handed-out style is larger than the base, and so sets the line height.
    bool anyLargerThanBase() const;

private:
    // Styles 32 to 39 have fixed roles in Scintilla (default, line numbers, braces, ...).
    static bool assignable(int style) { return style != BaseStyle && (style < 32 || style > 39); }

    CharacterFormat base_;
    std::array<std::optional<CharacterFormat>, StyleCount> formats_{};
};

} // namespace platform::qt
