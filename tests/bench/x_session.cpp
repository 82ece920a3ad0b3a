// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "x_session.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <poll.h>
#include <tuple>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

namespace bench {

namespace {

Display* dpy(void* display) {
    return static_cast<Display*>(display);
}

// A program that quits while it is watched leaves a damage or window that no longer exists;
// that is no fault of the watcher.
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

} // namespace

void fail(const std::string& what) {
    std::fprintf(stderr, "window_bench: %s\n", what.c_str());
    std::exit(1);
}

double monotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

bool Area::operator<(const Area& other) const {
    return std::tie(x, y, width, height) < std::tie(other.x, other.y, other.width, other.height);
}

XSession::XSession() {
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr) {
        fail("no X display ($DISPLAY)");
    }
    XSetErrorHandler(ignoreErrors);
    int damageError = 0;
    if (!XDamageQueryExtension(dpy(display_), &damageEvent_, &damageError)) {
        fail("the X server has no Damage extension");
    }
    int major = 0;
    int minor = 0;
    int event = 0;
    int error = 0;
    if (!XTestQueryExtension(dpy(display_), &event, &error, &major, &minor)) {
        fail("the X server has no XTest extension");
    }
    // Pings are answered to the root window, for the window manager; this client listens in.
    // Qt sends the answer to those who watch the root's structure, GTK to those who watch its
    // children's.
    XSelectInput(dpy(display_), DefaultRootWindow(dpy(display_)),
                 StructureNotifyMask | SubstructureNotifyMask);
    XFlush(dpy(display_));
}

XSession::~XSession() {
    if (damage_ != 0) {
        XDamageDestroy(dpy(display_), damage_);
    }
    XCloseDisplay(dpy(display_));
}

unsigned long XSession::atom(const char* name) {
    auto found = atoms_.find(name);
    if (found == atoms_.end()) {
        found = atoms_.emplace(name, XInternAtom(dpy(display_), name, False)).first;
    }
    return found->second;
}

std::string XSession::title(unsigned long window) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(dpy(display_), window, atom("_NET_WM_NAME"), 0, 1024, False,
                           atom("UTF8_STRING"), &type, &format, &count, &after, &data) == Success &&
        data != nullptr) {
        text.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    if (text.empty()) {
        char* name = nullptr;
        if (XFetchName(dpy(display_), window, &name) && name != nullptr) {
            text = name;
            XFree(name);
        }
    }
    return text;
}

void XSession::searchTree(unsigned long window, int depth, const std::string& part,
                          const std::string& avoid, unsigned long& found) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(dpy(display_), window, &root, &parent, &children, &count)) {
        return;
    }
    // The topmost first: the newest window of that title.
    for (unsigned int i = count; i-- > 0 && found == 0;) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(dpy(display_), children[i], &attributes) ||
            attributes.map_state != IsViewable) {
            continue;
        }
        const std::string name = title(children[i]);
        if (!name.empty() && name.find(part) != std::string::npos &&
            (avoid.empty() || name.find(avoid) == std::string::npos)) {
            found = children[i];
        } else if (depth > 0) {
            // Under a window manager the program's window sits inside a frame.
            searchTree(children[i], depth - 1, part, avoid, found);
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
}

unsigned long XSession::findWindow(const std::string& part, double deadlineMs,
                                   const std::string& avoid) {
    for (;;) {
        unsigned long found = 0;
        searchTree(DefaultRootWindow(dpy(display_)), 1, part, avoid, found);
        if (found != 0 || monotonicMs() >= deadlineMs) {
            return found;
        }
        pumpUntil(std::min(deadlineMs, monotonicMs() + 5));
    }
}

void XSession::watch(unsigned long window) {
    if (damage_ != 0) {
        XDamageDestroy(dpy(display_), damage_);
    }
    watched_ = window;
    damage_ = XDamageCreate(dpy(display_), window, XDamageReportRawRectangles);
    drawings_.clear();
    XFlush(dpy(display_));
}

void XSession::focus(unsigned long window) {
    XRaiseWindow(dpy(display_), window);
    XSetInputFocus(dpy(display_), window, RevertToParent, CurrentTime);
    XFlush(dpy(display_));
}

void XSession::place(unsigned long window, int width, int height) {
    XMoveResizeWindow(dpy(display_), window, 0, 0, static_cast<unsigned int>(width),
                      static_cast<unsigned int>(height));
    XFlush(dpy(display_));
}

bool XSession::answersPings(unsigned long window) {
    Atom* protocols = nullptr;
    int count = 0;
    bool answers = false;
    if (XGetWMProtocols(dpy(display_), window, &protocols, &count)) {
        for (int i = 0; i < count; ++i) {
            answers = answers || protocols[i] == atom("_NET_WM_PING");
        }
        XFree(protocols);
    }
    return answers;
}

void XSession::key(unsigned long keysym, const std::vector<unsigned long>& modifiers) {
    Display* display = dpy(display_);
    for (unsigned long modifier : modifiers) {
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, modifier), True, CurrentTime);
    }
    const KeyCode code = XKeysymToKeycode(display, keysym);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier) {
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, *modifier), False, CurrentTime);
    }
    XFlush(display);
}

int XSession::ping() {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = watched_;
    event.xclient.message_type = atom("WM_PROTOCOLS");
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(atom("_NET_WM_PING"));
    // The timestamp field comes back unchanged: it carries the ping's number.
    event.xclient.data.l[1] = static_cast<long>(pingSent_.size());
    event.xclient.data.l[2] = static_cast<long>(watched_);
    pingSent_.push_back(monotonicMs());
    pingAnswered_.push_back(0);
    XSendEvent(dpy(display_), watched_, False, NoEventMask, &event);
    XFlush(dpy(display_));
    return static_cast<int>(pingSent_.size()) - 1;
}

double XSession::answeredAt(int ping) const {
    return pingAnswered_.at(static_cast<std::size_t>(ping));
}

double XSession::sentAt(int ping) const {
    return pingSent_.at(static_cast<std::size_t>(ping));
}

void XSession::handlePending() {
    Display* display = dpy(display_);
    while (XPending(display) > 0) {
        XEvent event{};
        XNextEvent(display, &event);
        const double now = monotonicMs();
        if (event.type == damageEvent_ + XDamageNotify) {
            const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
            if (damage.drawable == watched_) {
                drawings_.push_back(
                    {now, {damage.area.x, damage.area.y, damage.area.width, damage.area.height}});
            }
        } else if (event.type == ClientMessage &&
                   event.xclient.message_type == atom("WM_PROTOCOLS") &&
                   static_cast<unsigned long>(event.xclient.data.l[0]) == atom("_NET_WM_PING")) {
            const auto number = static_cast<std::size_t>(event.xclient.data.l[1]);
            if (number < pingAnswered_.size() && pingAnswered_[number] == 0) {
                pingAnswered_[number] = now;
            }
        }
    }
}

void XSession::pumpUntil(double deadlineMs) {
    Display* display = dpy(display_);
    for (;;) {
        handlePending();
        const double left = deadlineMs - monotonicMs();
        if (left <= 0) {
            return;
        }
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        const timespec wait{static_cast<time_t>(left / 1e3),
                            static_cast<long>(std::fmod(left, 1e3) * 1e6)};
        ppoll(&connection, 1, &wait, nullptr);
    }
}

} // namespace bench
