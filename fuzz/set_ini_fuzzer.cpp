// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// The Set.ini reader on any file, and the writer on whatever it read.
#include "fake_text_files.h"
#include "files/code_page_of_system.h"
#include "platform/error.h"
#include "platform/text_files.h"
#include "toolchain/tool_directories.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Values the writer stores as they are: the reader takes surrounding quotes and a leading
// byte-order mark off.
bool storedAsIs(const std::string& value) {
    const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    return !quoted && !value.starts_with("\xEF\xBB\xBF");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CodePageOfSystem codePage("UTF-8");
    fakes::FakeTextFiles file;
    file.files["/Set.ini"].assign(reinterpret_cast<const char*>(data), size);
    toolchain::ToolDirectories read;
    try {
        read = toolchain::readSetIni(file, codePage, "/Set.ini");
    } catch (const platform::RuntimeError&) {
        return 0;
    }
    if (read.javaBinDir.find_first_of("\r\n") != std::string::npos ||
        read.sourceDir.find_first_of("\r\n") != std::string::npos) {
        std::abort();
    }
    toolchain::writeSetIni(file, codePage, "/Set.ini", read);
    const toolchain::ToolDirectories again = toolchain::readSetIni(file, codePage, "/Set.ini");
    if ((storedAsIs(read.javaBinDir) && again.javaBinDir != read.javaBinDir) ||
        (storedAsIs(read.javaBinDir) && storedAsIs(read.sourceDir) &&
         again.sourceDir != read.sourceDir)) {
        std::abort();
    }
    return 0;
}
