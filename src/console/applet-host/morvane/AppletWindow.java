// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

package morvane;

import java.applet.Applet;
import java.applet.AppletContext;
import java.applet.AppletStub;
import java.applet.AudioClip;
import java.awt.BorderLayout;
import java.awt.Dimension;
import java.awt.EventQueue;
import java.awt.Frame;
import java.awt.Image;
import java.awt.Label;
import java.awt.Toolkit;
import java.awt.event.WindowAdapter;
import java.awt.event.WindowEvent;
import java.io.File;
import java.io.InputStream;
import java.io.PrintStream;
import java.net.URL;
import java.util.ArrayList;
import java.util.Collections;
import java.util.Enumeration;
import java.util.HashMap;
import java.util.Iterator;
import java.util.List;
import java.util.Locale;
import java.util.Map;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;
import java.util.concurrent.TimeUnit;
import java.util.function.Consumer;

/**
 * A window holding one applet, with the stub and context an applet viewer gives it. The
 * applet's init, start, stop and destroy run in order on a thread of its own, as in a browser,
 * so an applet that waits for the event thread in init() works and a slow one holds up no other.
 */
@SuppressWarnings({"deprecation", "removal"})
final class AppletWindow implements AppletStub, AppletContext {
    private final AppletPage page;
    private final AppletTag tag;
    private final URL documentBase;
    private final URL codeBase;
    private final Applet applet;
    private final ExecutorService lifecycle;
    private final Map<String, InputStream> streams = new HashMap<>();
    private Frame frame;
    private Label status;
    private volatile boolean active;
    // The applet's thread only: what stop() and destroy() are owed.
    private boolean initialized;
    private boolean started;
    // The event thread only.
    private boolean closing;

    private AppletWindow(AppletPage page, AppletTag tag, URL documentBase, URL codeBase,
            Applet applet) {
        this.page = page;
        this.tag = tag;
        this.documentBase = documentBase;
        this.codeBase = codeBase;
        this.applet = applet;
        String name = "applet-" + tag.className();
        ClassLoader loader = applet.getClass().getClassLoader();
        this.lifecycle = Executors.newSingleThreadExecutor(task -> {
            Thread thread = new Thread(task, name);
            thread.setContextClassLoader(loader);
            return thread;
        });
    }

    /** The applet class a tag names, found on its code base and archives but not yet made. */
    static final class Found {
        final AppletTag tag;
        final URL codeBase;
        final Class<?> type;

        private Found(AppletTag tag, URL codeBase, Class<?> type) {
            this.tag = tag;
            this.codeBase = codeBase;
            this.type = type;
        }
    }

    /** The tag's applet class; null, after a line on err, when there is none. */
    static Found find(AppletPage page, AppletTag tag, URL documentBase, PrintStream err)
            throws Exception {
        if (tag.code.isEmpty()) {
            err.println("页面中有一个 Applet 标记没有 CODE，它不能显示。");
            return null;
        }
        String base = tag.codebase.isEmpty() ? "./" : tag.codebase;
        URL codeBase = new URL(documentBase, base.endsWith("/") ? base : base + "/");
        List<URL> path = new ArrayList<>();
        path.add(codeBase);
        for (String jar : tag.archive.split(",")) {
            if (!jar.trim().isEmpty()) {
                path.add(new URL(codeBase, jar.trim()));
            }
        }
        String name = tag.className();
        Class<?> type;
        try {
            type = Class.forName(name, false, page.loaderFor(path));
        } catch (ClassNotFoundException | NoClassDefFoundError e) {
            err.println("找不到 Applet 类“" + name + "”：请先编译，" + name.replace('.', '/')
                    + ".class 应在 " + location(codeBase) + " 中。");
            return null;
        }
        if (!Applet.class.isAssignableFrom(type)) {
            err.println("类“" + name + "”不是 Applet：它没有继承 java.applet.Applet（或 javax.swing.JApplet）。");
            return null;
        }
        return new Found(tag, codeBase, type);
    }

    /** The applet, made; null, after a line on err, when its constructor fails. */
    static AppletWindow create(AppletPage page, Found found, URL documentBase, PrintStream err) {
        try {
            Applet applet = (Applet) found.type.getDeclaredConstructor().newInstance();
            return new AppletWindow(page, found.tag, documentBase, found.codeBase, applet);
        } catch (ReflectiveOperationException | RuntimeException | LinkageError e) {
            Throwable cause = e.getCause() != null ? e.getCause() : e;
            err.println("无法创建 Applet“" + found.tag.className() + "”：" + cause);
            return null;
        }
    }

    private static String location(URL codeBase) {
        try {
            return new File(codeBase.toURI()).toString();
        } catch (Exception e) {
            return codeBase.toString();
        }
    }

    Applet applet() {
        return applet;
    }

