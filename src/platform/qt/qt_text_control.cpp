// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "qt_text_control.h"

#include "files/plain_text.h"
#include "platform/error.h"
#include "qt_text_control_accessible.h"
#include "qt_text_store.h"
#include "windows_key_codes.h"

#include <array>
#include <cmath>
#include <string_view>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

namespace platform::qt {

namespace {

// Reading styles a slice at a time keeps the buffer small on a 20 MB text.
constexpr long long StyleChunk = 1 << 16;

const char* const AccessibleName = "文本编辑区";

// Scintilla's own margin between the caret and the view's sides.
constexpr int CaretMarginPixels = 50;

// Text as the document holds it: valid UTF-8 (a broken sequence shows as U+FFFD instead of
// being kept as bytes a save could not encode) with "\n" line breaks.
std::string plainText(std::string_view text) {
    if (files::isValidUtf8(text)) {
        return files::withLineEnds(text, "\n");
    }
    const QByteArray mended =
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUtf8();
    return files::withLineEnds(std::string_view(mended.constData(), mended.size()), "\n");
}

} // namespace

QtTextControl::QtTextControl(QWidget* parent)
    : QsciScintillaBase(parent),
      styles_(CharacterFormat{false, false, false,
                              static_cast<int>(std::lround(BasePointSize * 100))}) {
    // Ahead of Scintilla's own accessible, which counts from the start of the text at every
    // caret move and keystroke.
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(&textControlAccessible);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);

    setObjectName(QStringLiteral("txtEdit"));
    setAccessibleName(QString::fromUtf8(AccessibleName));
    configure();

    modified_ = connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
                        [this](int position, int type, const char*, int length, int, int, int, int,
                               int, int) { noteModification(type, position, length); });
    updated_ = connect(this, &QsciScintillaBase::SCN_UPDATEUI, this,
                       [this](int updated) { noteUpdate(updated); });
}

QtTextControl::~QtTextControl() {
    events_ = nullptr;
    // Scintilla is torn down after this part of the object; it must not call back into it.
    disconnect(modified_);
    disconnect(updated_);
}

void QtTextControl::configure() {
    send(SCI_SETCODEPAGE, SC_CP_UTF8);
    send(SCI_SETEOLMODE, SC_EOL_LF);
    send(SCI_SETPASTECONVERTENDINGS, 1);
    // Only the "before" notices: after an insertion or deletion the Qt layer of Scintilla
    // counts characters from the start of the text for its accessibility events, which costs
    // 150 ms a keystroke at the end of a 20 MB text.
    send(SCI_SETMODEVENTMASK, SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE);

    const QByteArray family = baseFontFamily().toUtf8();
    SendScintilla(SCI_STYLESETFONT, STYLE_DEFAULT, family.constData());
    send(SCI_STYLESETSIZEFRACTIONAL, STYLE_DEFAULT, styles_.base().sizeHundredths);
    SendScintilla(SCI_STYLESETFORE, STYLE_DEFAULT, palette().color(QPalette::Text));
    SendScintilla(SCI_STYLESETBACK, STYLE_DEFAULT, palette().color(QPalette::Base));
    send(SCI_STYLECLEARALL);
    SendScintilla(SCI_SETSELFORE, 1, palette().color(QPalette::HighlightedText));
    SendScintilla(SCI_SETSELBACK, 1, palette().color(QPalette::Highlight));
    SendScintilla(SCI_SETCARETFORE, palette().color(QPalette::Text));

    for (int margin = 0; margin < 5; ++margin) {
        send(SCI_SETMARGINWIDTHN, margin, 0);
    }
    send(SCI_SETMARGINLEFT, 0, 2);
    // Typing past the right edge moves the view by three times the margin at once: each move
    // repaints the whole view, which at Scintilla's default came every five characters.
    send(SCI_SETXCARETPOLICY, CARET_SLOP | CARET_EVEN | CARET_JUMPS, CaretMarginPixels);

    // One selection, always a stream of text: the commands read and replace it as such. On
    // X11 the Qt layer turns Ctrl+drag into Scintilla's rectangle gesture, so the gesture is
    // moved to a modifier the Qt layer never passes on.
    send(SCI_SETMULTIPLESELECTION, 0);
    send(SCI_SETRECTANGULARSELECTIONMODIFIER, SCMOD_SUPER);
    const int rectangleKeys[] = {SCK_UP,   SCK_DOWN, SCK_LEFT,  SCK_RIGHT,
                                 SCK_HOME, SCK_END,  SCK_PRIOR, SCK_NEXT};
    for (int key : rectangleKeys) {
        send(SCI_CLEARCMDKEY, key + ((SCMOD_SHIFT | SCMOD_ALT) << 16));
    }
}

