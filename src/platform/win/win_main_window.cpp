// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_main_window.h"

#include "platform/document_window_view.h"
#include "platform/error.h"
#include "platform/text_control.h"
#include "platform/twips.h"
#include "platform/win/wide_text.h"
#include "win_dpi.h"
#include "win_progress_box.h"
#include "win_window_text.h"

#include <cmath>
#include <commctrl.h>

namespace platform::win {

namespace {

constexpr UINT_PTR ClockTimer = 1;
constexpr UINT ClockPeriodMs = 1000;
// Tells the window that work waits for a later turn of the message loop (runSoon).
constexpr UINT RunSoonMessage = WM_APP + 1;
constexpr int ClientId = 0xCAC;
// The document windows' command numbers, above every other command.
constexpr UINT FirstDocumentCommand = 50000;
// Window coordinates are held in 16 bits by some systems; wider bounds are refused.
constexpr int LowestCoordinate = -32768;
constexpr int HighestCoordinate = 32767;

void registerClass(HINSTANCE instance) {
    static const bool registered = [instance] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadIconW(instance, L"MORVANE");
        windowClass.hIconSm = static_cast<HICON>(
            LoadImageW(instance, L"MORVANE", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                       GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
        windowClass.lpszClassName = WinMainWindow::ClassName;
        return RegisterClassExW(&windowClass) != 0;
    }();
    static_cast<void>(registered);
}

} // namespace

WinMainWindow::WinMainWindow(HINSTANCE instance) {
    registerClass(instance);
    window_ = CreateWindowExW(0, ClassName, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                              menus_.handle(), instance, nullptr);
    if (window_ == nullptr) {
        throw RuntimeError(ErrorNumber::OutOfMemory, "无法创建主窗口");
    }
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&procedure));

    toolBarWindow_ =
        CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                        WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 0, 0,
                        0, window_, nullptr, instance, nullptr);
    SetWindowTextW(toolBarWindow_, L"tbToolBar");
    tools_ = std::make_unique<WinToolBar>(toolBarWindow_, instance);

    statusWindow_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                    window_, nullptr, instance, nullptr);
    status_ = std::make_unique<WinStatusBar>(statusWindow_, [this] { return editorInsertMode(); });

    CLIENTCREATESTRUCT clientCreate{nullptr, FirstDocumentCommand};
    client_ = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
        WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE | MDIS_ALLCHILDSTYLES, 0,
        0, 0, 0, window_, reinterpret_cast<HMENU>(ClientId), instance, &clientCreate);
    documents_ = std::make_unique<WinDocumentHost>(client_, instance);
    SetTimer(window_, ClockTimer, ClockPeriodMs, nullptr);
    layOutChildren();
}

WinMainWindow::~WinMainWindow() {
    if (window_ != nullptr && IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

LRESULT CALLBACK WinMainWindow::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<WinMainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefFrameProcW(window, nullptr, message, w, l);
    }
    return self->handleMessage(message, w, l);
}

bool WinMainWindow::editorInsertMode() {
    // Insert mode belongs to each editor; with no document open, typing would insert.
    DocumentWindowView* document = documents_ ? documents_->activeDocument() : nullptr;
    return document == nullptr || !document->textControl().overwriteMode();
}

void WinMainWindow::layOutChildren() {
    RECT client{};
    GetClientRect(window_, &client);
    SendMessageW(toolBarWindow_, TB_AUTOSIZE, 0, 0);
    SendMessageW(statusWindow_, WM_SIZE, 0, 0);
    RECT tools{};
    RECT status{};
    GetWindowRect(toolBarWindow_, &tools);
    GetWindowRect(statusWindow_, &status);
    const int top = tools.bottom - tools.top;
    const int bottom = client.bottom - (status.bottom - status.top);
    MoveWindow(client_, 0, top, client.right, std::max(0, bottom - top), TRUE);
}

bool WinMainWindow::command(int id) {
    return menus_.run(id) || tools_->click(id);
}

