#pragma once

namespace editor {
class CommandContext;
}

namespace files {

// Sets the active document's FileName from its caption.
void GetFileName(editor::CommandContext& context);

} // namespace files
