#pragma once

#include <cstddef>

namespace platform::qt {

// Scintilla's interface for filling a document that no view shows yet, from any thread
// (ILoader.h of Scintilla, which the Qt port's development package does not install). A view
// makes one with SCI_CREATELOADER; ConvertToDocument then hands the document over, with the
// one reference the loader held, for SCI_SETDOCPOINTER and SCI_RELEASEDOCUMENT.
class ScintillaLoader {
public:
#ifdef _WIN32
#define MORVANE_SCINTILLA_METHOD __stdcall
#else
#define MORVANE_SCINTILLA_METHOD
#endif
    virtual int MORVANE_SCINTILLA_METHOD Release() = 0;
    // Appends the bytes; gives a status of SC_STATUS_*.
    virtual int MORVANE_SCINTILLA_METHOD AddData(const char* data, std::ptrdiff_t length) = 0;
    virtual void* MORVANE_SCINTILLA_METHOD ConvertToDocument() = 0;
#undef MORVANE_SCINTILLA_METHOD

protected:
    ~ScintillaLoader() = default;
};

} // namespace platform::qt
