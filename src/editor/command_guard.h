// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/message_box.h"

#include <functional>

namespace editor {

class CommandContext;
class frmEdit;

// Runs a command from a menu or the toolbar. Memory running out while it works ends it with
// the general message instead of ending the program; a numbered failure it left unhandled is
// raised on to the caller; anything else is a bug (platform::reportBug).
void runningCommand(platform::MessageBox& messageBox, const std::function<void()>& command);

// A new untitled document window, as NewDocument makes it; none, once the user has been told,
// when the document numbers are used up.
frmEdit* newDocumentOrTell(CommandContext& context);

} // namespace editor
