// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "virtual_display.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <sys/wait.h>

namespace console_test {
namespace {

Display* display(void* handle) {
    return static_cast<Display*>(handle);
}

std::string property(Display* d, Window window, Atom name, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string value;
    if (XGetWindowProperty(d, window, name, 0, 1024, False, type, &actualType, &format, &count,
                           &after, &data) == Success &&
        data != nullptr) {
        if (actualType == type && format == 8) {
            value.assign(reinterpret_cast<const char*>(data), count);
        }
        XFree(data);
    }
    return value;
}

// A window may go between listing it and asking for its title; Xlib's default would end the
// test for that.
int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

} // namespace

VirtualDisplay::VirtualDisplay() {
    int ready[2];
    if (::pipe(ready) != 0) {
        throw std::runtime_error("pipe failed");
    }
    server_ = ::fork();
    if (server_ < 0) {
        throw std::runtime_error("fork failed");
    }
    if (server_ == 0) {
        ::close(ready[0]);
        // Xvfb picks a free display and writes its number to the pipe once it accepts
        // connections.
        const std::string fd = std::to_string(ready[1]);
        const int quiet = ::open("/dev/null", O_WRONLY);
        if (quiet >= 0) {
            ::dup2(quiet, STDERR_FILENO);
        }
        ::execl("/usr/bin/Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen",
                "0", "1280x1024x24", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(ready[1]);
    std::string number;
    char c = 0;
    ssize_t n = 0;
    while ((n = ::read(ready[0], &c, 1)) > 0 || (n < 0 && errno == EINTR)) {
        if (n > 0 && c == '\n') {
            break;
        }
        if (n > 0) {
            number += c;
        }
    }
    ::close(ready[0]);
    if (number.empty()) {
        ::waitpid(server_, nullptr, 0);
        throw std::runtime_error("Xvfb did not start: install xvfb");
    }
    name_ = ":" + number;
    XSetErrorHandler(ignoreError);
    display_ = XOpenDisplay(name_.c_str());
    if (display_ == nullptr) {
        throw std::runtime_error("cannot connect to Xvfb on " + name_);
    }
}

VirtualDisplay::~VirtualDisplay() {
    if (display_ != nullptr) {
        XCloseDisplay(display(display_));
    }
    ::kill(server_, SIGTERM);
    ::waitpid(server_, nullptr, 0);
}

std::vector<unsigned long> VirtualDisplay::windowsTitled(const std::string& title) {
    Display* d = display(display_);
    const Atom name = XInternAtom(d, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    std::vector<unsigned long> found;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count) == 0) {
        return found;
    }
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(d, children[i], &attributes) != 0 &&
            attributes.map_state == IsViewable && property(d, children[i], name, utf8) == title) {
            found.push_back(children[i]);
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

void VirtualDisplay::close(unsigned long window) {
    Display* d = display(display_);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, window, False, NoEventMask, &event);
    XFlush(d);
}

} // namespace console_test
