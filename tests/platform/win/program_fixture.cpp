// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "program_fixture.h"

#include <windows.h>

namespace wintest {

namespace {

const wchar_t* const SettingsKey = L"Software\\MORVANE集成系统";

} // namespace

ProgramTest::ProgramTest() {
    RegDeleteTreeW(HKEY_CURRENT_USER, SettingsKey);
}

ProgramTest::~ProgramTest() {
    program_.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, SettingsKey);
}

double ProgramTest::start(bool withSetIni) {
    if (withSetIni) {
        writeRaw(folder.file("Set.ini"), gbk(javaBinDir() + "\r\n" + sourceDir() + "\r\n"));
    }
    if (!program_) {
        program_ = std::make_unique<ProgramDriver>(folder.path());
    }
    return program_->start();
}

HWND ProgramTest::box(const std::string& caption) {
    const HWND found = program_->waitForWindow(caption);
    EXPECT_NE(found, nullptr) << "no window " << caption;
    return found;
}

std::string ProgramTest::answer(const std::string& caption, int button) {
    const HWND found = box(caption);
    if (found == nullptr) {
        return {};
    }
    const std::string text = program_->staticTexts(found);
    program_->pressId(found, button);
    EXPECT_TRUE(program_->windowGone(found)) << caption;
    return text;
}

HWND ProgramTest::open(const std::string& path) {
    const std::size_t before = program_->documents().size();
    program_->menu("文件", "打开");
    const HWND dialog = box("打开");
    if (dialog == nullptr) {
        return nullptr;
    }
    program_->chooseFile(dialog, path);
    EXPECT_TRUE(waitUntil([&] { return program_->documents().size() == before + 1; }));
    return program_->activeDocument();
}

void ProgramTest::quit() {
    program_->menu("文件", "退出");
    EXPECT_TRUE(program_->waitForExit());
}

std::string ProgramTest::storedSetting(const std::string& key) {
    wchar_t value[64] = L"";
    DWORD size = sizeof value;
    const std::wstring section = std::wstring(SettingsKey) + L"\\Settings";
    if (RegGetValueW(HKEY_CURRENT_USER, section.c_str(), wide(key).c_str(), RRF_RT_REG_SZ, nullptr,
                     value, &size) != ERROR_SUCCESS) {
        return {};
    }
    return narrow(value);
}

} // namespace wintest
