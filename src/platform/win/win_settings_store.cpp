// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_settings_store.h"

#include "platform/win/wide_text.h"
#include "win_api.h"

namespace platform::win {

std::wstring WinSettingsStore::keyPath(const std::string& application,
                                       const std::string& section) const {
    return root_ + L"\\" + wideText(application) + L"\\" + wideText(section);
}

std::string WinSettingsStore::getSetting(const std::string& application, const std::string& section,
                                         const std::string& key, const std::string& defaultValue) {
    const std::wstring path = keyPath(application, section);
    const std::wstring name = wideText(key);
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr,
                     &size) != ERROR_SUCCESS) {
        return defaultValue;
    }
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                     value.data(), &size) != ERROR_SUCCESS) {
        return defaultValue;
    }
    value.resize(wcsnlen(value.c_str(), value.size()));
    return utf8Text(value);
}

void WinSettingsStore::saveSetting(const std::string& application, const std::string& section,
                                   const std::string& key, const std::string& value) {
    HKEY opened = nullptr;
    // A value the registry refuses is not kept, as with a settings file that cannot be written:
    // the next start uses what was stored before.
    const LONG created = RegCreateKeyExW(HKEY_CURRENT_USER, keyPath(application, section).c_str(),
                                         0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr);
    if (created == ERROR_SUCCESS) {
        const std::wstring text = wideText(value);
        RegSetValueExW(opened, wideText(key).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(opened);
    }
}

} // namespace platform::win
