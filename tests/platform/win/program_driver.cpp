// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "program_driver.h"

#include "win_test_support.h"

#include <algorithm>
#include <array>
#include <commctrl.h>
#include <stdexcept>
#include <thread>

#include <tlhelp32.h>

namespace wintest {

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::wstring className(HWND window) {
    wchar_t name[128];
    const int length = GetClassNameW(window, name, 128);
    return std::wstring(name, static_cast<std::size_t>(std::max(length, 0)));
}

std::vector<HWND> children(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND childOfClass(HWND parent, const wchar_t* name) {
    for (HWND child : children(parent)) {
        // Class names compare without case: the rich-edit control spells its own as it likes.
        if (_wcsicmp(className(child).c_str(), name) == 0) {
            return child;
        }
    }
    return nullptr;
}

// Memory in the program for the messages that answer through a buffer.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, std::size_t size)
        : process_(process), size_(size),
          address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {
        if (address_ == nullptr) {
            throw std::runtime_error("VirtualAllocEx failed");
        }
    }
    ~RemoteMemory() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    LPARAM address() const { return reinterpret_cast<LPARAM>(address_); }
    template <typename T> T read() const {
        T value{};
        ReadProcessMemory(process_, address_, &value, sizeof value, nullptr);
        return value;
    }
    std::wstring readText(std::size_t units) const {
        std::wstring text(units, L'\0');
        ReadProcessMemory(process_, address_, text.data(), units * sizeof(wchar_t), nullptr);
        return text.substr(0, wcsnlen(text.c_str(), units));
    }

private:
    HANDLE process_;
    std::size_t size_;
    void* address_;
};

LRESULT sendWithin(HWND window, UINT message, WPARAM w, LPARAM l, int timeoutMs = 10000) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, w, l, SMTO_NORMAL, static_cast<UINT>(timeoutMs), &result);
    return static_cast<LRESULT>(result);
}

} // namespace

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    const Clock::time_point start = Clock::now();
    while (!done()) {
        if (millisecondsSince(start) > timeoutMs) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

ProgramDriver::ProgramDriver(std::string folder)
    : folder_(std::move(folder)), program_(folder_ + "\\morvane.exe") {
    if (!CopyFileW(wide(MORVANE_PROGRAM).c_str(), wide(program_).c_str(), FALSE)) {
        throw std::runtime_error("cannot copy " + std::string(MORVANE_PROGRAM));
    }
}

ProgramDriver::~ProgramDriver() {
    if (process_.hProcess == nullptr) {
        return;
    }
    // What the program started (consoles waiting for a key) goes with it.
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ParentProcessID == process_.dwProcessId) {
            if (const HANDLE child = OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID)) {
                TerminateProcess(child, 0);
                CloseHandle(child);
            }
        }
    }
    CloseHandle(snapshot);
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

double ProgramDriver::start() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring line = L"\"" + wide(program_) + L"\"";
    const Clock::time_point begin = Clock::now();
    if (!CreateProcessW(wide(program_).c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        wide(folder_).c_str(), &startup, &process_)) {
        throw std::runtime_error("cannot start " + program_);
    }
    waitUntil([&] {
        main_ = FindWindowW(L"MorvaneMainWindow", nullptr);
        DWORD owner = 0;
        if (main_ != nullptr) {
            GetWindowThreadProcessId(main_, &owner);
        }
        return main_ != nullptr && owner == process_.dwProcessId && IsWindowVisible(main_);
    });
    if (main_ == nullptr) {
        throw std::runtime_error("no main window");
    }
    // Painted: the window answers once its first paint is done.
    answerTime();
    return millisecondsSince(begin);
}

