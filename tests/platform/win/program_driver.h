// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>
#include <windows.h>

namespace wintest {

// The Windows program as a user meets it: started from a folder of its own, driven through
// its real windows from this process (menus, toolbar clicks, keys, the buttons of its boxes
// and dialogs) and read back through them (captions, texts, status panels).
class ProgramDriver {
public:
    // Copies morvane.exe into folder, which may already hold a Set.ini.
    explicit ProgramDriver(std::string folder);
    ~ProgramDriver();
    ProgramDriver(const ProgramDriver&) = delete;
    ProgramDriver& operator=(const ProgramDriver&) = delete;

    // Starts the program and waits for its main window; the time it took, in milliseconds.
    double start();
    // Waits for the program to end; false when it is still running after the timeout.
    bool waitForExit(int timeoutMs = 20000);
    DWORD processId() const { return process_.dwProcessId; }
    const std::string& folder() const { return folder_; }

    HWND mainWindow() const { return main_; }
    HWND client() const;
    HWND toolBar() const;
    HWND statusBar() const;

    // Chooses a menu item by its captions ("文件", "新建") or a command on the bar ("编译"),
    // with the keyboard, as a user without a mouse does: F10, arrows, Enter. The items are
    // found by their places in MenuLayout.
    void menu(const std::string& caption, const std::string& item = {});
    // Clicks the toolbar button at position (from 1, separators counted).
    void clickToolButton(int position);
    int toolButtonCount() const;
    bool toolButtonChecked(int position) const;
    // A status panel's text (from 1), and whether a key panel shows its key on.
    std::string panelText(int panel) const;
    bool keyPanelOn(int panel) const;
    // The panels' right edges, in pixels.
    std::vector<int> panelEdges() const;

    // The document windows, the active one first.
    std::vector<HWND> documents() const;
    HWND activeDocument() const;
    HWND editOf(HWND document) const;
    std::string text(HWND window) const;
    // Types the characters into the active document's text, each as a key press and release.
    void type(const std::string& text);
    // A key pressed and released in the active document's text.
    void key(WORD virtualKey);
    void selectAll();

    // A top-level window of the program with that caption, waited for; null after the timeout.
    HWND waitForWindow(const std::string& caption, int timeoutMs = 20000) const;
    bool windowGone(HWND window, int timeoutMs = 20000) const;
    // The texts of a box's or dialog's static controls, joined by "\n".
    std::string staticTexts(HWND dialog) const;
    // Presses the button with that caption (its "&" left out) or that id.
    void press(HWND dialog, const std::string& caption) const;
    void pressId(HWND dialog, int id) const;
    // Types a path into a file dialog's name box and presses OK.
    void chooseFile(HWND dialog, const std::string& path) const;
    // The texts of the dialog's edit controls, in tab order.
    std::vector<HWND> edits(HWND dialog) const;
    void setText(HWND window, const std::string& text) const;
    // The screen bounds of a window, in pixels.
    RECT bounds(HWND window) const;

    // Saves a picture of window (the whole screen when null) as a BMP file, where the
    // MORVANE_SCREENSHOTS environment variable names a folder; does nothing otherwise.
    void screenshot(const std::string& name, HWND window = nullptr) const;

    // Waits until the program has handled what was posted to it: out of any menu, its input
    // queue empty, waiting for more.
    void settle() const;

    // How long the main window took to answer a message, in milliseconds, at most timeoutMs.
    double answerTime(int timeoutMs = 10000) const;

private:
    // Makes the main window the foreground window unless one of the program's already is.
    void bringToFront() const;
    // A message the program's window answers with a buffer: the buffer lives in the program.
    std::wstring remoteText(HWND window, UINT message, WPARAM w, std::size_t room) const;

    std::string folder_;
    std::string program_;
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};

// The menu bar as the user sees it, left to right: each menu's caption and its drop-down's
// items ("-" a separator), none for a command on the bar itself.
using MenuLayout = std::vector<std::pair<std::string, std::vector<std::string>>>;
const MenuLayout& menuLayout();

// Waits until done holds, polling, at most timeoutMs; whether it held.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 20000);

} // namespace wintest
