// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace wintest {

// A new, empty folder in the user's temporary folder, removed with its content at the end.
// Its name may hold blanks and Chinese characters; paths are UTF-8 with "\" separators.
class TempFolder {
public:
    explicit TempFolder(const std::string& name = "morvane");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "\\" + name; }
    // The names in the folder, sorted.
    std::vector<std::string> names() const;

private:
    std::string path_;
};

// Bytes of a file, read and written with the standard library rather than the services.
std::string readRaw(const std::string& path);
void writeRaw(const std::string& path, const std::string& bytes);
bool exists(const std::string& path);
void removeFile(const std::string& path);
void setReadOnly(const std::string& path);
void makeFolder(const std::string& path);
// Waits up to timeoutMs for a file to appear with content; its bytes, or nothing.
std::string waitForFile(const std::string& path, int timeoutMs = 30000);

// UTF-16 of a UTF-8 text and back, for the Win32 calls the tests make themselves.
std::wstring wide(const std::string& utf8);
std::string narrow(const std::wstring& text);

} // namespace wintest
