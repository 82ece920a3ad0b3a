#pragma once

#include "document_text.h"
#include "platform/services.h"
#include "platform/text_control.h"

#include <string>

namespace files {

// Reads and decodes a document's file whole, before any window is made for it.
DecodedDocument readDocumentFile(platform::Services& services, const std::string& path);

// Writes a control's text as a document file: plain text, CR LF, in the given encoding,
// replacing the file whole.
void writeDocumentFile(platform::Services& services, platform::TextControl& text,
                       const DocumentEncoding& encoding, const std::string& path);

} // namespace files
