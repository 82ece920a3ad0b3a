// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_test_support.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <windows.h>

namespace wintest {

namespace fs = std::filesystem;

std::wstring wide(const std::string& utf8) {
    std::wstring result(utf8.size(), L'\0');
    result.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), result.data(),
                            static_cast<int>(result.size()))));
    return result;
}

std::string narrow(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

namespace {

// Through the Win32 conversions: the standard library's UTF-8 paths lose Chinese characters
// with this compiler.
fs::path pathOf(const std::string& utf8) {
    return fs::path(wide(utf8));
}

} // namespace

TempFolder::TempFolder(const std::string& name) {
    // Process numbers come round again, in a later wine server even in the same order, and a
    // program killed during its test leaves its folder behind: a folder of that name is another
    // test's, neither to be used nor removed (a read-only file in it would stop the removal).
    static int made = 0;
    const fs::path temp = fs::temp_directory_path();
    fs::create_directories(temp);
    fs::path folder;
    do {
        folder = temp / pathOf(name + " " + std::to_string(GetCurrentProcessId()) + "-" +
                               std::to_string(++made));
    } while (!fs::create_directory(folder));
    path_ = narrow(folder.lexically_normal().make_preferred().wstring());
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // Read-only files would stop the removal.
    for (const auto& entry : fs::recursive_directory_iterator(pathOf(path_), ignored)) {
        SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    fs::remove_all(pathOf(path_), ignored);
}

std::vector<std::string> TempFolder::names() const {
    std::vector<std::string> result;
    for (const auto& entry : fs::directory_iterator(pathOf(path_))) {
        result.push_back(narrow(entry.path().filename().wstring()));
    }
    std::sort(result.begin(), result.end());
    return result;
}

std::string readRaw(const std::string& path) {
    std::ifstream in(pathOf(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeRaw(const std::string& path, const std::string& bytes) {
    std::ofstream out(pathOf(path), std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool exists(const std::string& path) {
    return fs::exists(pathOf(path));
}

void removeFile(const std::string& path) {
    std::error_code ignored;
    fs::remove(pathOf(path), ignored);
}

void setReadOnly(const std::string& path) {
    SetFileAttributesW(pathOf(path).c_str(), FILE_ATTRIBUTE_READONLY);
}

void makeFolder(const std::string& path) {
    fs::create_directories(pathOf(path));
}

std::string waitForFile(const std::string& path, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        if (exists(path)) {
            // Let the writer finish.
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            const std::string bytes = readRaw(path);
            if (!bytes.empty()) {
                return bytes;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return {};
}

} // namespace wintest
