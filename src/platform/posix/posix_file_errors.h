// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/text_files.h"

namespace platform::posix {

// What a failing call was doing, where the same errno means different things.
enum class FileCall {
    // Opening or reading a file that should be there.
    Reading,
    // Making, writing or renaming; a missing name is then a missing folder.
    Writing,
    // Following the path to a file: a folder that denies access may not be entered.
    LookingUp,
};

// The fault an errno stands for.
FileFault faultOf(int error, FileCall call);

// The FileError of errno, with the system's words for it.
[[noreturn]] void failWith(int error, FileCall call);

} // namespace platform::posix
