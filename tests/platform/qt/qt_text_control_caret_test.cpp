// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// Line and column of the start of the selection.

#include "text_control_fixture.h"

#include <chrono>
#include <random>

#include <QPaintEvent>
#include <QString>
#include <QTest>

using platform::CaretPosition;

namespace {

// The plain definition: one more line for every line feed before the offset, the column
// counting from the last of them; offsets and columns in UTF-16 units.
CaretPosition scanTo(const QString& text, qsizetype offset) {
    CaretPosition position;
    for (qsizetype i = 0; i < offset; ++i) {
        if (text[i] == QLatin1Char('\n')) {
            ++position.line;
            position.column = 0;
        } else {
            ++position.column;
        }
    }
    return position;
}

// Byte position in the UTF-8 text of a UTF-16 offset.
long long bytesBefore(const QString& text, qsizetype offset) {
    return text.left(offset).toUtf8().size();
}

std::string manyLines(int count) {
    std::string text;
    for (int line = 0; line < count; ++line) {
        text += "    int value = 42; // 行注释\n";
    }
    return text;
}

double secondsFor(int repeats, platform::qt::QtTextControl& control) {
    const auto start = std::chrono::steady_clock::now();
    long long sum = 0;
    for (int i = 0; i < repeats; ++i) {
        sum += control.selStartPosition().line;
    }
    EXPECT_GT(sum, 0);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Sees every event of the application while it lives.
class EventSpy : public QObject {
public:
    explicit EventSpy(std::function<void(QObject*, QEvent*)> see) : see_(std::move(see)) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        see_(watched, event);
        return false;
    }

private:
    std::function<void(QObject*, QEvent*)> see_;
};

} // namespace

TEST_F(TextControlTest, CaretPositionsOfTheEdgeCases) {
    control.setText("");
    EXPECT_EQ(control.selStartPosition().line, 1);
    EXPECT_EQ(control.selStartPosition().column, 0);

    control.setText("abc\ndef\nghij");
    caretAtByte(0);
    EXPECT_EQ(control.selStartPosition().line, 1);
    EXPECT_EQ(control.selStartPosition().column, 0);
    caretAtByte(3);
    EXPECT_EQ(control.selStartPosition().line, 1);
    EXPECT_EQ(control.selStartPosition().column, 3);
    caretAtByte(4);
    EXPECT_EQ(control.selStartPosition().line, 2);
    EXPECT_EQ(control.selStartPosition().column, 0);
    caretAtByte(10);
    EXPECT_EQ(control.selStartPosition().line, 3);
    EXPECT_EQ(control.selStartPosition().column, 2);
}

TEST_F(TextControlTest, ASelectionIsPlacedByItsStartWhicheverWayItWasMade) {
    control.setText("abc\ndef\nghij");
    selectBytes(5, 10);
    EXPECT_EQ(control.selStartPosition().line, 2);
    EXPECT_EQ(control.selStartPosition().column, 1);
    // Selected backwards, with the caret at the start of the third line.
    selectBytes(10, 5);
    EXPECT_EQ(control.selStartPosition().line, 2);
    EXPECT_EQ(control.selStartPosition().column, 1);
}

TEST_F(TextControlTest, ColumnsCountUtf16UnitsOfChineseAndOtherCharacters) {
    control.setText("中文😀x\n第二");
    const QString text = QString::fromStdString(control.text());
    caretAtByte(bytesBefore(text, 5));
    EXPECT_EQ(control.selStartPosition().line, 1);
    EXPECT_EQ(control.selStartPosition().column, 5);
    caretAtByte(bytesBefore(text, 7));
    EXPECT_EQ(control.selStartPosition().line, 2);
    EXPECT_EQ(control.selStartPosition().column, 1);
}