void QtTextControl::defineStyle(int style, const CharacterFormat& format) {
    send(SCI_STYLESETBOLD, style, format.bold);
    send(SCI_STYLESETITALIC, style, format.italic);
    send(SCI_STYLESETUNDERLINE, style, format.underline);
    send(SCI_STYLESETSIZEFRACTIONAL, style, format.sizeHundredths);
}

// --- Text -------------------------------------------------------------------------------

long long QtTextControl::length() const {
    return send(SCI_GETLENGTH);
}

std::string QtTextControl::textRange(long long from, long long to) const {
    if (to <= from) {
        return {};
    }
    std::string text(static_cast<std::size_t>(to - from), '\0');
    // Scintilla ends the copy with a NUL, which lands on the string's own terminator.
    SendScintilla(SCI_GETTEXTRANGE, static_cast<long>(from), static_cast<long>(to), text.data());
    return files::withLineEnds(text, "\n");
}

QByteArray QtTextControl::plainUtf8(QString text) {
    const QByteArray utf8 = text.toUtf8();
    const std::string plain =
        files::withLineEnds(std::string_view(utf8.constData(), utf8.size()), "\n");
    return QByteArray(plain.data(), static_cast<qsizetype>(plain.size()));
}

std::string QtTextControl::text() {
    return textRange(0, length());
}

void QtTextControl::setText(const std::string& text) {
    const std::string plain = plainText(text);
    // Loading is not an edit to undo, and the history would hold a second copy of the text.
    send(SCI_SETUNDOCOLLECTION, 0);
    send(SCI_CLEARALL);
    SendScintilla(SCI_APPENDTEXT, static_cast<uintptr_t>(plain.size()), plain.data());
    textReplaced();
}

void QtTextControl::adoptText(TextStore& store) {
    auto* scintilla = dynamic_cast<ScintillaTextStore*>(&store);
    if (scintilla == nullptr) {
        setText(store.takeText());
        return;
    }
    // The store's document becomes this control's, as it is: no copy, no second check.
    scintilla->handDocumentTo(*this);
    send(SCI_SETCODEPAGE, SC_CP_UTF8);
    send(SCI_SETEOLMODE, SC_EOL_LF);
    send(SCI_SETUNDOCOLLECTION, 0);
    textReplaced();
}

void QtTextControl::textReplaced() {
    send(SCI_EMPTYUNDOBUFFER);
    send(SCI_SETUNDOCOLLECTION, 1);
    for (int style : styles_.releaseAll()) {
        defineStyle(style, styles_.base());
    }
    scrollWidth_.restart();
    send(SCI_GOTOPOS, 0);
    // The text came in at the end, where the buffers' gap is; the first key goes where the
    // caret stands, at the start.
    gapFollower_.follow();
    // Setting the text is a change even when it is the same text, or empty again.
    changePending_ = true;
    flushChange();
}

QtTextControl::Range QtTextControl::selection() const {
    return {send(SCI_GETSELECTIONSTART), send(SCI_GETSELECTIONEND)};
}

std::string QtTextControl::selText() {
    const Range range = selection();
    return textRange(range.start, range.end);
}

void QtTextControl::replaceRange(Range range, const std::string& text) {
    send(SCI_SETTARGETRANGE, range.start, range.end);
    SendScintilla(SCI_REPLACETARGET, static_cast<uintptr_t>(text.size()), text.data());
    send(SCI_GOTOPOS, range.start + static_cast<long long>(text.size()));
}

void QtTextControl::setSelText(const std::string& text) {
    const std::string plain = plainText(text);
    const Range range = selection();
    if (range.start == range.end && plain.empty()) {
        return;
    }
    replaceRange(range, plain);
    flushChange();
}

long long QtTextControl::selLength() {
    const Range range = selection();
    return send(SCI_COUNTCODEUNITS, range.start, range.end);
}

