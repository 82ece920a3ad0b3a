// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "keyboard_indicators.h"

#include <QGuiApplication>

#ifdef MORVANE_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#endif

namespace platform::qt {

KeyboardIndicators::KeyboardIndicators() {
#ifdef MORVANE_HAVE_X11
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    // The offscreen platform offers the interface too, but without a display.
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    if (display == nullptr) {
        return;
    }
    display_ = display;
    capsAtom_ = XInternAtom(display, "Caps Lock", False);
    numAtom_ = XInternAtom(display, "Num Lock", False);
#endif
}

std::optional<bool> KeyboardIndicators::indicator([[maybe_unused]] unsigned long atom) const {
#ifdef MORVANE_HAVE_X11
    if (display_ == nullptr || atom == 0) {
        return std::nullopt;
    }
    Bool on = False;
    if (!XkbGetNamedIndicator(static_cast<Display*>(display_), atom, nullptr, &on, nullptr,
                              nullptr)) {
        return std::nullopt;
    }
    return on != False;
#else
    return std::nullopt;
#endif
}

std::optional<bool> KeyboardIndicators::capsLock() const {
    return indicator(capsAtom_);
}

std::optional<bool> KeyboardIndicators::numLock() const {
    return indicator(numAtom_);
}

} // namespace platform::qt
