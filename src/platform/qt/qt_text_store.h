#pragma once

#include "platform/text_store.h"

#include <memory>

class QsciScintillaBase;

namespace platform::qt {

// A Scintilla document filled through a view that is never shown, for a QtTextControl to take
// over: the text is kept once, in the buffer the control edits.
class ScintillaTextStore : public TextStore {
public:
    ScintillaTextStore();
    ~ScintillaTextStore() override;

    void reserve(std::size_t bytes) override;
    void append(std::string_view text) override;
    void clear() override;
    std::string takeText() override;

    // Hands the document over, with one reference the caller must release; the store is left
    // with an empty document of its own.
    void* releaseDocument();

private:
    // The settings a loaded document needs, for each new document.
    void prepareDocument();
    void throwIfOutOfMemory();

    std::unique_ptr<QsciScintillaBase> loader_;
};

} // namespace platform::qt