CaretPosition QtTextControl::selStartPosition() {
    // Scintilla keeps the start of every line: the caret's line is a search, not a count.
    const long long position = selection().start;
    const long long line = send(SCI_LINEFROMPOSITION, position);
    const long long lineStart = send(SCI_POSITIONFROMLINE, line);
    return {line + 1, send(SCI_COUNTCODEUNITS, lineStart, position)};
}

bool QtTextControl::overwriteMode() {
    return send(SCI_GETOVERTYPE) != 0;
}

// --- Change notices -----------------------------------------------------------------------

void QtTextControl::noteModification(int type, long long position, long long bytes) {
    if ((type & (SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE)) == 0) {
        return;
    }
    changePending_ = true;
    if (accessibility.active()) {
        finishAccessibleInsert();
        if ((type & SC_MOD_BEFOREDELETE) != 0) {
            accessibleEdits_.push_back(
                {false, offsetOfPosition(position), position, bytes,
                 QString::fromStdString(textRange(position, position + bytes))});
        } else {
            pendingInsert_ = AccessibleEdit{true, offsetOfPosition(position), position, bytes, {}};
        }
    }
    // A change made outside any event of this widget (a direct call) is told all the same.
    if (!flushQueued_) {
        flushQueued_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                flushQueued_ = false;
                flushChange();
            },
            Qt::QueuedConnection);
    }
}

void QtTextControl::flushChange() {
    if (!changePending_) {
        return;
    }
    changePending_ = false;
    sendAccessibleEdits();
    if (events_ != nullptr) {
        events_->txtEdit_Change();
    }
}

// --- Formatting ---------------------------------------------------------------------------

template <typename See> void QtTextControl::forEachStyledByte(Range range, See see) const {
    std::vector<char> buffer;
    for (long long from = range.start; from < range.end; from += StyleChunk) {
        const long long to = std::min(range.end, from + StyleChunk);
        // Scintilla gives each byte followed by its style, and two NULs after the last.
        buffer.assign(static_cast<std::size_t>(2 * (to - from) + 2), '\0');
        SendScintilla(SCI_GETSTYLEDTEXT, static_cast<long>(from), static_cast<long>(to),
                      buffer.data());
        for (std::size_t i = 0; i < static_cast<std::size_t>(to - from); ++i) {
            see(buffer[2 * i], static_cast<unsigned char>(buffer[2 * i + 1]));
        }
    }
}

std::vector<unsigned char> QtTextControl::stylesIn(Range range) const {
    std::vector<unsigned char> styles;
    styles.reserve(static_cast<std::size_t>(std::max(0LL, range.end - range.start)));
    forEachStyledByte(range, [&](char, unsigned char style) { styles.push_back(style); });
    return styles;
}

CharacterStyles::StyleSet QtTextControl::stylesUsedIn(Range range, bool skipLineBreaks) const {
    CharacterStyles::StyleSet used;
    CharacterStyles::StyleSet lineBreaks;
    forEachStyledByte(range, [&](char byte, unsigned char style) {
        if (skipLineBreaks && byte == '\n') {
            lineBreaks.set(style);
        } else {
            used.set(style);
        }
    });
    // A selection of nothing but line breaks has their formatting.
    return used.none() ? lineBreaks : used;
}

CharacterFormat QtTextControl::formatAtCaret() const {
    // The character before the caret on its line, or the one after it at a line's start.
    const long long caret = send(SCI_GETCURRENTPOS);
    const long long line = send(SCI_LINEFROMPOSITION, caret);
    if (caret > send(SCI_POSITIONFROMLINE, line)) {
        return styles_.format(
            static_cast<int>(send(SCI_GETSTYLEAT, send(SCI_POSITIONBEFORE, caret))));
    }
    if (caret < send(SCI_GETLINEENDPOSITION, line)) {
        return styles_.format(static_cast<int>(send(SCI_GETSTYLEAT, caret)));
    }
    return styles_.base();
}

template <typename Read>
auto QtTextControl::selectionAttribute(Read read)
    -> std::optional<decltype(read(CharacterFormat()))> {
    const Range range = selection();
    if (range.start == range.end) {
        return read(formatAtCaret());
    }
    const CharacterStyles::StyleSet used = stylesUsedIn(range, true);
    std::optional<decltype(read(CharacterFormat()))> value;
    for (int style = 0; style < CharacterStyles::StyleCount; ++style) {
        if (!used.test(style)) {
            continue;
        }
        const auto styleValue = read(styles_.format(style));
        if (value && *value != styleValue) {
            return std::nullopt;
        }
        value = styleValue;
    }
    return value;
}

