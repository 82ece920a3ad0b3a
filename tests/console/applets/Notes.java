// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

import java.applet.Applet;
import java.awt.Component;
import java.awt.Container;
import java.awt.EventQueue;
import java.awt.Frame;
import java.awt.Label;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Paths;
import java.nio.file.StandardOpenOption;

/** What the test applets tell the test: lines in record.txt beside the page, and their status line. */
final class Notes {
    private Notes() {}

    static synchronized void note(String line) {
        try {
            Files.write(Paths.get("record.txt"), (line + "\n").getBytes(StandardCharsets.UTF_8),
                    StandardOpenOption.CREATE, StandardOpenOption.APPEND);
        } catch (Exception e) {
            throw new RuntimeException(e);
        }
    }

    /** The status line of the window that holds applet, read on the event thread. */
    static String status(Applet applet) {
        String[] text = {null};
        try {
            EventQueue.invokeAndWait(() -> {
                Container c = applet;
                while (c != null && !(c instanceof Frame)) {
                    c = c.getParent();
                }
                for (Component child : c == null ? new Component[0] : c.getComponents()) {
                    if (child instanceof Label) {
                        text[0] = ((Label) child).getText();
                    }
                }
            });
        } catch (Exception e) {
            throw new RuntimeException(e);
        }
        return text[0];
    }

    /** The status line once it starts with prefix; whatever it is after 30 s otherwise. */
    static String statusOnce(Applet applet, String prefix) {
        long deadline = System.nanoTime() + 30_000_000_000L;
        String text = status(applet);
        while ((text == null || !text.startsWith(prefix)) && System.nanoTime() < deadline) {
            try {
                Thread.sleep(50);
            } catch (InterruptedException e) {
                break;
            }
            text = status(applet);
        }
        return text;
    }
}
