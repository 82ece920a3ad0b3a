// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/private_files.h"

namespace platform::posix {

class PosixPrivateFiles : public PrivateFiles {
public:
    void preparePrivateFolder(const std::string& folder) override;
    void createPrivateFile(const std::string& path, const std::string& bytes) override;
    void remove(const std::string& path) override;
    std::string randomBytes(std::size_t count) override;
};

} // namespace platform::posix
