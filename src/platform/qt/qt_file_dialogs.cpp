// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "qt_file_dialogs.h"

#include "file_dialog_parts.h"
#include "qt_message_box.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace platform::qt {

namespace {

QString pathFrom(const std::string& path) {
    return QDir::fromNativeSeparators(QFile::decodeName(QByteArray::fromStdString(path)));
}

std::string pathTo(const QString& path) {
    return QFile::encodeName(QDir::toNativeSeparators(path)).toStdString();
}

// One pattern of a filter entry as a Qt wildcard. Filter patterns are Windows wildcards: only "*"
// and "?" are special, and "*.*" matches every name, "Makefile" too. Brackets and parentheses
// become sets of that one character: Qt reads brackets as sets, and a parenthesised part of a
// filter text as its patterns. A blank would split the pattern in two, so it matches any one
// character instead.
QString qtWildcard(const QString& pattern) {
    if (pattern == QStringLiteral("*.*")) {
        return QStringLiteral("*");
    }
    QString wildcard;
    for (const QChar c : pattern) {
        if (c == u'[' || c == u']' || c == u'(' || c == u')') {
            wildcard += u'[';
            wildcard += c;
            wildcard += u']';
        } else if (c.isSpace()) {
            wildcard += u'?';
        } else {
            wildcard += c;
        }
    }
    return wildcard;
}

struct FilterEntry {
    QString description;
    // What Qt's filter logic is handed: the wildcards separated by blanks, with no parentheses,
    // which Qt takes word by word as the patterns to list.
    QString qtFilter;
};

// "description|pattern|description|pattern..."; a description without a pattern is dropped.
QList<FilterEntry> filterEntries(const std::string& filter) {
    QList<FilterEntry> entries;
    if (filter.empty()) {
        return entries;
    }
    const QStringList parts = QString::fromStdString(filter).split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList wildcards;
        for (const QString& pattern : parts.at(i + 1).split(u';')) {
            const QString trimmed = pattern.trimmed();
            if (!trimmed.isEmpty()) {
                wildcards << qtWildcard(trimmed);
            }
        }
        entries.append({parts.at(i), wildcards.join(u' ')});
    }
    return entries;
}

// Qt lists the files by the patterns it reads from each filter text and shows that text in the
// file type box; the box's texts are then replaced by the descriptions, which leaves Qt's
// filtering, and the extension it puts on a typed name when the user changes the type, to the
// patterns alone.
void applyFilters(QFileDialog& dialog, const QList<FilterEntry>& entries, int filterIndex) {
    if (entries.isEmpty()) {
        return;
    }
    QStringList qtFilters;
    for (const FilterEntry& entry : entries) {
        qtFilters << entry.qtFilter;
    }
    const qsizetype index =
        filterIndex >= 1 && filterIndex <= entries.size() ? qsizetype{filterIndex - 1} : 0;
    dialog.setNameFilters(qtFilters);
    dialog.selectNameFilter(qtFilters.at(index));

    QComboBox* types = typeBox(dialog);
    if (types == nullptr || types->count() != entries.size()) {
        return;
    }
    // Entries with equal patterns have equal Qt texts; select by position, not by text.
    types->setCurrentIndex(static_cast<int>(index));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        types->setItemText(static_cast<int>(i), entries.at(i).description);
    }
}

// "*.htm", ".htm" and "htm" all mean the suffix "htm"; a wildcard suffix means none.
QString defaultSuffix(const std::string& defaultExt) {
    QString suffix = QString::fromStdString(defaultExt).trimmed();
    if (suffix.startsWith(u'*')) {
        suffix.remove(0, 1);
    }
    if (suffix.startsWith(u'.')) {
        suffix.remove(0, 1);
    }
    if (suffix.contains(u'*') || suffix.contains(u'?') || suffix.contains(u'/')) {
        return {};
    }
    return suffix;
}

class FileDialog final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    // Qt's own reading of the name box takes text in quotes as several names, so that a typed
    // a"q.java would come back as q.java. A name holding a quote is kept in the box whole, and
    // chosen here, as the one name it is.
    void keepQuotedNamesWhole() {
        QLineEdit* box = nameBox(*this);
        QDialogButtonBox* buttons = buttonBox(*this);
        if (box == nullptr || buttons == nullptr) {
            return;
        }
        // Connected after Qt's own slot, so this has the last word on the button: Qt disables
        // it where its split leaves an empty name, as for a typed x".
        connect(box, &QLineEdit::textChanged, this, [this, buttons](const QString& text) {
            QPushButton* button = buttons->button(
                acceptMode() == AcceptSave ? QDialogButtonBox::Save : QDialogButtonBox::Open);
            if (button != nullptr && text.contains(u'"')) {
                button->setEnabled(true);
            }
        });
    }

    // The name the user chose, or nothing when Qt's own selection stands.
    std::optional<QString> chosen() const { return chosen_; }

