// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// The batch interpreter's line parser on any script.
#include "console/batch_interpreter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view script(reinterpret_cast<const char*>(data), size);
    for (const std::string& line : console::splitLines(script)) {
        if (line.find('\n') != std::string::npos) {
            std::abort();
        }
        const console::ScriptLine parsed = console::classifyLine(line);
        if (parsed.text.size() > line.size() || parsed.argument.size() > line.size()) {
            std::abort();
        }
        // Only double quotes make an empty word or one holding blanks.
        const bool quoted = parsed.text.find('"') != std::string::npos;
        for (const std::string& word : console::splitWords(parsed.text)) {
            if (!quoted && (word.empty() || word.find_first_of(" \t") != std::string::npos)) {
                std::abort();
            }
            if (word.size() > parsed.text.size()) {
                std::abort();
            }
            console::namesJavac(word);
            console::programCandidates(word, console::splitPathList(parsed.argument, ';'), "/work");
        }
        for (const std::string& entry : console::splitPathList(parsed.argument, ':')) {
            if (entry.empty()) {
                std::abort();
            }
        }
    }
    return 0;
}
