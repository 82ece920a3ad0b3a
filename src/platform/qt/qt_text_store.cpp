// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "qt_text_store.h"

#include "scintilla_loader.h"
#include "scintilla_message.h"

#include <chrono>
#include <climits>
#include <fstream>
#include <future>
#include <new>
#include <string>

#include <QCoreApplication>

#include <Qsci/qsciscintillabase.h>

namespace platform::qt {

namespace {

// Scintilla keeps a style byte beside every byte of text, and a few bytes for each line.
constexpr std::size_t StoredBytesPerTextByte = 2;
// Room for the text typed after the load, so that the first keys do not grow the buffers.
constexpr std::size_t TypingRoom = 1 << 16;
// Positions in the edit control's messages and notices are of type int.
constexpr std::size_t LargestText = INT_MAX;
// Each line takes memory of its own besides its text, an entry of an index that grows by
// copies: a file of nothing but line ends takes some nine times its size, more than the room
// made for its text. The memory left is looked at again as the text comes, and the load given
// up while this much is still left, rather than the program taken down by the system.
constexpr std::size_t LeastMemoryLeft = std::size_t{64} << 20;
constexpr std::size_t AppendedBetweenChecks = std::size_t{8} << 20;

} // namespace

// From /proc/meminfo; without limit where unknown.
std::size_t ScintillaTextStore::systemMemoryLeft() {
    std::ifstream info("/proc/meminfo");
    std::string name;
    std::size_t kilobytes = 0;
    while (info >> name >> kilobytes) {
        if (name == "MemAvailable:") {
            return kilobytes * 1024;
        }
        info.ignore(1 << 10, '\n');
    }
    return static_cast<std::size_t>(-1);
}

ScintillaTextStore::ScintillaTextStore(MemoryPreparation* preparation, MemoryLeft memoryLeft)
    : preparation_(preparation), memoryLeft_(memoryLeft),
      view_(std::make_unique<QsciScintillaBase>()) {}

ScintillaTextStore::~ScintillaTextStore() {
    clear();
}

void ScintillaTextStore::createLoader(std::size_t room) {
    clear();
    // No history: loading is not an edit. The document's code page is UTF-8 and its line
    // ends are LF from the start.
    const long made =
        sendScintilla(*view_, QsciScintillaBase::SCI_CREATELOADER, static_cast<long long>(room),
                      QsciScintillaBase::SC_DOCUMENTOPTION_DEFAULT);
    if (made == 0) {
        throw std::bad_alloc();
    }
    loader_ = reinterpret_cast<ILoader*>(made);
}

ILoader& ScintillaTextStore::loader() {
    if (loader_ == nullptr) {
        createLoader(0);
    }
    return *loader_;
}

void ScintillaTextStore::prepareMemory(std::size_t room) {
    if (preparation_ == nullptr) {
        return;
    }
    // The first touch of fresh memory takes long enough for a large file to be seen: a worker
    // touches the buffers' memory while the window goes on painting. It reaches no widget and
    // no document, only memory of its own.
    MemoryPreparation& preparation = *preparation_;
    auto prepared = std::async(std::launch::async, [&preparation, room] {
        preparation.prepare({room, room});
    });
    while (prepared.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    prepared.get();
}

void ScintillaTextStore::reserve(std::size_t bytes) {
    const std::size_t room = bytes + TypingRoom;
    // Refused here, rather than granted by the system and then taken back by its killer.
    if (room > LargestText || room > memoryLeft_() / StoredBytesPerTextByte) {
        throw std::bad_alloc();
    }
    // A fresh document rather than an emptied one: the room made for an earlier text goes
    // back before room is made again.
    clear();
    prepareMemory(room);
    try {
        createLoader(room);
    } catch (...) {
        releasePrepared();
        throw;
    }
    releasePrepared();
}

void ScintillaTextStore::releasePrepared() {
    if (preparation_ != nullptr) {
        preparation_->releaseUnused();
    }
}

void ScintillaTextStore::append(std::string_view text) {
    if (loader().AddData(text.data(), static_cast<std::ptrdiff_t>(text.size())) !=
        QsciScintillaBase::SC_STATUS_OK) {
        throw std::bad_alloc();
    }
    appendedSinceCheck_ += text.size();
    if (appendedSinceCheck_ >= AppendedBetweenChecks) {
        appendedSinceCheck_ = 0;
        if (memoryLeft_() < LeastMemoryLeft) {
            throw std::bad_alloc();
        }
    }
}

void ScintillaTextStore::clear() {
    if (loader_ != nullptr) {
        loader_->Release();
        loader_ = nullptr;
    }
}

std::string ScintillaTextStore::takeText() {
    QsciScintillaBase& view = *view_;
    handDocumentTo(view);
    const long length = sendScintilla(view, QsciScintillaBase::SCI_GETLENGTH);
    std::string text(static_cast<std::size_t>(length), '\0');
    view.SendScintilla(QsciScintillaBase::SCI_GETTEXTRANGE, 0L, length, text.data());
    // A fresh document of its own lets go of the loaded one.
    view.SendScintilla(QsciScintillaBase::SCI_SETDOCPOINTER, 0UL, static_cast<void*>(nullptr));
    return text;
}

void ScintillaTextStore::handDocumentTo(QsciScintillaBase& view) {
    // The loader's reference goes with the view's own.
    void* document = loader().ConvertToDocument();
    loader_ = nullptr;
    view.SendScintilla(QsciScintillaBase::SCI_SETDOCPOINTER, 0UL, document);
    view.SendScintilla(QsciScintillaBase::SCI_RELEASEDOCUMENT, 0UL, document);
}

} // namespace platform::qt
