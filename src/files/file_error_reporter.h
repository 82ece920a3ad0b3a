#pragma once

#include "platform/error.h"
#include "platform/message_box.h"

namespace files {

// The message for a failed save; silent for a cancelled dialog.
void ReportFileError(platform::MessageBox& messageBox, const platform::RuntimeError& error);

} // namespace files
