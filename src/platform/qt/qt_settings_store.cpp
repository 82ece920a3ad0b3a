// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "qt_settings_store.h"

#include <memory>

#include <QSettings>

namespace platform::qt {

namespace {

std::unique_ptr<QSettings> open(const QString& folder, const std::string& application) {
    const QString name = QString::fromStdString(application);
    std::unique_ptr<QSettings> settings;
    if (folder.isEmpty()) {
        settings =
            std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, name, name);
    } else {
        settings = std::make_unique<QSettings>(folder + QLatin1Char('/') + name + ".conf",
                                               QSettings::IniFormat);
    }
    settings->setFallbacksEnabled(false);
    return settings;
}

QString keyPath(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

} // namespace

std::string QtSettingsStore::getSetting(const std::string& application, const std::string& section,
                                        const std::string& key, const std::string& defaultValue) {
    const auto settings = open(folder_, application);
    return settings->value(keyPath(section, key), QString::fromStdString(defaultValue))
        .toString()
        .toStdString();
}

void QtSettingsStore::saveSetting(const std::string& application, const std::string& section,
                                  const std::string& key, const std::string& value) {
    const auto settings = open(folder_, application);
    settings->setValue(keyPath(section, key), QString::fromStdString(value));
    settings->sync();
}

} // namespace platform::qt
