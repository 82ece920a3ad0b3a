#include "document_file.h"

namespace files {

SaveOutcome writeDocumentFile(platform::Services& services, platform::TextControl& text,
                              const DocumentEncoding& encoding, const std::string& path) {
    return saveFile(services.files, path, encodeDocument(text.text(), encoding, services.codePage));
}

} // namespace files
