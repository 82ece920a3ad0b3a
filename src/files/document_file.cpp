#include "document_file.h"

namespace files {

DecodedDocument readDocumentFile(platform::Services& services, const std::string& path) {
    return decodeDocument(services.files.readBytes(path), services.codePage);
}

void writeDocumentFile(platform::Services& services, platform::TextControl& text,
                       const DocumentEncoding& encoding, const std::string& path) {
    services.files.replaceBytes(path, encodeDocument(text.text(), encoding, services.codePage));
}

} // namespace files
