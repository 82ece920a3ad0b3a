#pragma once

#include "document_text.h"
#include "platform/services.h"
#include "platform/text_control.h"
#include "save_procedure.h"

#include <string>

namespace files {

// Writes a control's text as a document file: plain text in the given encoding, replacing the
// file whole by the save procedure.
SaveOutcome writeDocumentFile(platform::Services& services, platform::TextControl& text,
                              const DocumentEncoding& encoding, const std::string& path);

} // namespace files
