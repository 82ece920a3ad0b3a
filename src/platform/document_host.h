#pragma once

namespace platform {

// The main window's area that holds the document windows.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    // Closes the document windows one by one; each may refuse. Stops at the first refusal
    // and returns false, leaving that window and the ones not yet reached open.
    virtual bool closeAllDocuments() = 0;
};

} // namespace platform
