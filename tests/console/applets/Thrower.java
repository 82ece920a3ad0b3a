// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

import java.applet.Applet;

/** Fails in init() or, with PARAM fail=start, in start(), and notes what its window then says. */
public class Thrower extends Applet {
    private static final long serialVersionUID = 1L;

    private void failIn(String method) {
        Thread watcher = new Thread(() -> Notes.note(getParameter("name") + " status=["
                + Notes.statusOnce(this, "Applet 未") + "]"));
        watcher.start();
        throw new IllegalStateException(method + " 失败\n第二行不在状态栏里");
    }

    @Override
    public void init() {
        if (!"start".equals(getParameter("fail"))) {
            failIn("init");
        }
    }

    @Override
    public void start() {
        failIn("start");
    }
}