    /** Builds and shows the window; on the event thread. */
    void openWindow() {
        frame = new Frame("Applet 查看器：" + tag.className());
        frame.setLayout(new BorderLayout());
        applet.setStub(this);
        applet.setPreferredSize(new Dimension(tag.width, tag.height));
        applet.setSize(tag.width, tag.height);
        status = new Label("Applet 已载入。");
        frame.add(applet, BorderLayout.CENTER);
        frame.add(status, BorderLayout.SOUTH);
        frame.addWindowListener(new WindowAdapter() {
            @Override
            public void windowClosing(WindowEvent e) {
                close();
            }
        });
        frame.pack();
        frame.setLocationByPlatform(true);
        frame.setVisible(true);
    }

    /** Runs init() and start() on the applet's thread. */
    void startApplet() {
        lifecycle.execute(() -> {
            try {
                applet.init();
                initialized = true;
            } catch (Throwable t) {
                fail("Applet 未初始化", t);
                return;
            }
            setStatus("Applet 已启动。");
            EventQueue.invokeLater(frame::validate);
            active = true;
            try {
                applet.start();
                started = true;
            } catch (Throwable t) {
                active = false;
                fail("Applet 未启动", t);
            }
        });
    }

    /** The window stays, saying what went wrong; the trace goes to the console. */
    private void fail(String what, Throwable t) {
        page.failed();
        String line = t.toString().lines().findFirst().orElse("");
        setStatus(what + "：" + line);
        page.report(what + "（" + tag.className() + "）：", t);
    }

    private void setStatus(String text) {
        EventQueue.invokeLater(() -> status.setText(text));
    }

    private void close() {
        if (closing) {
            return;
        }
        closing = true;
        frame.setVisible(false);
        lifecycle.execute(() -> {
            active = false;
            try {
                if (started) {
                    applet.stop();
                }
                if (initialized) {
                    applet.destroy();
                }
            } catch (Throwable t) {
                page.report("Applet 未能正常结束（" + tag.className() + "）：", t);
            }
            EventQueue.invokeLater(frame::dispose);
        });
        lifecycle.shutdown();
        page.closed();
    }

    /** Waits, at most until deadline (System.nanoTime()), for the applet's thread to end. */
    void awaitEnd(long deadline) {
        try {
            lifecycle.awaitTermination(Math.max(0, deadline - System.nanoTime()), TimeUnit.NANOSECONDS);
        } catch (InterruptedException e) {
            Thread.currentThread().interrupt();
        }
    }

    // AppletStub

    @Override
    public boolean isActive() {
        return active;
    }

    @Override
    public URL getDocumentBase() {
        return documentBase;
    }

    @Override
    public URL getCodeBase() {
        return codeBase;
    }

    @Override
    public String getParameter(String name) {
        return name == null ? null : tag.parameters.get(name.toLowerCase(Locale.ROOT));
    }

    @Override
    public AppletContext getAppletContext() {
        return this;
    }

    @Override
    public void appletResize(int width, int height) {
        EventQueue.invokeLater(() -> {
            applet.setPreferredSize(new Dimension(width, height));
            frame.pack();
        });
    }

    // AppletContext

    @Override
    public AudioClip getAudioClip(URL url) {
        return new QuietAudioClip(url);
    }

    @Override
    public Image getImage(URL url) {
        return Toolkit.getDefaultToolkit().getImage(url);
    }

    @Override
    public Applet getApplet(String name) {
        return page.applet(name);
    }

    @Override
    public Enumeration<Applet> getApplets() {
        return Collections.enumeration(page.applets());
    }

    @Override
    public void showDocument(URL url) {
        LinkOpener.open(url, this::showStatus);
    }

    @Override
    public void showDocument(URL url, String target) {
        // Every target is a new browser window: the host has no frames of its own to fill.
        showDocument(url);
    }

    @Override
    public void showStatus(String text) {
        setStatus(text == null ? "" : text);
    }

    @Override
    public void setStream(String key, InputStream stream) {
        synchronized (streams) {
            if (stream == null) {
                streams.remove(key);
            } else {
                streams.put(key, stream);
            }
        }
    }

    @Override
    public InputStream getStream(String key) {
        synchronized (streams) {
            return streams.get(key);
        }
    }

    @Override
    public Iterator<String> getStreamKeys() {
        synchronized (streams) {
            return new ArrayList<>(streams.keySet()).iterator();
        }
    }

    /**
     * A sound played through the JDK's own sound system where the machine has a device, and
     * silent where it has none or the file is no sound: an applet's sound is never its failure.
     */
    private static final class QuietAudioClip implements AudioClip {
        private final AudioClip clip;

        QuietAudioClip(URL url) {
            AudioClip made = null;
            try {
                made = Applet.newAudioClip(url);
            } catch (RuntimeException | LinkageError e) {
                // No sound system: the clip stays silent.
            }
            clip = made;
        }

        @Override
        public void play() {
            run(AudioClip::play);
        }

        @Override
        public void loop() {
            run(AudioClip::loop);
        }

        @Override
        public void stop() {
            run(AudioClip::stop);
        }

        private void run(Consumer<AudioClip> action) {
            if (clip == null) {
                return;
            }
            try {
                action.accept(clip);
            } catch (RuntimeException | LinkageError e) {
                // As above: the applet goes on without sound.
            }
        }
    }
}
