// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

import java.applet.Applet;
import java.net.URL;

/** Opens a page beside its own and a web address, then notes its status line. */
public class Linker extends Applet {
    private static final long serialVersionUID = 1L;

    @Override
    public void start() {
        try {
            getAppletContext().showDocument(new URL(getDocumentBase(), "其他 页.htm#top"));
            getAppletContext().showDocument(new URL("http://example.com/a?b=1&c=-2"), "_blank");
        } catch (Exception e) {
            throw new RuntimeException(e);
        }
        Notes.note("linker status=[" + Notes.status(this) + "]");
    }
}
