// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "qt_text_control_accessible.h"

#include "qt_text_control.h"

#include <QAccessibleWidget>

namespace platform::qt {

namespace {

class TextControlAccessible : public QAccessibleWidget,
                              public QAccessibleTextInterface,
                              public QAccessibleEditableTextInterface {
public:
    explicit TextControlAccessible(QtTextControl* control)
        : QAccessibleWidget(control, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        if (type == QAccessible::EditableTextInterface) {
            return static_cast<QAccessibleEditableTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.selectableText = true;
        state.multiLine = true;
        state.editable = control()->send(QsciScintillaBase::SCI_GETREADONLY) == 0;
        state.readOnly = !state.editable;
        return state;
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) {
            return QString::fromStdString(control()->text());
        }
        return QAccessibleWidget::text(kind);
    }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        const long long start = control()->send(QsciScintillaBase::SCI_GETSELECTIONSTART);
        const long long end = control()->send(QsciScintillaBase::SCI_GETSELECTIONEND);
        if (selectionIndex == 0 && start != end) {
            *startOffset = offset(start);
            *endOffset = offset(end);
        }
    }

    int selectionCount() const override {
        return control()->send(QsciScintillaBase::SCI_GETSELECTIONSTART) !=
                       control()->send(QsciScintillaBase::SCI_GETSELECTIONEND)
                   ? 1
                   : 0;
    }

    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }

    void removeSelection(int selectionIndex) override {
        if (selectionIndex == 0) {
            control()->send(QsciScintillaBase::SCI_SETEMPTYSELECTION,
                            control()->send(QsciScintillaBase::SCI_GETCURRENTPOS));
        }
    }

    void setSelection(int selectionIndex, int startOffset, int endOffset) override {
        if (selectionIndex == 0) {
            control()->send(QsciScintillaBase::SCI_SETSEL, position(startOffset),
                            position(endOffset));
        }
    }

    int cursorPosition() const override {
        return offset(control()->send(QsciScintillaBase::SCI_GETCURRENTPOS));
    }

    void setCursorPosition(int cursor) override {
        control()->send(QsciScintillaBase::SCI_GOTOPOS, position(cursor));
    }

    QString text(int startOffset, int endOffset) const override {
        return QString::fromStdString(
            control()->textRange(position(startOffset), position(endOffset)));
    }

    int characterCount() const override { return offset(control()->length()); }

    QRect characterRect(int characterOffset) const override {
        const QtTextControl* edit = control();
        const long long at = position(characterOffset);
        const long long after = edit->send(QsciScintillaBase::SCI_POSITIONAFTER, at);
        const int x =
            static_cast<int>(edit->send(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0, at));
        const int y =
            static_cast<int>(edit->send(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0, at));
        const long long line = edit->send(QsciScintillaBase::SCI_LINEFROMPOSITION, at);
        const int height = static_cast<int>(edit->send(QsciScintillaBase::SCI_TEXTHEIGHT, line));
        int width =
            static_cast<int>(edit->send(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0, after)) - x;
        if (width <= 0) {
            width = static_cast<int>(edit->send(QsciScintillaBase::SCI_GETCARETWIDTH));
        }
        return QRect(edit->viewport()->mapToGlobal(QPoint(x, y)), QSize(width, height));
    }

    int offsetAtPoint(const QPoint& point) const override {
        const QPoint local = control()->viewport()->mapFromGlobal(point);
        const long long at =
            control()->send(QsciScintillaBase::SCI_POSITIONFROMPOINTCLOSE, local.x(), local.y());
        return at < 0 ? -1 : offset(at);
    }

    void scrollToSubstring(int startIndex, int endIndex) override {
        control()->send(QsciScintillaBase::SCI_SCROLLRANGE, position(endIndex),
                        position(startIndex));
    }

    QString attributes(int characterOffset, int* startOffset, int* endOffset) const override {
        const QtTextControl* edit = control();
        const long long at = position(characterOffset);
        const long long line = edit->send(QsciScintillaBase::SCI_LINEFROMPOSITION, at);
        const long long lineStart = edit->send(QsciScintillaBase::SCI_POSITIONFROMLINE, line);
        const long long lineEnd = edit->send(QsciScintillaBase::SCI_GETLINEENDPOSITION, line);
        const long long style = edit->send(QsciScintillaBase::SCI_GETSTYLEAT, at);
        // The run of equal formatting around the character, within its line.
        long long start = at;
        while (start > lineStart &&
               edit->send(QsciScintillaBase::SCI_GETSTYLEAT, start - 1) == style) {
            --start;
        }
        long long end = at;
        while (end < lineEnd && edit->send(QsciScintillaBase::SCI_GETSTYLEAT, end) == style) {
            ++end;
        }
        *startOffset = offset(start);
        *endOffset = offset(std::max(end, at + 1));

        const CharacterFormat format = edit->formatAt(at);
        QString attributes = QStringLiteral("font-family:\"%1\";font-size:%2pt;")
                                 .arg(QtTextControl::baseFontFamily())
                                 .arg(format.sizeHundredths / 100.0);
        attributes += format.bold ? QStringLiteral("font-weight:bold;")
                                  : QStringLiteral("font-weight:normal;");
        attributes += format.italic ? QStringLiteral("font-style:italic;")
                                    : QStringLiteral("font-style:normal;");
        if (format.underline) {
            attributes += QStringLiteral("text-underline-type:single;");
        }
        return attributes;
    }

