// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include <windows.h>

// Writes GetCommandLineW, as UTF-8, to the file that MORVANE_PROBE_OUTPUT names.
int main() {
    wchar_t output[MAX_PATH + 1];
    if (GetEnvironmentVariableW(L"MORVANE_PROBE_OUTPUT", output, MAX_PATH + 1) == 0) {
        return 2;
    }
    const wchar_t* line = GetCommandLineW();
    const int size = WideCharToMultiByte(CP_UTF8, 0, line, -1, nullptr, 0, nullptr, nullptr);
    char* bytes = new char[static_cast<unsigned>(size)];
    WideCharToMultiByte(CP_UTF8, 0, line, -1, bytes, size, nullptr, nullptr);
    HANDLE file = CreateFileW(output, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes, static_cast<DWORD>(size - 1), &written, nullptr);
    CloseHandle(file);
    delete[] bytes;
    return ok ? 0 : 1;
}
