// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/error.h"
#include "platform/message_box.h"

#include <functional>

namespace files {

// The message for a failed save; silent for a cancelled dialog.
void ReportFileError(platform::MessageBox& messageBox, const platform::RuntimeError& error);

// A save command's error trap: runs the steps; a numbered failure, or memory running out,
// ends them and goes to ReportFileError. False when the steps failed.
bool trappingFileErrors(platform::MessageBox& messageBox, const std::function<void()>& steps);

} // namespace files
