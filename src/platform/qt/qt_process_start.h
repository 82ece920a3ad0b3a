// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/process_start.h"

namespace platform::qt {

class QtProcessStart : public ProcessStart {
public:
    bool start(const StartRequest& request) override;
};

} // namespace platform::qt
