// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "placement.h"

#include <array>
#include <charconv>
#include <cmath>

namespace app {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::optional<float> parsePlacement(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlank(text[first])) {
        ++first;
    }
    while (last > first && isBlank(text[last - 1])) {
        --last;
    }
    if (first < last && text[first] == '+') {
        ++first;
    }
    float value = 0;
    const char* begin = text.data() + first;
    const char* end = text.data() + last;
    const auto [stop, error] = std::from_chars(begin, end, value, std::chars_format::general);
    if (begin == end || error != std::errc{} || stop != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string formatPlacement(float twips) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), twips,
                                      std::chars_format::fixed);
    return std::string(buffer.data(), result.ptr);
}

} // namespace app
