// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "character_styles.h"

namespace platform::qt {

const CharacterFormat& CharacterStyles::format(int style) const {
    if (style < 0 || style >= StyleCount || !formats_[style]) {
        return base_;
    }
    return *formats_[style];
}

std::optional<int> CharacterStyles::find(const CharacterFormat& format) const {
    if (format == base_) {
        return BaseStyle;
    }
    for (int style = 0; style < StyleCount; ++style) {
        if (formats_[style] && *formats_[style] == format) {
            return style;
        }
    }
    return std::nullopt;
}

std::optional<int> CharacterStyles::allocate(const CharacterFormat& format) {
    if (const auto existing = find(format)) {
        return existing;
    }
    for (int style = 0; style < StyleCount; ++style) {
        if (assignable(style) && !formats_[style]) {
            formats_[style] = format;
            return style;
        }
    }
    return std::nullopt;
}

void CharacterStyles::release(int style) {
    if (style >= 0 && style < StyleCount) {
        formats_[style].reset();
    }
}

std::vector<int> CharacterStyles::releaseUnused(const StyleSet& inUse) {
    std::vector<int> released;
    for (int style = 0; style < StyleCount; ++style) {
        if (formats_[style] && !inUse.test(style)) {
            formats_[style].reset();
            released.push_back(style);
        }
    }
    return released;
}

std::vector<int> CharacterStyles::releaseAll() {
    return releaseUnused(StyleSet());
}

std::vector<int> CharacterStyles::allocated() const {
    std::vector<int> styles;
    for (int style = 0; style < StyleCount; ++style) {
        if (formats_[style]) {
            styles.push_back(style);
        }
    }
    return styles;
}

bool CharacterStyles::anyLargerThanBase() const {
    for (const auto& format : formats_) {
        if (format && format->sizeHundredths > base_.sizeHundredths) {
            return true;
        }
    }
    return false;
}

} // namespace platform::qt
