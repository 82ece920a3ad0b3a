// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/settings_store.h"

#include <QString>

namespace platform::qt {

// The per-user settings store: one file per application in the user's configuration folder,
// one group per section. System-wide fallbacks are not read.
class QtSettingsStore : public SettingsStore {
public:
    // An empty folder means the platform's own per-user location.
    explicit QtSettingsStore(QString folder = {}) : folder_(std::move(folder)) {}

    std::string getSetting(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& defaultValue) override;
    void saveSetting(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& value) override;

private:
    QString folder_;
};

} // namespace platform::qt
