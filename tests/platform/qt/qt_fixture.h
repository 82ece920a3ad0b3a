#pragma once

#include <QApplication>
#include <QTemporaryDir>

// Settings and files of a Qt test live in a temporary folder, never in the user's own.
class QtTestEnvironment {
public:
    QtTestEnvironment() { qputenv("XDG_CONFIG_HOME", directory.path().toUtf8()); }
    QString path(const QString& name) const { return directory.filePath(name); }

    QTemporaryDir directory;
};

// Runs the pending events so that shown windows are laid out and painted.
inline void processEvents() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
    }
}
