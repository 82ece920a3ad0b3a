// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <map>
#include <string>
#include <vector>

// A client of the X server that watches another program's window from outside, as a user
// sees it: what it draws (the Damage extension), how soon it answers (the window manager's
// ping, which every toolkit answers from its event loop), and keys typed at it (XTest).
namespace bench {

// Milliseconds on the monotonic clock.
double monotonicMs();

// Ends window_bench with what went wrong on the error output.
[[noreturn]] void fail(const std::string& what);

struct Area {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator<(const Area& other) const;
};

struct Drawing {
    double atMs;
    Area area;
};

class XSession {
public:
    // Opens $DISPLAY; fails with a message where the server lacks XTest or Damage.
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // A viewable top-level window whose title holds part (and none of avoid), searched until
    // the deadline; 0 when none came.
    unsigned long findWindow(const std::string& part, double deadlineMs,
                             const std::string& avoid = {});
    std::string title(unsigned long window);

    // Records what the window draws from now on.
    void watch(unsigned long window);
    void focus(unsigned long window);
    void place(unsigned long window, int width, int height);
    // Whether the window's program says it answers pings.
    bool answersPings(unsigned long window);

    // A key pressed and released, with the modifier keys held meanwhile (keysyms).
    void key(unsigned long keysym, const std::vector<unsigned long>& modifiers = {});
    // Sends a ping and gives its number; answeredAt tells when its answer came (0: not yet).
    int ping();
    double answeredAt(int ping) const;
    double sentAt(int ping) const;

    // Handles what the server sends until the deadline (monotonic milliseconds).
    void pumpUntil(double deadlineMs);

    const std::vector<Drawing>& drawings() const { return drawings_; }
    void clearDrawings() { drawings_.clear(); }

private:
    void handlePending();
    unsigned long atom(const char* name);
    void searchTree(unsigned long window, int depth, const std::string& part,
                    const std::string& avoid, unsigned long& found);

    void* display_ = nullptr;
    int damageEvent_ = 0;
    unsigned long watched_ = 0;
    unsigned long damage_ = 0;
    std::vector<Drawing> drawings_;
    std::vector<double> pingSent_;
    std::vector<double> pingAnswered_;
    std::map<std::string, unsigned long> atoms_;
};

} // namespace bench
