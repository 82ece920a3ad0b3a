// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

package morvane;

import java.applet.Applet;
import java.awt.AWTError;
import java.awt.EventQueue;
import java.awt.GraphicsEnvironment;
import java.awt.HeadlessException;
import java.io.File;
import java.io.PrintStream;
import java.lang.reflect.InvocationTargetException;
import java.net.URL;
import java.net.URLClassLoader;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.List;
import java.util.Map;
import java.util.concurrent.TimeUnit;

/**
 * The applets of one page, each in a window of its own, as the applet viewer showed them. The
 * host ends when the last window has closed.
 */
@SuppressWarnings({"deprecation", "removal"})
public final class AppletPage {
    static final String NO_WINDOW = "无法打开 Applet 窗口：没有图形显示，"
            + "或这个 Java 运行环境没有图形库（请安装 default-jre）。";
    /** How long a closed applet may take over stop() and destroy() before the host ends anyway. */
    private static final long END_TIMEOUT_SECONDS = 5;

    private final PrintStream err;
    private final List<AppletWindow> windows = new ArrayList<>();
    /** Applets with the same code base and archives share their classes, as on a web page. */
    private final Map<List<URL>, ClassLoader> loaders = new HashMap<>();
    /** Windows not yet closed; event thread only. */
    private int open;
    private volatile boolean everyAppletRan = true;

    private AppletPage(PrintStream err) {
        this.err = err;
    }

    /**
     * Shows every applet of the page that can be loaded, each in its own window, and says in
     * a line on err why any other cannot; false when none could be shown.
     */
    public static boolean show(File page, List<AppletTag> tags, PrintStream err) throws Exception {
        AppletPage shown = new AppletPage(err);
        URL documentBase = page.toURI().toURL();
        List<AppletWindow.Found> found = new ArrayList<>();
        for (AppletTag tag : tags) {
            AppletWindow.Found applet = AppletWindow.find(shown, tag, documentBase, err);
            if (applet == null) {
                shown.failed();
            } else {
                found.add(applet);
            }
        }
        if (found.isEmpty()) {
            return false;
        }
        if (GraphicsEnvironment.isHeadless()) {
            err.println(NO_WINDOW);
            return false;
        }
        for (AppletWindow.Found applet : found) {
            AppletWindow window = AppletWindow.create(shown, applet, documentBase, err);
            if (window == null) {
                shown.failed();
            } else {
                shown.windows.add(window);
            }
        }
        if (shown.windows.isEmpty()) {
            return false;
        }
        try {
            EventQueue.invokeAndWait(() -> {
                for (AppletWindow window : shown.windows) {
                    window.openWindow();
                    ++shown.open;
                }
            });
        } catch (InvocationTargetException e) {
            Throwable cause = e.getCause();
            if (cause instanceof UnsatisfiedLinkError || cause instanceof AWTError
                    || cause instanceof HeadlessException) {
                err.println(NO_WINDOW);
            } else {
                shown.report("无法打开 Applet 窗口：" + cause, cause);
            }
            return false;
        }
        for (AppletWindow window : shown.windows) {
            window.startApplet();
        }
        return true;
    }

    ClassLoader loaderFor(List<URL> path) {
        synchronized (loaders) {
            return loaders.computeIfAbsent(path, p -> new URLClassLoader(
                    p.toArray(new URL[0]), AppletPage.class.getClassLoader()));
        }
    }

    List<Applet> applets() {
        List<Applet> applets = new ArrayList<>();
        for (AppletWindow window : windows) {
            applets.add(window.applet());
        }
        return applets;
    }

    /** The applet whose NAME is name, without regard to case, or null. */
    Applet applet(String name) {
        for (AppletWindow window : windows) {
            String own = window.getParameter("name");
            if (own != null && own.equalsIgnoreCase(name)) {
                return window.applet();
            }
        }
        return null;
    }

    /**
     * A line on the console and the trace under it, kept together: applets fail on threads of
     * their own, and two traces at once would interleave.
     */
    void report(String line, Throwable t) {
        synchronized (err) {
            err.println(line);
            t.printStackTrace(err);
        }
    }

    void failed() {
        everyAppletRan = false;
    }

    /** Called on the event thread as a window closes; the last one ends the host. */
    void closed() {
        if (--open > 0) {
            return;
        }
        Thread end = new Thread(() -> {
            long deadline = System.nanoTime() + TimeUnit.SECONDS.toNanos(END_TIMEOUT_SECONDS);
            for (AppletWindow window : windows) {
                window.awaitEnd(deadline);
            }
            System.exit(everyAppletRan ? 0 : 5);
        }, "applet-host-end");
        end.start();
    }
}
