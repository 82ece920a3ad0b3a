// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_document_window.h"

#include "platform/error.h"
#include "platform/win/wide_text.h"
#include "win_dpi.h"
#include "win_window_text.h"

#include <algorithm>

namespace platform::win {

namespace {

// A new document takes three quarters of the client and stands a title bar's height below
// and right of the one opened before it, starting over after a few steps.
constexpr int SharePercent = 75;
constexpr int CascadeSteps = 8;

void registerClass(HINSTANCE instance) {
    static const bool registered = [instance] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefMDIChildProcW;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadIconW(instance, L"MORVANE");
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = WinDocumentWindow::ClassName;
        return RegisterClassExW(&windowClass) != 0;
    }();
    static_cast<void>(registered);
}

int openDocuments(HWND client) {
    const std::vector<HWND> windows = WinDocumentWindow::windowsIn(client);
    return static_cast<int>(std::ranges::count_if(
        windows, [](HWND window) { return IsWindowVisible(window) != FALSE; }));
}

} // namespace

WinDocumentWindow::WinDocumentWindow(HWND client, HINSTANCE instance, SIZE& newEditSize)
    : client_(client), newEditSize_(newEditSize) {
    registerClass(instance);
    MDICREATESTRUCTW create{};
    create.szClass = ClassName;
    create.szTitle = L"";
    create.hOwner = instance;
    create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
    // Hidden until shown, with the usual frame and boxes.
    create.style = WS_CHILD | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW;
    window_ = reinterpret_cast<HWND>(
        SendMessageW(client_, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    if (window_ == nullptr) {
        throw RuntimeError(ErrorNumber::OutOfMemory, "无法创建文档窗口");
    }
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&procedure));
    edit_ = std::make_unique<WinTextControl>(window_, instance);
}

WinDocumentWindow::~WinDocumentWindow() {
    if (window_ != nullptr && IsWindow(window_)) {
        // Gone without closing (the program ends): the window tells nobody any more.
        events_ = nullptr;
        edit_->setEvents(nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        SendMessageW(client_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window_), 0);
    }
}

WinDocumentWindow* WinDocumentWindow::ownerOf(HWND window) {
    wchar_t name[64];
    if (GetClassNameW(window, name, 64) == 0 || lstrcmpW(name, ClassName) != 0) {
        return nullptr;
    }
    return reinterpret_cast<WinDocumentWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

std::vector<HWND> WinDocumentWindow::windowsIn(HWND client) {
    std::vector<HWND> windows;
    for (HWND child = GetWindow(client, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (ownerOf(child) != nullptr) {
            windows.push_back(child);
        }
    }
    return windows;
}

LRESULT CALLBACK WinDocumentWindow::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<WinDocumentWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefMDIChildProcW(window, message, w, l);
    }
    return self->handleMessage(message, w, l);
}

LRESULT WinDocumentWindow::handleMessage(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_SIZE: {
        const LRESULT result = DefMDIChildProcW(window_, message, w, l);
        if (events_ != nullptr) {
            events_->Form_Resize();
        }
        return result;
    }
    case WM_SETFOCUS:
        if (edit_) {
            SetFocus(edit_->handle());
        }
        return 0;
    case WM_MDIACTIVATE:
        if (edit_ && reinterpret_cast<HWND>(l) == window_) {
            SetFocus(edit_->handle());
        }
        break;
    case WM_CLOSE: {
        bool cancel = false;
        if (events_ != nullptr) {
            events_->Form_Unload(cancel);
        }
        if (!cancel) {
            SendMessageW(client_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window_), 0);
        }
        return 0;
    }
    case WM_NCDESTROY: {
        const LRESULT result = DefMDIChildProcW(window_, message, w, l);
        closed();
        return result;
    }
    default:
        break;
    }
    return DefMDIChildProcW(window_, message, w, l);
}

void WinDocumentWindow::closed() {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    window_ = nullptr;
    DocumentWindowEvents* events = events_;
    events_ = nullptr;
    // The program lets this object go once the message has been handled.
    if (events != nullptr) {
        events->Form_Closed();
    }
}

std::string WinDocumentWindow::caption() {
    if (window_ == nullptr) {
        return {};
    }
    return windowText(window_);
}

void WinDocumentWindow::setCaption(const std::string& caption) {
    if (window_ != nullptr) {
        SetWindowTextW(window_, wideText(caption).c_str());
    }
}

float WinDocumentWindow::width() {
    RECT bounds{};
    GetWindowRect(window_, &bounds);
    return static_cast<float>(twipsOf(bounds.right - bounds.left, window_));
}

float WinDocumentWindow::height() {
    RECT bounds{};
    GetWindowRect(window_, &bounds);
    return static_cast<float>(twipsOf(bounds.bottom - bounds.top, window_));
}

void WinDocumentWindow::setTextControlBounds(float left, float top, float width, float height) {
    const SIZE size{pixelsOf(width, window_), pixelsOf(height, window_)};
    MoveWindow(edit_->handle(), pixelsOf(left, window_), pixelsOf(top, window_), size.cx, size.cy,
               TRUE);
    if (!laidOut_) {
        laidOut_ = true;
        newEditSize_ = size;
    }
}

void WinDocumentWindow::show() {
    if (window_ == nullptr) {
        return;
    }
    if (!IsWindowVisible(window_)) {
        RECT area{};
        GetClientRect(client_, &area);
        const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
        const int offset = (openDocuments(client_) % CascadeSteps) * step;
        SetWindowPos(window_, nullptr, offset, offset, area.right * SharePercent / 100,
                     area.bottom * SharePercent / 100, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(window_, SW_SHOW);
    SendMessageW(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window_), 0);
    SetFocus(edit_->handle());
}

void WinDocumentWindow::bringToFront() {
    if (window_ == nullptr) {
        return;
    }
    if (IsIconic(window_)) {
        SendMessageW(client_, WM_MDIRESTORE, reinterpret_cast<WPARAM>(window_), 0);
    }
    SendMessageW(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window_), 0);
}

bool WinDocumentWindow::close() {
    if (window_ == nullptr) {
        return true;
    }
    // This object may be gone once the window has closed: only the handle is looked at.
    const HWND window = window_;
    SendMessageW(window, WM_CLOSE, 0, 0);
    return !IsWindow(window);
}

} // namespace platform::win