void QtTextControl::reclaimStyles(const CharacterStyles::StyleSet& alsoKeep) {
    CharacterStyles::StyleSet inUse = stylesUsedIn({0, length()}, false) | alsoKeep;
    for (int style : styles_.releaseUnused(inUse)) {
        defineStyle(style, styles_.base());
    }
}

template <typename Change> void QtTextControl::changeSelectionFormat(Change change) {
    const Range range = selection();
    if (range.start == range.end) {
        return;
    }
    std::vector<unsigned char> styles = stylesIn(range);
    CharacterStyles::StyleSet used;
    for (unsigned char style : styles) {
        used.set(style);
    }

    std::array<int, CharacterStyles::StyleCount> mapping{};
    CharacterStyles::StyleSet added;
    bool changed = false;
    for (int style = 0; style < CharacterStyles::StyleCount; ++style) {
        mapping[static_cast<std::size_t>(style)] = style;
        if (!used.test(style)) {
            continue;
        }
        CharacterFormat format = styles_.format(style);
        change(format);
        std::optional<int> target = styles_.find(format);
        if (!target) {
            target = styles_.allocate(format);
            if (!target) {
                reclaimStyles(used | added);
                target = styles_.allocate(format);
            }
            if (!target) {
                for (int undone = 0; undone < CharacterStyles::StyleCount; ++undone) {
                    if (added.test(undone)) {
                        styles_.release(undone);
                        defineStyle(undone, styles_.base());
                    }
                }
                throw RuntimeError(ErrorNumber::InvalidPropertyValue, InvalidPropertyValueText);
            }
            added.set(*target);
            defineStyle(*target, format);
        }
        mapping[static_cast<std::size_t>(style)] = *target;
        changed = changed || *target != style;
    }
    if (!changed) {
        return;
    }

    for (unsigned char& style : styles) {
        style = static_cast<unsigned char>(mapping[style]);
    }
    send(SCI_STARTSTYLING, range.start, 0);
    for (std::size_t from = 0; from < styles.size(); from += StyleChunk) {
        const std::size_t count = std::min<std::size_t>(StyleChunk, styles.size() - from);
        SendScintilla(SCI_SETSTYLINGEX, static_cast<uintptr_t>(count),
                      reinterpret_cast<const char*>(styles.data() + from));
    }
    // A size no character carries any more would still set the height of every line.
    if (styles_.anyLargerThanBase()) {
        reclaimStyles({});
    }
}

std::optional<bool> QtTextControl::selBold() {
    return selectionAttribute([](const CharacterFormat& format) { return format.bold; });
}

void QtTextControl::setSelBold(bool on) {
    changeSelectionFormat([on](CharacterFormat& format) { format.bold = on; });
}

std::optional<bool> QtTextControl::selItalic() {
    return selectionAttribute([](const CharacterFormat& format) { return format.italic; });
}

void QtTextControl::setSelItalic(bool on) {
    changeSelectionFormat([on](CharacterFormat& format) { format.italic = on; });
}

std::optional<bool> QtTextControl::selUnderline() {
    return selectionAttribute([](const CharacterFormat& format) { return format.underline; });
}

void QtTextControl::setSelUnderline(bool on) {
    changeSelectionFormat([on](CharacterFormat& format) { format.underline = on; });
}

std::optional<double> QtTextControl::selFontSize() {
    const auto hundredths =
        selectionAttribute([](const CharacterFormat& format) { return format.sizeHundredths; });
    if (!hundredths) {
        return std::nullopt;
    }
    return *hundredths / 100.0;
}

void QtTextControl::setSelFontSize(double points) {
    if (!std::isfinite(points) || points < SmallestPointSize || points > LargestPointSize) {
        throw RuntimeError(ErrorNumber::InvalidPropertyValue, InvalidPropertyValueText);
    }
    const int hundredths = static_cast<int>(std::lround(points * 100));
    changeSelectionFormat(
        [hundredths](CharacterFormat& format) { format.sizeHundredths = hundredths; });
}

double QtTextControl::fontSize() {
    return send(SCI_STYLEGETSIZEFRACTIONAL, STYLE_DEFAULT) / 100.0;
}

