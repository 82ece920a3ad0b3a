// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/posix/iconv_code_page.h"

#include <string>
#include <utility>

// The real conversions, on a system whose code page the test chooses.
class CodePageOfSystem : public platform::posix::IconvCodePage {
public:
    explicit CodePageOfSystem(std::string system) : system_(std::move(system)) {}
    std::string systemEncoding() override { return system_; }

private:
    std::string system_;
};
