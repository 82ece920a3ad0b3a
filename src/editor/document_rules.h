// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "files/plain_text.h"

#include <string>
#include <string_view>

namespace editor {

// A document that was never saved or opened is captioned "Document " and its number; the first
// eight characters tell, compared exactly.
inline constexpr std::string_view UntitledPrefix = "Document";

inline bool isUntitled(std::string_view caption) {
    return caption.starts_with(UntitledPrefix);
}

// Extension tests on captions compare exactly, letter case included.
inline bool hasExtension(std::string_view caption, std::string_view extension) {
    return caption.ends_with(extension);
}

// The edit control separates lines by "\n" alone. Text from outside it (the clipboard, the
// texts the system writes with CR LF) may end its lines in CR LF, CR or LF: each becomes one
// line break.
inline std::string controlText(std::string_view text) {
    return files::withLineEnds(text, "\n");
}

inline constexpr const char* SourceFilter =
    "Java源程序(*.java)|*.java|Htm网页文件(*.htm)|*.htm|所有文件 (*.*)|*.*";

} // namespace editor
