// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "character_styles.h"
#include "platform/text_control.h"
#include "scintilla_gap_follower.h"
#include "scintilla_message.h"
#include "scintilla_scroll_width.h"

#include <optional>
#include <string>
#include <vector>

#include <QAccessible>
#include <QString>

#include <Qsci/qsciscintillabase.h>

namespace platform::qt {

// The document's edit control, on Scintilla: it keeps a 20 MB source responsive, because it
// lays out only the lines it shows. Formatting is Scintilla's styles, one per distinct
// combination of bold, italic, underline and size; all lines share one height, that of the
// largest size in use.
//
// The text is UTF-8 with "\n" line breaks, whatever came in. Columns and lengths count UTF-16
// code units, the characters of a Windows text. Text typed or inserted takes the base
// formatting; a formatting change with nothing selected changes nothing.
class QtTextControl : public QsciScintillaBase, public TextControl {
    Q_OBJECT
public:
    explicit QtTextControl(QWidget* parent = nullptr);
    ~QtTextControl() override;

    void setEvents(TextControlEvents* events) override { events_ = events; }

    std::string text() override;
    void setText(const std::string& text) override;
    void adoptText(TextStore& store) override;
    std::string selText() override;
    void setSelText(const std::string& text) override;
    long long selLength() override;
    CaretPosition selStartPosition() override;

    std::optional<bool> selBold() override;
    void setSelBold(bool on) override;
    std::optional<bool> selItalic() override;
    void setSelItalic(bool on) override;
    std::optional<bool> selUnderline() override;
    void setSelUnderline(bool on) override;
    std::optional<double> selFontSize() override;
    void setSelFontSize(double points) override;
    double fontSize() override;

    bool overwriteMode() override;

    // The face standing in for 宋体 (SimSun) where it is not installed.
    static QString baseFontFamily();
    static constexpr double BasePointSize = 15;
    // The sizes the control accepts, in points; others raise InvalidPropertyValue.
    static constexpr double SmallestPointSize = 1;
    static constexpr double LargestPointSize = 1638;

    // Where edits and caret moves go for assistive tools, tracked only while one listens. A
    // test stands in for a tool by replacing both.
    struct Accessibility {
        bool (*active)();
        void (*notify)(QAccessibleEvent*);
    };
    static inline Accessibility accessibility{&QAccessible::isActive,
                                              &QAccessible::updateAccessibility};

    // Offsets in UTF-16 code units from the start of the text, the way assistive tools count,
    // against Scintilla's byte positions.
    long long offsetOfPosition(long long position) const;
    long long positionOfOffset(long long offset) const;
    long long length() const;
    std::string textRange(long long from, long long to) const;
    CharacterFormat formatAt(long long position) const {
        return styles_.format(static_cast<int>(send(SCI_GETSTYLEAT, position)));
    }
    // Text from outside (clipboard, drop, assistive tools) as the document holds it.
    static QByteArray plainUtf8(QString text);
    // A Scintilla message with numeric parameters.
    long send(unsigned int message, long long wParam = 0, long long lParam = 0) const {
        return sendScintilla(*this, message, wParam, lParam);
    }

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    bool canInsertFromMimeData(const QMimeData* source) const override;
    QByteArray fromMimeData(const QMimeData* source, bool& rectangular) const override;
    QMimeData* toMimeData(const QByteArray& text, bool rectangular) const override;

private:
    struct Range {
        long long start;
        long long end;
    };
    // A text change noted by Scintilla before it happens, told to assistive tools afterwards.
    struct AccessibleEdit {
        bool inserted;
        long long offset;
        long long position;
        long long bytes;
        QString text;
    };

    void configure();
    // After the whole text was replaced: no history, base formatting, caret at the start.
    void textReplaced();
    void defineStyle(int style, const CharacterFormat& format);
    Range selection() const;
    void replaceRange(Range range, const std::string& text);

    // Scintilla reports changes while they are under way; the window hears of them once the
    // event or call that made them is over.
    void noteModification(int type, long long position, long long bytes);
    void flushChange();
    void finishAccessibleInsert();
    void sendAccessibleEdits();
    void noteUpdate(int updated);

    // Calls see(byte, style) for each byte of the range, reading a slice at a time.
    template <typename See> void forEachStyledByte(Range range, See see) const;
    std::vector<unsigned char> stylesIn(Range range) const;
    CharacterStyles::StyleSet stylesUsedIn(Range range, bool skipLineBreaks) const;
    CharacterFormat formatAtCaret() const;
    template <typename Read>
    auto selectionAttribute(Read read) -> std::optional<decltype(read(CharacterFormat()))>;
    template <typename Change> void changeSelectionFormat(Change change);
    void reclaimStyles(const CharacterStyles::StyleSet& alsoKeep);

    TextControlEvents* events_ = nullptr;
    CharacterStyles styles_;
    QMetaObject::Connection modified_;
    QMetaObject::Connection updated_;
    bool changePending_ = false;
    bool flushQueued_ = false;
    bool leftPressed_ = false;
    mutable bool characterIndex_ = false;
    std::vector<AccessibleEdit> accessibleEdits_;
    std::optional<AccessibleEdit> pendingInsert_;
    ScintillaGapFollower gapFollower_{*this};
    ScintillaScrollWidth scrollWidth_{*this};
};

} // namespace platform::qt
