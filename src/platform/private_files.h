// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <cstddef>
#include <string>

namespace platform {

// Small files that only the user the program runs as may read. Failures raise RuntimeError
// with the platform's description.
class PrivateFiles {
public:
    virtual ~PrivateFiles() = default;
    // Makes the folder (mode 0700) unless it exists, then makes sure it is a real folder, not a
    // link, owned by the user and closed to everyone else.
    virtual void preparePrivateFolder(const std::string& folder) = 0;
    // Creates a new file readable by the user only; never replaces or follows what is there.
    virtual void createPrivateFile(const std::string& path, const std::string& bytes) = 0;
    // Removes the file if it is there.
    virtual void remove(const std::string& path) = 0;
    // Bytes from the system's source of unpredictable numbers.
    virtual std::string randomBytes(std::size_t count) = 0;
};

} // namespace platform
