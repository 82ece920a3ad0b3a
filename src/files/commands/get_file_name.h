// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

namespace editor {
class CommandContext;
}

namespace files {

// Sets the active document's FileName from its caption.
void GetFileName(editor::CommandContext& context);

} // namespace files
