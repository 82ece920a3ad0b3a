#include "qt_text_store.h"

#include "scintilla_message.h"

#include <chrono>
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

// What the system can still give without swapping, from /proc/meminfo; none where unknown.
std::size_t availableMemory() {
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

} // namespace

ScintillaTextStore::ScintillaTextStore() : loader_(std::make_unique<QsciScintillaBase>()) {
    // No notices: the text arrives as one load.
    sendScintilla(*loader_, QsciScintillaBase::SCI_SETMODEVENTMASK, 0);
    prepareDocument();
}

void ScintillaTextStore::prepareDocument() {
    QsciScintillaBase& loader = *loader_;
    // No history: loading is not an edit.
    sendScintilla(loader, QsciScintillaBase::SCI_SETUNDOCOLLECTION, 0);
    sendScintilla(loader, QsciScintillaBase::SCI_SETCODEPAGE, QsciScintillaBase::SC_CP_UTF8);
    sendScintilla(loader, QsciScintillaBase::SCI_SETEOLMODE, QsciScintillaBase::SC_EOL_LF);
}

ScintillaTextStore::~ScintillaTextStore() = default;

void ScintillaTextStore::throwIfOutOfMemory() {
    const long status = sendScintilla(*loader_, QsciScintillaBase::SCI_GETSTATUS);
    if (status != QsciScintillaBase::SC_STATUS_OK) {
        sendScintilla(*loader_, QsciScintillaBase::SCI_SETSTATUS, QsciScintillaBase::SC_STATUS_OK);
        throw std::bad_alloc();
    }
}

void ScintillaTextStore::reserve(std::size_t bytes) {
    const std::size_t room = bytes + TypingRoom;
    // Refused here, rather than granted by the system and then taken back by its killer.
    if (room > availableMemory() / StoredBytesPerTextByte) {
        throw std::bad_alloc();
    }
    // The buffers are fresh memory, whose first touch for a large file takes long enough to
    // be seen: a thread of its own touches it while the window goes on painting. The loader is
    // never shown, so nothing else reaches it meanwhile.
    auto allocation = std::async(std::launch::async, [this, room] {
        sendScintilla(*loader_, QsciScintillaBase::SCI_ALLOCATE, static_cast<long long>(room));
    });
    while (allocation.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    allocation.get();
    throwIfOutOfMemory();
}

void ScintillaTextStore::append(std::string_view text) {
    loader_->SendScintilla(QsciScintillaBase::SCI_APPENDTEXT,
                           static_cast<unsigned long>(text.size()), text.data());
    throwIfOutOfMemory();
}

void ScintillaTextStore::clear() {
    // A fresh document rather than an emptied one: the room made for the old text goes back
    // before room is made again.
    loader_->SendScintilla(QsciScintillaBase::SCI_SETDOCPOINTER, 0UL, static_cast<void*>(nullptr));
    prepareDocument();
}

std::string ScintillaTextStore::takeText() {
    const long length = sendScintilla(*loader_, QsciScintillaBase::SCI_GETLENGTH);
    std::string text(static_cast<std::size_t>(length), '\0');
    loader_->SendScintilla(QsciScintillaBase::SCI_GETTEXTRANGE, 0L, length, text.data());
    clear();
    return text;
}

void* ScintillaTextStore::releaseDocument() {
    QsciScintillaBase& loader = *loader_;
    void* document = loader.SendScintillaPtrResult(QsciScintillaBase::SCI_GETDOCPOINTER);
    loader.SendScintilla(QsciScintillaBase::SCI_ADDREFDOCUMENT, 0UL, document);
    // A fresh document of its own lets go of the loaded one.
    loader.SendScintilla(QsciScintillaBase::SCI_SETDOCPOINTER, 0UL, static_cast<void*>(nullptr));
    return document;
}

} // namespace platform::qt
