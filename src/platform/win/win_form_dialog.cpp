// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_form_dialog.h"

#include "platform/win/wide_text.h"
#include "win_dpi.h"
#include "win_window_text.h"

#include <cstring>

namespace platform::win {

namespace {

// Dialogs speak in 宋体 where a control asks for no face of its own.
const wchar_t* const DefaultFace = L"宋体";
constexpr double DefaultPoints = 9;

} // namespace

WinFormDialog::~WinFormDialog() {
    if (window_ != nullptr && IsWindow(window_)) {
        SetWindowLongPtrW(window_, DWLP_USER, 0);
        DestroyWindow(window_);
    }
    destroyFonts();
}

void WinFormDialog::setLayout(const FormLayout& layout) {
    layout_ = layout;
    std::vector<Control> controls;
    for (const ControlBox& box : layout.controls) {
        const Control* previous = find(box.name);
        controls.push_back({box, previous != nullptr ? previous->text : box.caption});
    }
    controls_ = std::move(controls);
}

const WinFormDialog::Control* WinFormDialog::find(const std::string& name) const {
    for (const Control& control : controls_) {
        if (control.box.name == name) {
            return &control;
        }
    }
    return nullptr;
}

HWND WinFormDialog::controlWindow(const std::string& name) const {
    const Control* control = find(name);
    return control != nullptr ? control->window : nullptr;
}

std::string WinFormDialog::textOf(const std::string& name) const {
    const Control* control = find(name);
    if (control == nullptr) {
        return {};
    }
    if (control->window == nullptr) {
        return control->text;
    }
    return windowText(control->window);
}

void WinFormDialog::setTextOf(const std::string& name, const std::string& text) {
    for (Control& control : controls_) {
        if (control.box.name == name) {
            control.text = text;
            if (control.window != nullptr) {
                SetWindowTextW(control.window, wideText(text).c_str());
            }
        }
    }
}

std::vector<DWORD> WinFormDialog::dialogTemplate() const {
    // DLGTEMPLATE, then no menu, the default class and the caption; no controls of its own.
    const std::wstring caption = wideText(layout_.caption);
    std::vector<DWORD> storage(
        (sizeof(DLGTEMPLATE) + (caption.size() + 3) * sizeof(WORD)) / sizeof(DWORD) + 1);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(storage.data());
    header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    auto* words = reinterpret_cast<WORD*>(header + 1);
    *words++ = 0; // menu
    *words++ = 0; // class
    std::memcpy(words, caption.c_str(), (caption.size() + 1) * sizeof(wchar_t));
    return storage;
}

void WinFormDialog::runModal(HWND owner) {
    modal_ = true;
    const std::vector<DWORD> form = dialogTemplate();
    DialogBoxIndirectParamW(instance_, reinterpret_cast<const DLGTEMPLATE*>(form.data()), owner,
                            &procedure, reinterpret_cast<LPARAM>(this));
}

void WinFormDialog::openModeless(HWND owner) {
    modal_ = false;
    const std::vector<DWORD> form = dialogTemplate();
    CreateDialogIndirectParamW(instance_, reinterpret_cast<const DLGTEMPLATE*>(form.data()), owner,
                               &procedure, reinterpret_cast<LPARAM>(this));
    if (window_ != nullptr) {
        ShowWindow(window_, SW_SHOW);
    }
}

void WinFormDialog::end() {
    if (window_ == nullptr) {
        return;
    }
    if (modal_) {
        EndDialog(window_, 0);
    } else {
        DestroyWindow(window_);
    }
}

HBRUSH WinFormDialog::staticColour(HWND, HDC) {
    return nullptr;
}

void WinFormDialog::createControls() {
    // The client area in pixels at the window's resolution, the frame around it.
    RECT bounds{0, 0, pixelsOf(layout_.clientWidth, window_),
                pixelsOf(layout_.clientHeight, window_)};
    AdjustWindowRectEx(&bounds, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
    RECT owner{};
    HWND ownerWindow = GetWindow(window_, GW_OWNER);
    if (ownerWindow == nullptr || !IsWindowVisible(ownerWindow)) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &owner, 0);
    } else {
        GetWindowRect(ownerWindow, &owner);
    }
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    SetWindowPos(window_, nullptr, owner.left + (owner.right - owner.left - width) / 2,
                 owner.top + (owner.bottom - owner.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);

    for (Control& control : controls_) {
        const ControlKind kind = kindOf(control.box.name);
        const ControlBox& box = control.box;
        const bool edit = std::wcscmp(kind.windowClass, L"Edit") == 0;
        control.window = CreateWindowExW(
            edit ? WS_EX_CLIENTEDGE : 0, kind.windowClass, wideText(control.text).c_str(),
            WS_CHILD | WS_VISIBLE | kind.style, pixelsOf(box.left, window_),
            pixelsOf(box.top, window_), pixelsOf(box.width, window_), pixelsOf(box.height, window_),
            window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kind.id)), instance_, nullptr);
        const std::wstring face = box.fontName.empty() ? DefaultFace : wideText(box.fontName);
        control.font =
            createFont(face.c_str(), box.fontSize > 0 ? box.fontSize : DefaultPoints, window_);
        SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(control.font), FALSE);
    }
}

void WinFormDialog::destroyFonts() {
    for (Control& control : controls_) {
        if (control.font != nullptr) {
            DeleteObject(control.font);
            control.font = nullptr;
        }
    }
}

INT_PTR CALLBACK WinFormDialog::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, l);
        auto* self = reinterpret_cast<WinFormDialog*>(l);
        self->window_ = window;
    }
    auto* self = reinterpret_cast<WinFormDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    return self != nullptr ? self->handleMessage(message, w, l) : FALSE;
}

INT_PTR WinFormDialog::handleMessage(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_INITDIALOG:
        createControls();
        return opened() ? FALSE : TRUE;
    case WM_COMMAND:
        // IDCANCEL without a control is Esc; the dialog's buttons say who they are.
        if (LOWORD(w) == IDCANCEL && l == 0) {
            closeRequested();
        } else {
            command(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l));
        }
        return TRUE;
    case WM_CLOSE:
        closeRequested();
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(
            staticColour(reinterpret_cast<HWND>(l), reinterpret_cast<HDC>(w)));
    case WM_DESTROY:
        // The texts outlive the window, for the next showing and for those who ask.
        for (Control& control : controls_) {
            if (control.window != nullptr) {
                control.text = windowText(control.window);
            }
        }
        return FALSE;
    case WM_NCDESTROY:
        for (Control& control : controls_) {
            control.window = nullptr;
        }
        destroyFonts();
        SetWindowLongPtrW(window_, DWLP_USER, 0);
        window_ = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace platform::win
