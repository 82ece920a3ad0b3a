// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/settings_store.h"

#include <string>

namespace platform::win {

// The per-user settings in the registry: HKEY_CURRENT_USER\Software\<application>\<section>,
// one string value per key.
class WinSettingsStore : public SettingsStore {
public:
    // The key under HKEY_CURRENT_USER that holds every application's settings.
    explicit WinSettingsStore(std::wstring root = L"Software") : root_(std::move(root)) {}

    std::string getSetting(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& defaultValue) override;
    void saveSetting(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& value) override;

private:
    std::wstring keyPath(const std::string& application, const std::string& section) const;

    std::wstring root_;
};

} // namespace platform::win
