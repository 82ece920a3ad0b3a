// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <string>
#include <vector>

namespace console_test {

// An Xvfb server of the test's own, and what a window manager would do with its windows:
// list them by title and ask one to close.
class VirtualDisplay {
public:
    // Starts Xvfb on a free display; throws when it cannot.
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // The value for DISPLAY, ":N".
    const std::string& name() const { return name_; }
    // The mapped top-level windows whose title (_NET_WM_NAME) is title.
    std::vector<unsigned long> windowsTitled(const std::string& title);
    // Sends WM_DELETE_WINDOW, as a window manager does when the close box is clicked.
    void close(unsigned long window);

private:
    int server_ = -1;
    std::string name_;
    void* display_ = nullptr;
};

} // namespace console_test