    void deleteText(int startOffset, int endOffset) override {
        const long long start = position(startOffset);
        control()->send(QsciScintillaBase::SCI_DELETERANGE, start, position(endOffset) - start);
    }

    void insertText(int at, const QString& text) override {
        const QByteArray plain = QtTextControl::plainUtf8(text);
        control()->send(QsciScintillaBase::SCI_SETTARGETRANGE, position(at), position(at));
        control()->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET,
                                 static_cast<uintptr_t>(plain.size()), plain.constData());
    }

    void replaceText(int startOffset, int endOffset, const QString& text) override {
        const QByteArray plain = QtTextControl::plainUtf8(text);
        control()->send(QsciScintillaBase::SCI_SETTARGETRANGE, position(startOffset),
                        position(endOffset));
        control()->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET,
                                 static_cast<uintptr_t>(plain.size()), plain.constData());
    }

private:
    QtTextControl* control() const { return static_cast<QtTextControl*>(widget()); }
    int offset(long long at) const { return static_cast<int>(control()->offsetOfPosition(at)); }
    long long position(int at) const { return control()->positionOfOffset(at); }
};

} // namespace

QAccessibleInterface* textControlAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(QtTextControl::staticMetaObject.className()) &&
        object != nullptr && object->isWidgetType()) {
        return new TextControlAccessible(static_cast<QtTextControl*>(object));
    }
    return nullptr;
}

// --- The edit control's bookkeeping for assistive tools ----------------------------------

long long QtTextControl::offsetOfPosition(long long position) const {
    if (!characterIndex_) {
        // Built once, then kept up to date by Scintilla at every edit.
        send(SCI_ALLOCATELINECHARACTERINDEX, SC_LINECHARACTERINDEX_UTF16);
        characterIndex_ = true;
    }
    const long long line = send(SCI_LINEFROMPOSITION, position);
    return send(SCI_INDEXPOSITIONFROMLINE, line, SC_LINECHARACTERINDEX_UTF16) +
           send(SCI_COUNTCODEUNITS, send(SCI_POSITIONFROMLINE, line), position);
}

long long QtTextControl::positionOfOffset(long long offset) const {
    const long long end = length();
    if (offset <= 0) {
        return 0;
    }
    if (offset >= offsetOfPosition(end)) {
        return end;
    }
    const long long line = send(SCI_LINEFROMINDEXPOSITION, offset, SC_LINECHARACTERINDEX_UTF16);
    const long long lineStart = send(SCI_POSITIONFROMLINE, line);
    const long long lineOffset = send(SCI_INDEXPOSITIONFROMLINE, line, SC_LINECHARACTERINDEX_UTF16);
    return send(SCI_POSITIONRELATIVECODEUNITS, lineStart, offset - lineOffset);
}

void QtTextControl::finishAccessibleInsert() {
    if (pendingInsert_) {
        // The insertion is done by the time of the next notice or of the flush.
        pendingInsert_->text = QString::fromStdString(
            textRange(pendingInsert_->position, pendingInsert_->position + pendingInsert_->bytes));
        accessibleEdits_.push_back(std::move(*pendingInsert_));
        pendingInsert_.reset();
    }
}

void QtTextControl::sendAccessibleEdits() {
    finishAccessibleInsert();
    std::vector<AccessibleEdit> edits;
    edits.swap(accessibleEdits_);
    for (const AccessibleEdit& edit : edits) {
        if (edit.inserted) {
            QAccessibleTextInsertEvent event(this, static_cast<int>(edit.offset), edit.text);
            accessibility.notify(&event);
        } else {
            QAccessibleTextRemoveEvent event(this, static_cast<int>(edit.offset), edit.text);
            accessibility.notify(&event);
        }
    }
}

void QtTextControl::noteUpdate(int updated) {
    if ((updated & SC_UPDATE_SELECTION) == 0 || !accessibility.active()) {
        return;
    }
    const Range range = selection();
    QAccessibleTextCursorEvent cursor(this,
                                      static_cast<int>(offsetOfPosition(send(SCI_GETCURRENTPOS))));
    accessibility.notify(&cursor);
    if (range.start != range.end) {
        QAccessibleTextSelectionEvent selected(this,
                                               static_cast<int>(offsetOfPosition(range.start)),
                                               static_cast<int>(offsetOfPosition(range.end)));
        accessibility.notify(&selected);
    }
}

} // namespace platform::qt