// --- Events -------------------------------------------------------------------------------

bool QtTextControl::event(QEvent* event) {
    const bool handled = QsciScintillaBase::event(event);
    flushChange();
    return handled;
}

bool QtTextControl::viewportEvent(QEvent* event) {
    const bool handled = QsciScintillaBase::viewportEvent(event);
    flushChange();
    return handled;
}

void QtTextControl::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
    // X11 repeats a held key as press and release pairs; only the real release counts.
    if (event->isAutoRepeat()) {
        return;
    }
    flushChange();
    if (events_ != nullptr) {
        events_->txtEdit_KeyUp(windowsKeyCode(*event), windowsShiftState(event->modifiers()));
    }
}

void QtTextControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        leftPressed_ = true;
    }
    QsciScintillaBase::mousePressEvent(event);
}

void QtTextControl::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second click of a double click selects a word; its release reports where.
    if (event->button() == Qt::LeftButton) {
        leftPressed_ = true;
    }
    QsciScintillaBase::mouseDoubleClickEvent(event);
}

void QtTextControl::mouseReleaseEvent(QMouseEvent* event) {
    QsciScintillaBase::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !leftPressed_) {
        return;
    }
    leftPressed_ = false;
    flushChange();
    if (events_ != nullptr) {
        events_->txtEdit_Click();
    }
}

void QtTextControl::focusOutEvent(QFocusEvent* event) {
    QsciScintillaBase::focusOutEvent(event);
    switch (event->reason()) {
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
    case Qt::ActiveWindowFocusReason:
        // A menu opening, or the whole window giving way to another program: the text keeps
        // its place as the focus of this window.
        return;
    default:
        break;
    }
    if (events_ != nullptr) {
        events_->txtEdit_LostFocus();
    }
}

void QtTextControl::contextMenuEvent(QContextMenuEvent* event) {
    // Scintilla's own menu speaks English; this one speaks the desktop's language.
    const Range range = selection();
    const bool selected = range.start != range.end;
    const bool editable = send(SCI_GETREADONLY) == 0;
    QMenu menu(this);
    const auto add = [&](const char* text, QKeySequence::StandardKey keys, bool enabled,
                         unsigned int message) {
        QAction* action = menu.addAction(QString::fromUtf8(text));
        action->setShortcut(keys);
        action->setShortcutVisibleInContextMenu(true);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, [this, message] { send(message); });
    };
    add("撤消(&U)", QKeySequence::Undo, editable && send(SCI_CANUNDO) != 0, SCI_UNDO);
    add("重做(&R)", QKeySequence::Redo, editable && send(SCI_CANREDO) != 0, SCI_REDO);
    menu.addSeparator();
    add("剪切(&T)", QKeySequence::Cut, editable && selected, SCI_CUT);
    add("复制(&C)", QKeySequence::Copy, selected, SCI_COPY);
    add("粘贴(&P)", QKeySequence::Paste,
        editable && canInsertFromMimeData(QApplication::clipboard()->mimeData()), SCI_PASTE);
    add("删除(&D)", QKeySequence::Delete, editable && selected, SCI_CLEAR);
    menu.addSeparator();
    add("全选(&A)", QKeySequence::SelectAll, length() > 0, SCI_SELECTALL);
    QPoint at = event->globalPos();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        const long long caret = send(SCI_GETCURRENTPOS);
        at = viewport()->mapToGlobal(QPoint(
            static_cast<int>(send(SCI_POINTXFROMPOSITION, 0, caret)),
            static_cast<int>(send(SCI_POINTYFROMPOSITION, 0, caret) + send(SCI_TEXTHEIGHT, 0))));
    }
    menu.exec(at);
    flushChange();
}

// --- Clipboard and drag and drop: plain text only ------------------------------------------

bool QtTextControl::canInsertFromMimeData(const QMimeData* source) const {
    return source != nullptr && source->hasText();
}

QByteArray QtTextControl::fromMimeData(const QMimeData* source, bool& rectangular) const {
    rectangular = false;
    return source != nullptr ? plainUtf8(source->text()) : QByteArray();
}

QMimeData* QtTextControl::toMimeData(const QByteArray& text, bool) const {
    auto* mime = new QMimeData;
    mime->setText(QString::fromUtf8(text));
    return mime;
}

} // namespace platform::qt