bool ProgramDriver::waitForExit(int timeoutMs) {
    return WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

HWND ProgramDriver::client() const {
    return childOfClass(main_, L"MDIClient");
}
HWND ProgramDriver::toolBar() const {
    return childOfClass(main_, TOOLBARCLASSNAMEW);
}
HWND ProgramDriver::statusBar() const {
    return childOfClass(main_, STATUSCLASSNAMEW);
}

const MenuLayout& menuLayout() {
    static const MenuLayout layout = {
        {"文件", {"新建", "打开", "保存", "另存为", "-", "系统设置", "-", "关闭文件", "-", "退出"}},
        {"保存", {"保存为htm文件"}},
        {"字体", {"字体增大", "字体缩小", "粗体", "斜体", "下划线"}},
        {"编译", {}},
        {"运行", {}},
        {"生成htm文件", {}},
        {"用JavaViewer浏览", {}},
        {"发送到浏览器", {}},
        {"关于", {}},
    };
    return layout;
}

void ProgramDriver::menu(const std::string& caption, const std::string& item) {
    const auto post = [&](WPARAM key) {
        PostMessageW(main_, WM_KEYDOWN, key, 1);
        PostMessageW(main_, WM_KEYUP, key, 0xC0000001);
    };
    const MenuLayout& layout = menuLayout();
    for (std::size_t menu = 0; menu < layout.size(); ++menu) {
        if (layout[menu].first != caption) {
            continue;
        }
        // The menu bar takes the keyboard with its first menu chosen (F10).
        bringToFront();
        PostMessageW(main_, WM_SYSCOMMAND, SC_KEYMENU, 0);
        for (std::size_t right = 0; right < menu; ++right) {
            post(VK_RIGHT);
        }
        if (!item.empty()) {
            // Down opens the drop-down on its first item; the arrows pass over separators.
            post(VK_DOWN);
            int steps = -1;
            for (const std::string& entry : layout[menu].second) {
                steps += entry == "-" ? 0 : 1;
                if (entry == item) {
                    break;
                }
            }
            for (int down = 0; down < steps; ++down) {
                post(VK_DOWN);
            }
        }
        post(VK_RETURN);
        settle();
        return;
    }
    throw std::runtime_error("no menu " + caption);
}

int ProgramDriver::toolButtonCount() const {
    return static_cast<int>(sendWithin(toolBar(), TB_BUTTONCOUNT, 0, 0));
}

void ProgramDriver::bringToFront() const {
    // As a user clicks on the window when a console has taken the front.
    const HWND front = GetForegroundWindow();
    DWORD owner = 0;
    GetWindowThreadProcessId(front, &owner);
    if (owner != process_.dwProcessId) {
        SetForegroundWindow(main_);
        waitUntil([&] { return GetForegroundWindow() == main_; }, 5000);
        // The window's activation is over before the click: it would take the mouse away.
        settle();
    }
}

void ProgramDriver::clickToolButton(int position) {
    bringToFront();
    RemoteMemory rect(process_.hProcess, sizeof(RECT));
    sendWithin(toolBar(), TB_GETITEMRECT, static_cast<WPARAM>(position - 1), rect.address());
    const RECT box = rect.read<RECT>();
    const LPARAM at = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    PostMessageW(toolBar(), WM_MOUSEMOVE, 0, at);
    PostMessageW(toolBar(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(toolBar(), WM_LBUTTONUP, 0, at);
    settle();
}

bool ProgramDriver::toolButtonChecked(int position) const {
    RemoteMemory button(process_.hProcess, sizeof(TBBUTTON));
    sendWithin(toolBar(), TB_GETBUTTON, static_cast<WPARAM>(position - 1), button.address());
    return (button.read<TBBUTTON>().fsState & TBSTATE_CHECKED) != 0;
}

std::wstring ProgramDriver::remoteText(HWND window, UINT message, WPARAM w,
                                       std::size_t room) const {
    RemoteMemory buffer(process_.hProcess, (room + 1) * sizeof(wchar_t));
    sendWithin(window, message, w, buffer.address());
    return buffer.readText(room);
}

std::string ProgramDriver::panelText(int panel) const {
    return narrow(remoteText(statusBar(), SB_GETTEXTW, static_cast<WPARAM>(panel - 1), 512));
}

bool ProgramDriver::keyPanelOn(int panel) const {
    RemoteMemory buffer(process_.hProcess, 1024);
    // An owner-drawn part answers with the value it holds: the marker, and bit 0 for on.
    const LRESULT value =
        sendWithin(statusBar(), SB_GETTEXTW, static_cast<WPARAM>(panel - 1), buffer.address());
    return (value & 1) != 0;
}

std::vector<int> ProgramDriver::panelEdges() const {
    RemoteMemory buffer(process_.hProcess, 16 * sizeof(int));
    const auto count = static_cast<int>(sendWithin(statusBar(), SB_GETPARTS, 16, buffer.address()));
    const auto edges = buffer.read<std::array<int, 16>>();
    return std::vector<int>(edges.begin(), edges.begin() + std::max(count, 0));
}

std::vector<HWND> ProgramDriver::documents() const {
    std::vector<HWND> found;
    for (HWND child = GetWindow(client(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (className(child) == L"MorvaneDocument" && IsWindowVisible(child)) {
            found.push_back(child);
        }
    }
    return found;
}

HWND ProgramDriver::activeDocument() const {
    return reinterpret_cast<HWND>(sendWithin(client(), WM_MDIGETACTIVE, 0, 0));
}

HWND ProgramDriver::editOf(HWND document) const {
    return childOfClass(document, L"RICHEDIT50W");
}

std::string ProgramDriver::text(HWND window) const {
    const auto length = static_cast<std::size_t>(sendWithin(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    const auto copied = static_cast<std::size_t>(
        sendWithin(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(std::min(copied, length));
    return narrow(text);
}

void ProgramDriver::type(const std::string& text) {
    bringToFront();
    const HWND edit = editOf(activeDocument());
    for (const wchar_t c : wide(text)) {
        // A line break is the Enter key, whose character the message loop makes.
        if (c == L'\n') {
            PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
            PostMessageW(edit, WM_KEYUP, VK_RETURN, 0xC0000001);
        } else {
            PostMessageW(edit, WM_CHAR, c, 1);
            PostMessageW(edit, WM_KEYUP, 0, 0xC0000001);
        }
    }
    settle();
}

void ProgramDriver::key(WORD virtualKey) {
    const HWND edit = editOf(activeDocument());
    PostMessageW(edit, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(edit, WM_KEYUP, virtualKey, 0xC0000001);
    settle();
}

void ProgramDriver::selectAll() {
    sendWithin(editOf(activeDocument()), EM_SETSEL, 0, -1);
}

HWND ProgramDriver::waitForWindow(const std::string& caption, int timeoutMs) const {
    struct Search {
        DWORD process;
        std::wstring caption;
        HWND found;
    } search{process_.dwProcessId, wide(caption), nullptr};
    waitUntil(
        [&] {
            EnumWindows(
                [](HWND window, LPARAM data) {
                    auto* s = reinterpret_cast<Search*>(data);
                    DWORD owner = 0;
                    GetWindowThreadProcessId(window, &owner);
                    wchar_t text[512] = L"";
                    GetWindowTextW(window, text, 512);
                    if (owner == s->process && IsWindowVisible(window) && s->caption == text) {
                        s->found = window;
                        return FALSE;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

bool ProgramDriver::windowGone(HWND window, int timeoutMs) const {
    return waitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

std::string ProgramDriver::staticTexts(HWND dialog) const {
    std::string texts;
    for (HWND child : children(dialog)) {
        if (className(child) != L"Static") {
            continue;
        }
        const std::string text = this->text(child);
        if (!text.empty()) {
            texts += (texts.empty() ? "" : "\n") + text;
        }
    }
    return texts;
}

void ProgramDriver::press(HWND dialog, const std::string& caption) const {
    for (HWND child : children(dialog)) {
        std::string text = this->text(child);
        std::erase(text, '&');
        if (className(child) == L"Button" && text == caption) {
            PostMessageW(child, BM_CLICK, 0, 0);
            return;
        }
    }
    throw std::runtime_error("no button " + caption);
}

void ProgramDriver::pressId(HWND dialog, int id) const {
    const HWND button = GetDlgItem(dialog, id);
    if (button == nullptr) {
        throw std::runtime_error("no button " + std::to_string(id));
    }
    PostMessageW(button, BM_CLICK, 0, 0);
}

void ProgramDriver::chooseFile(HWND dialog, const std::string& path) const {
    // The name box: a combo box (cmb13) in the Explorer-style dialog, an edit (edt1) otherwise.
    HWND box = GetDlgItem(dialog, 0x47c);
    if (box == nullptr) {
        box = GetDlgItem(dialog, 0x480);
    }
    if (box == nullptr) {
        throw std::runtime_error("no file name box");
    }
    setText(box, path);
    pressId(dialog, IDOK);
}

std::vector<HWND> ProgramDriver::edits(HWND dialog) const {
    std::vector<HWND> found;
    for (HWND child : children(dialog)) {
        if (className(child) == L"Edit") {
            found.push_back(child);
        }
    }
    return found;
}

void ProgramDriver::setText(HWND window, const std::string& text) const {
    const std::wstring value = wide(text);
    sendWithin(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
}

RECT ProgramDriver::bounds(HWND window) const {
    RECT box{};
    GetWindowRect(window, &box);
    return box;
}

void ProgramDriver::screenshot(const std::string& name, HWND window) const {
    wchar_t folder[MAX_PATH] = L"";
    if (GetEnvironmentVariableW(L"MORVANE_SCREENSHOTS", folder, MAX_PATH) == 0) {
        return;
    }
    // Everything painted first.
    settle();
    RECT box{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (window != nullptr) {
        GetWindowRect(window, &box);
    }
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    BITMAPINFOHEADER header{sizeof header, width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                                            DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, box.left, box.top, SRCCOPY);
    GdiFlush();
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
    const auto offset = static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof header);
    BITMAPFILEHEADER file{0x4D42, offset + imageBytes, 0, 0, offset};
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(static_cast<const char*>(bits), imageBytes);
    writeRaw(narrow(folder) + "\\" + name + ".bmp", bytes);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

void ProgramDriver::settle() const {
    const DWORD thread = GetWindowThreadProcessId(main_, nullptr);
    const auto idle = [&] {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0) {
            return true; // ended: nothing is left to handle
        }
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(thread, &info);
        return (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) == 0 &&
               WaitForInputIdle(process_.hProcess, 0) == 0;
    };
    // Twice in a row, a moment apart: a menu posts its command as it closes.
    waitUntil([&] {
        if (!idle()) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return idle();
    });
}

double ProgramDriver::answerTime(int timeoutMs) const {
    const Clock::time_point start = Clock::now();
    DWORD_PTR result = 0;
    SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(timeoutMs), &result);
    return millisecondsSince(start);
}

} // namespace wintest
