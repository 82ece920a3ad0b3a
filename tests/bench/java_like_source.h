// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <cstddef>
#include <iterator>
#include <random>
#include <string>

namespace bench {

// About 50 bytes a line in UTF-8: a 400,000-line source comes to some 20 MB, with a Chinese
// comment every few lines as real sources from this desktop have them. The lines go to sink a
// megabyte or so at a time, each followed by the next of lineEnds (a list ending in nullptr)
// in turn, the last line by none.
template <typename Sink>
void javaLikeLines(long long lines, const char* const* lineEnds, Sink sink) {
    static const char* const statements[] = {
        "        int total = count * 31 + offset;",
        "        String name = prefix + \"_\" + index;",
        "        if (value > limit) { value = limit; }",
        "        for (int i = 0; i < size; i++) { sum += data[i]; }",
        "        System.out.println(\"结果：\" + result);",
        "        // 计算每一行的长度并保存到数组中",
        "        return buffer.toString().trim();",
        "    }",
        "    public void process(List<String> items) {",
        "        /* 初始化窗口和按钮 */ frame.setVisible(true);",
    };
    std::mt19937 random(20240601);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(statements) - 1);
    std::string text;
    const char* const* lineEnd = lineEnds;
    for (long long line = 0; line < lines; ++line) {
        if (line > 0) {
            text += *lineEnd;
            lineEnd = *(lineEnd + 1) != nullptr ? lineEnd + 1 : lineEnds;
        }
        text += "    ";
        text += statements[pick(random)];
        if (text.size() >= std::size_t{1} << 20) {
            sink(text);
            text.clear();
        }
    }
    sink(text);
}

inline std::string javaLikeSource(long long lines, const char* lineEnd = "\n") {
    const char* const lineEnds[] = {lineEnd, nullptr};
    std::string text;
    text.reserve(static_cast<std::size_t>(lines) * 56);
    javaLikeLines(lines, lineEnds, [&](const std::string& piece) { text += piece; });
    return text;
}

} // namespace bench
