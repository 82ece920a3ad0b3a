// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// The Windows program: the same start-up routine as everywhere, on the Win32 windows.

#include "app/module1.h"
#include "platform/win/win_api.h"
#include "platform/win/win_main_window.h"
#include "platform/win/win_services.h"

#include <commctrl.h>

namespace {

// Keys the status bar's lock and insert panels show; the window sees none of its children's.
bool changesKeyState(const MSG& message) {
    return message.message == WM_KEYUP || message.message == WM_SYSKEYUP;
}

int runMessageLoop(platform::win::WinServices& platform) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        platform::win::WinMainWindow* window = platform.windows.mainWindow();
        if (window != nullptr && window->translateAccelerator(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
        if (window != nullptr && changesKeyState(message)) {
            window->statusPanels().refresh();
        }
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const INITCOMMONCONTROLSEX controls{
        sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    platform::win::WinServices platform(instance);
    app::Module1 module(platform.services);
    module.Main();
    return runMessageLoop(platform);
}
