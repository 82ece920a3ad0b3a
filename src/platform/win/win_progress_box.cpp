// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_progress_box.h"

#include "win_form_dialog.h"

#include <commctrl.h>
#include <memory>

namespace platform::win {

namespace {

constexpr int LabelId = 1201;
constexpr int BarId = 1202;
constexpr int CancelId = IDCANCEL;
constexpr int BarRange = 1000;

// The box: a line of text, the bar and the cancel button; closing it cancels too.
class ProgressBox : private WinFormDialog {
public:
    ProgressBox(HINSTANCE instance, HWND owner, const ProgressRequest& request)
        : WinFormDialog(instance) {
        setLayout({request.title,
                   5400,
                   1800,
                   {{"label", request.label, 240, 180, 4920, 480, "", 0},
                    {"bar", "", 240, 720, 4920, 300, "", 0},
                    {"cancel", request.cancelText, 3960, 1200, 1200, 405, "", 0}}});
        openModeless(owner);
    }
    ~ProgressBox() override { end(); }

    HWND handle() const { return window(); }
    bool cancelled() const { return cancelled_; }
    void setFraction(double fraction) {
        SendMessageW(controlWindow("bar"), PBM_SETPOS, static_cast<WPARAM>(fraction * BarRange), 0);
    }

private:
    ControlKind kindOf(const std::string& name) const override {
        if (name == "bar") {
            return {PROGRESS_CLASSW, 0, BarId};
        }
        if (name == "cancel") {
            return {L"Button", WS_TABSTOP | BS_DEFPUSHBUTTON, CancelId};
        }
        return {L"Static", SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, LabelId};
    }
    bool opened() override {
        SendMessageW(controlWindow("bar"), PBM_SETRANGE32, 0, BarRange);
        SetFocus(controlWindow("cancel"));
        return true;
    }
    void command(int id, int, HWND) override { cancelled_ = cancelled_ || id == CancelId; }
    void closeRequested() override { cancelled_ = true; }

    bool cancelled_ = false;
};

// Everything the box and its buttons are sent, and painting for the rest.
void serve(HWND box) {
    MSG message;
    while (PeekMessageW(&message, box, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageW(box, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    repaintWindows();
}

} // namespace

void repaintWindows() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) {
        DispatchMessageW(&message);
    }
}

bool runWithProgressBox(HWND owner, const ProgressRequest& request, StepwiseWork& work) {
    const ULONGLONG start = GetTickCount64();
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    std::unique_ptr<ProgressBox> box;
    bool ownerEnabled = false;
    const auto restoreOwner = [&] {
        if (ownerEnabled) {
            EnableWindow(owner, TRUE);
            ownerEnabled = false;
        }
        box.reset();
    };
    try {
        while (work.step()) {
            if (!box && GetTickCount64() - start >= static_cast<ULONGLONG>(request.showAfterMs)) {
                ownerEnabled = EnableWindow(owner, FALSE) == 0;
                box = std::make_unique<ProgressBox>(instance, owner, request);
            }
            if (box) {
                box->setFraction(work.fraction());
                serve(box->handle());
                if (box->cancelled()) {
                    restoreOwner();
                    return false;
                }
            } else {
                repaintWindows();
            }
        }
    } catch (...) {
        restoreOwner();
        throw;
    }
    restoreOwner();
    return true;
}

} // namespace platform::win