LRESULT WinMainWindow::handleMessage(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_SIZE:
        layOutChildren();
        return 0;
    case WM_COMMAND:
        if (HIWORD(w) == 0 || HIWORD(w) == BN_CLICKED) {
            if (command(LOWORD(w))) {
                return 0;
            }
        }
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(l);
        if (header->code == TTN_GETDISPINFOW) {
            auto* tip = reinterpret_cast<NMTTDISPINFOW*>(l);
            tip->lpszText =
                const_cast<wchar_t*>(tools_->tipOf(static_cast<int>(header->idFrom)).c_str());
            return 0;
        }
        break;
    }
    case WM_DRAWITEM:
        if (status_->drawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(l))) {
            return TRUE;
        }
        break;
    case WM_TIMER:
        if (w == ClockTimer) {
            status_->refresh();
            return 0;
        }
        break;
    case WM_ACTIVATEAPP:
        // The lock keys may have changed while another program had the keyboard.
        status_->refresh();
        break;
    case WM_DPICHANGED: {
        const auto* suggested = reinterpret_cast<const RECT*>(l);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        tools_->reloadImages();
        status_->placePanels();
        layOutChildren();
        return 0;
    }
    case RunSoonMessage:
        runSoonWork();
        return 0;
    case WM_CLOSE:
        if (events_ == nullptr || events_->MDIForm_QueryClose()) {
            DestroyWindow(window_);
        }
        return 0;
    case WM_DESTROY:
        KillTimer(window_, ClockTimer);
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefFrameProcW(window_, client_, message, w, l);
}

bool WinMainWindow::translateAccelerator(MSG& message) {
    return client_ != nullptr && TranslateMDISysAccel(client_, &message);
}

RECT WinMainWindow::outer() const {
    // A minimised or maximised window reports the bounds it has in that state.
    RECT bounds{};
    GetWindowRect(window_, &bounds);
    return bounds;
}

float WinMainWindow::readMeasure(const Measure& measure, int pixels) const {
    if (measure.set && measure.pixels == pixels) {
        return measure.twips;
    }
    return static_cast<float>(twipsOf(pixels, window_));
}

float WinMainWindow::left() {
    return readMeasure(left_, outer().left);
}
float WinMainWindow::top() {
    return readMeasure(top_, outer().top);
}
float WinMainWindow::width() {
    const RECT bounds = outer();
    return readMeasure(width_, bounds.right - bounds.left);
}
float WinMainWindow::height() {
    const RECT bounds = outer();
    return readMeasure(height_, bounds.bottom - bounds.top);
}

template <typename Place>
void WinMainWindow::setMeasure(Measure& measure, float twips, int lowest, Place place) {
    const double pixels = std::round(twips * dpiOf(window_) / TwipsPerInch);
    if (!std::isfinite(pixels) || pixels < lowest || pixels > HighestCoordinate) {
        throw RuntimeError(ErrorNumber::InvalidPropertyValue, InvalidPropertyValueText);
    }
    RECT bounds = outer();
    place(bounds, static_cast<int>(pixels));
    SetWindowPos(window_, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
    measure = {twips, static_cast<int>(pixels), true};
}

void WinMainWindow::setLeft(float twips) {
    setMeasure(left_, twips, LowestCoordinate, [](RECT& bounds, int pixels) {
        bounds.right += pixels - bounds.left;
        bounds.left = pixels;
    });
}

void WinMainWindow::setTop(float twips) {
    setMeasure(top_, twips, LowestCoordinate, [](RECT& bounds, int pixels) {
        bounds.bottom += pixels - bounds.top;
        bounds.top = pixels;
    });
}

void WinMainWindow::setWidth(float twips) {
    setMeasure(width_, twips, 0,
               [](RECT& bounds, int pixels) { bounds.right = bounds.left + pixels; });
}

void WinMainWindow::setHeight(float twips) {
    setMeasure(height_, twips, 0,
               [](RECT& bounds, int pixels) { bounds.bottom = bounds.top + pixels; });
}

WindowState WinMainWindow::windowState() {
    if (IsIconic(window_)) {
        return WindowState::Minimized;
    }
    if (IsZoomed(window_)) {
        return WindowState::Maximized;
    }
    return WindowState::Normal;
}

std::string WinMainWindow::caption() {
    return windowText(window_);
}

void WinMainWindow::setCaption(const std::string& caption) {
    SetWindowTextW(window_, wideText(caption).c_str());
}

void WinMainWindow::show() {
    if (!loaded_) {
        loaded_ = true;
        if (events_ != nullptr) {
            events_->MDIForm_Load();
        }
        DrawMenuBar(window_);
    }
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
}

void WinMainWindow::close() {
    SendMessageW(window_, WM_CLOSE, 0, 0);
}

bool WinMainWindow::runStepwise(const ProgressRequest& request, StepwiseWork& work) {
    return runWithProgressBox(window_, request, work);
}

void WinMainWindow::runSoon(std::function<void()> work) {
    soon_.push_back(std::move(work));
    PostMessageW(window_, RunSoonMessage, 0, 0);
}

void WinMainWindow::runSoonWork() {
    // One message a piece of work; what one piece adds waits for its own message.
    if (!soon_.empty()) {
        auto work = std::move(soon_.front());
        soon_.pop_front();
        work();
    }
}

} // namespace platform::win
