// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/memory_preparation.h"
#include "platform/text_store.h"

#include <memory>

class ILoader;
class QsciScintillaBase;

namespace platform::qt {

// A Scintilla document filled through Scintilla's loader before any view shows it, for a
// QtTextControl to take over: the text is kept once, in the buffer the control edits. Every
// call comes from the UI thread; where the program's large blocks can be made ready ahead, a
// worker thread prepares the memory the document's buffers will take, and touches nothing
// else.
class ScintillaTextStore : public TextStore {
public:
    // What the system can still give without swapping; a test may stand in for it.
    using MemoryLeft = std::size_t (*)();
    static std::size_t systemMemoryLeft();

    explicit ScintillaTextStore(MemoryPreparation* preparation = nullptr,
                                MemoryLeft memoryLeft = &systemMemoryLeft);
    ~ScintillaTextStore() override;

    void reserve(std::size_t bytes) override;
    void append(std::string_view text) override;
    void clear() override;
    std::string takeText() override;

    // Makes the document the view's, which then holds the one reference to it; the store is
    // left empty.
    void handDocumentTo(QsciScintillaBase& view);

private:
    ILoader& loader();
    void createLoader(std::size_t room);
    void prepareMemory(std::size_t room);
    void releasePrepared();

    MemoryPreparation* preparation_;
    MemoryLeft memoryLeft_;
    std::size_t appendedSinceCheck_ = 0;
    // Never shown: the receiver of the messages that make loaders.
    std::unique_ptr<QsciScintillaBase> view_;
    ILoader* loader_ = nullptr;
};

} // namespace platform::qt
