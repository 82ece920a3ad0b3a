// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "app/frm_main.h"
#include "app/module1.h"
#include "fake_platform.h"

#include <memory>

// A program on fake platform parts, started the way the real one is.
struct AppFixture {
    fakes::FakePlatform platform;
    std::unique_ptr<app::Module1> module = std::make_unique<app::Module1>(platform.services);

    std::string setIni() const { return "/opt/morvane/Set.ini"; }
    void writeSetIni(const std::string& bytes) { platform.files.files[setIni()] = bytes; }
    void store(const std::string& key, const std::string& value) {
        platform.settings
            .values[fakes::FakeSettingsStore::address("MORVANE集成系统", "Settings", key)] = value;
    }
    std::string stored(const std::string& key) const {
        const auto found = platform.settings.values.find(
            fakes::FakeSettingsStore::address("MORVANE集成系统", "Settings", key));
        return found != platform.settings.values.end() ? found->second : "<absent>";
    }
    void start() { module->Main(); }
    fakes::FakeMainWindow& window() const { return *platform.windows.mainWindow; }
    app::frmMain& main() const { return *module->MainWindow; }
};