protected:
    // Qt asks whether a typed name is a folder relative to the process's current directory,
    // not the folder shown, and adds the default suffix when it is not: a typed "classes" would
    // come back as "classes.htm" instead of opening that folder. A typed folder is entered here.
    void accept() override {
        QLineEdit* box = nameBox(*this);
        if (box != nullptr) {
            const QString typed = box->text();
            const QFileInfo target(directory().absoluteFilePath(typed));
            if (!typed.isEmpty() && target.isDir()) {
                setDirectory(target.absoluteFilePath());
                box->clear();
                return;
            }
            if (typed.contains(u'"')) {
                acceptWhole(typed);
                return;
            }
        }
        const QStringList selected = selectedFiles();
        if (acceptMode() == AcceptSave && !selected.isEmpty() && !mayReplace(selected.first())) {
            return;
        }
        QFileDialog::accept();
    }

private:
    // The typed name as Qt completes any other: in the folder shown, with the default suffix
    // when it has no full stop.
    void acceptWhole(QString name) {
        if (!defaultSuffix().isEmpty() && !name.contains(u'.')) {
            name += u'.' + defaultSuffix();
        }
        const QString path = QFileInfo(directory().absoluteFilePath(name)).absoluteFilePath();
        if (acceptMode() == AcceptSave && !mayReplace(path)) {
            return;
        }
        chosen_ = path;
        QDialog::accept();
    }

    // An existing file is replaced only when the user says so; No, Esc or the close box leave
    // the file alone and the dialog open for another name.
    bool mayReplace(const QString& path) {
        if (!QFileInfo(path).isFile()) {
            return true;
        }
        QMessageBox question(
            QMessageBox::Warning, windowTitle(),
            QStringLiteral("“%1”已存在。\n要替换它吗？").arg(QFileInfo(path).fileName()),
            QMessageBox::NoButton, this);
        const YesNoButtons buttons = addYesNoButtons(question);
        question.setDefaultButton(buttons.no);
        question.setEscapeButton(buttons.no);
        question.exec();
        return question.clickedButton() == buttons.yes;
    }

    std::optional<QString> chosen_;
};

// The start folder is initDir, unless the proposed name brings a folder of its own; the name
// box then holds only the name.
void propose(QFileDialog& dialog, const FileDialogRequest& request) {
    const QFileInfo initDir(pathFrom(request.initDir));
    if (!request.initDir.empty() && initDir.isDir()) {
        dialog.setDirectory(initDir.absoluteFilePath());
    }
    QString name = pathFrom(request.fileName);
    if (name.contains(u'/')) {
        const QFileInfo proposed(dialog.directory().absoluteFilePath(name));
        if (QFileInfo(proposed.absolutePath()).isDir()) {
            dialog.setDirectory(proposed.absolutePath());
            name = proposed.fileName();
        }
    }
    if (QLineEdit* box = nameBox(dialog)) {
        box->setText(name);
    } else {
        dialog.selectFile(name);
    }
}

std::optional<std::string> show(QWidget* parent, const FileDialogRequest& request,
                                QFileDialog::AcceptMode mode) {
    FileDialog dialog(parent);
    // The widgets exist only once the native dialog is ruled out, so this comes first. The
    // question before replacing a file is the dialog's own (above), in Chinese.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setWindowTitle(QString::fromStdString(request.title));
    applyFilters(dialog, filterEntries(request.filter), request.filterIndex);
    dialog.setDefaultSuffix(defaultSuffix(request.defaultExt));
    propose(dialog, request);
    dialog.keepQuotedNamesWhole();

    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    if (const std::optional<QString> whole = dialog.chosen()) {
        return pathTo(*whole);
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty()) {
        return std::nullopt;
    }
    return pathTo(chosen.first());
}

} // namespace

std::optional<std::string> QtFileDialogs::showOpen(const FileDialogRequest& request) {
    return show(parent_, request, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtFileDialogs::showSave(const FileDialogRequest& request) {
    return show(parent_, request, QFileDialog::AcceptSave);
}

} // namespace platform::qt
