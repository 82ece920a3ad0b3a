// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

import java.applet.Applet;
import java.util.Collections;

/** Notes the parameters, size and page it is given, plays a sound and clears its status. */
public class Reporter extends Applet {
    private static final long serialVersionUID = 1L;

    private String name() {
        return getParameter("name");
    }

    @Override
    public void start() {
        int applets = Collections.list(getAppletContext().getApplets()).size();
        Notes.note(name() + " width=" + getParameter("WIDTH") + " height=" + getParameter("Height")
                + " code=" + getParameter("code") + " codebase=" + getParameter("CODEBASE")
                + " archive=" + getParameter("archive") + " align=" + getParameter("Align")
                + " colour=" + getParameter("COLOUR") + " missing=" + getParameter("missing")
                + " size=" + getWidth() + "x" + getHeight() + " applets=" + applets
                + " third=" + (getAppletContext().getApplet("THIRD") != null));
        getAudioClip(getCodeBase(), "beep.wav").play();
        getAudioClip(getCodeBase(), "missing.au").loop();
        showStatus("busy");
        showStatus(null);
        Notes.note(name() + " status=[" + Notes.status(this) + "]");
    }

    @Override
    public void stop() {
        Notes.note(name() + " stop");
    }

    @Override
    public void destroy() {
        Notes.note(name() + " destroy");
    }
}
