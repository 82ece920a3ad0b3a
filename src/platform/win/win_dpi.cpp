// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "win_dpi.h"

#include "platform/twips.h"

#include <cmath>

namespace platform::win {

namespace {

using GetDpiForWindowCall = UINT(WINAPI*)(HWND);

GetDpiForWindowCall getDpiForWindow() {
    static const auto call = reinterpret_cast<GetDpiForWindowCall>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return call;
}

} // namespace

double dpiOf(HWND window) {
    if (window != nullptr) {
        if (const GetDpiForWindowCall call = getDpiForWindow()) {
            if (const UINT dpi = call(window); dpi != 0) {
                return dpi;
            }
        }
    }
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int pixelsOf(double twips, HWND window) {
    return twipsToPixels(twips, dpiOf(window));
}

double twipsOf(int pixels, HWND window) {
    return pixelsToTwips(pixels, dpiOf(window));
}

HFONT createFont(const wchar_t* face, double points, HWND window, int weight) {
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(points * dpiOf(window) / 72.0));
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

} // namespace platform::win
