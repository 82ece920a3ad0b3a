// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "command_guard.h"

#include "command_context.h"
#include "files/file_error_reporter.h"
#include "platform/error.h"

#include <new>

namespace editor {

void runningCommand(platform::MessageBox& messageBox, const std::function<void()>& command) {
    try {
        command();
    } catch (const platform::RuntimeError&) {
        throw;
    } catch (const std::bad_alloc&) {
        // Every window and its text stay; the user may close others and try again.
        files::ReportFileError(messageBox, platform::outOfMemoryError());
    } catch (const std::exception& bug) {
        platform::reportBug(bug);
    }
}

frmEdit* newDocumentOrTell(CommandContext& context) {
    try {
        return &context.NewDocument();
    } catch (const platform::RuntimeError&) {
        context.reportNoMoreDocuments();
        return nullptr;
    }
}

} // namespace editor