TEST_F(TextControlTest, CaretPositionsAgreeWithAPlainScanOnRandomTexts) {
    std::mt19937 random(7);
    const QString pieces[] = {QStringLiteral("a"),    QStringLiteral("\n"), QStringLiteral("中"),
                              QStringLiteral("\t"),   QStringLiteral("😀"),  QStringLiteral("\n\n"),
                              QStringLiteral("word ")};
    std::uniform_int_distribution<int> pickPiece(0, static_cast<int>(std::size(pieces)) - 1);
    for (int round = 0; round < 40; ++round) {
        QString text;
        const int count = std::uniform_int_distribution<int>(0, 60)(random);
        for (int i = 0; i < count; ++i) {
            text += pieces[pickPiece(random)];
        }
        control.setText(text.toStdString());
        for (int probe = 0; probe < 10; ++probe) {
            qsizetype offset = std::uniform_int_distribution<qsizetype>(0, text.size())(random);
            if (offset > 0 && offset < text.size() && text[offset].isLowSurrogate()) {
                --offset;
            }
            caretAtByte(bytesBefore(text, offset));
            const CaretPosition expected = scanTo(text, offset);
            const CaretPosition actual = control.selStartPosition();
            EXPECT_EQ(actual.line, expected.line) << text.toStdString() << " @" << offset;
            EXPECT_EQ(actual.column, expected.column) << text.toStdString() << " @" << offset;
        }
    }
}

TEST_F(TextControlTest, TheCaretAtTheEndOfAHugeTextCostsNoMoreThanNearItsStart) {
    control.setText(manyLines(400000));
    caretAtByte(10);
    secondsFor(50, control);
    const double nearStart = secondsFor(2000, control);
    control.send(QsciScintillaBase::SCI_DOCUMENTEND);
    EXPECT_EQ(control.selStartPosition().line, 400001);
    const double atEnd = secondsFor(2000, control);
    // A count from the start of the text would take milliseconds for each call.
    EXPECT_LT(atEnd, nearStart * 20 + 0.02) << atEnd << " s against " << nearStart << " s";
}

TEST_F(TextControlTest, TypingAtTheEndOfAHugeTextCostsNoMoreThanNearItsStart) {
    // Scintilla's Qt layer counts from the start of the text after every insertion unless
    // the control keeps those notices from it.
    control.setText(manyLines(400000));
    const auto typeFor = [&](int keys) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < keys; ++i) {
            QTest::keyClick(&control, Qt::Key_A);
            QTest::keyClick(&control, Qt::Key_Backspace);
        }
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    caretAtByte(10);
    typeFor(5);
    const double nearStart = typeFor(100);
    control.send(QsciScintillaBase::SCI_DOCUMENTEND);
    const double atEnd = typeFor(100);
    EXPECT_LT(atEnd, nearStart * 5 + 0.1) << atEnd << " s against " << nearStart << " s";
}

TEST_F(TextControlTest, TypingIntoTheWidestLineRepaintsTheWholeViewOnlyWhereItMust) {
    // Typing into a line whose end is out of sight widened it past the scroll range with each
    // key, and Scintilla repainted the whole view 50 ms after each widening, after the last
    // key too. Typing at the right edge moved the view every five characters.
    std::string text;
    for (int line = 0; line < 40; ++line) {
        text += "            for (int i = 0; i < size; i++) { sum += data[i]; }\n";
    }
    control.setText(text);
    control.resize(400, 300);
    control.show();
    QWidget* view = control.viewport();
    int wholeViewPaints = 0;
    const auto countWholeViewPaints = [&](QObject* watched, QEvent* event) {
        if (watched == view && event->type() == QEvent::Paint &&
            static_cast<QPaintEvent*>(event)->rect() == view->rect()) {
            ++wholeViewPaints;
        }
    };
    EventSpy spy(countWholeViewPaints);
    const auto type = [&](int keys) {
        processEvents();
        wholeViewPaints = 0;
        for (int key = 0; key < keys; ++key) {
            QTest::keyClick(&control, Qt::Key_A);
            processEvents();
        }
        return wholeViewPaints;
    };

    // The 13th character of the last line, the line's end beyond the right edge.
    caretAtByte(control.length() - 50);
    type(1);
    type(50);
    wholeViewPaints = 0;
    EXPECT_FALSE(QTest::qWaitFor([&] { return wholeViewPaints > 0; }, 150))
        << "the view was repainted after the last key";

    // At the end of the line: the view moves sideways three margins at a time.
    control.send(QsciScintillaBase::SCI_LINEEND);
    EXPECT_LE(type(50), 5);
}
