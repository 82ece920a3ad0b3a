package morvane;

import java.applet.Applet;
import java.applet.AppletContext;
import java.applet.AppletStub;
import java.applet.AudioClip;
import java.awt.AWTError;
import java.awt.BorderLayout;
import java.awt.Desktop;
import java.awt.Dimension;
import java.awt.EventQueue;
import java.awt.Frame;
import java.awt.GraphicsEnvironment;
import java.awt.HeadlessException;
import java.awt.Image;
import java.awt.Label;
import java.awt.Toolkit;
import java.awt.event.WindowAdapter;
import java.awt.event.WindowEvent;
import java.io.File;
import java.io.InputStream;
import java.io.PrintStream;
import java.lang.reflect.InvocationTargetException;
import java.net.URL;
import java.net.URLClassLoader;
import java.util.ArrayList;
import java.util.Collections;
import java.util.Enumeration;
import java.util.HashMap;
import java.util.Iterator;
import java.util.List;
import java.util.Locale;
import java.util.Map;

/** A window holding one applet, with the stub and context an applet viewer gives it. */
@SuppressWarnings({"deprecation", "removal"})
public final class AppletWindow implements AppletStub, AppletContext {
    private static final String NO_WINDOW = "无法打开 Applet 窗口：没有图形显示，"
            + "或这个 Java 运行环境没有图形库（请安装 default-jre）。";
    private final AppletTag tag;
    private final URL documentBase;
    private final URL codeBase;
    private final Map<String, InputStream> streams = new HashMap<>();
    private Applet applet;
    private Frame frame;
    private Label status;
    private boolean active;

    private AppletWindow(AppletTag tag, URL documentBase, URL codeBase) {
        this.tag = tag;
        this.documentBase = documentBase;
        this.codeBase = codeBase;
    }

    /** Loads the applet and shows it; false, after a line on err, when it cannot be shown. */
    public static boolean show(File page, AppletTag tag, PrintStream err) throws Exception {
        URL documentBase = page.toURI().toURL();
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
            type = Class.forName(name, false,
                    new URLClassLoader(path.toArray(new URL[0]), AppletWindow.class.getClassLoader()));
        } catch (ClassNotFoundException | NoClassDefFoundError e) {
            err.println("找不到 Applet 类“" + name + "”：请先编译，" + name.replace('.', '/')
                    + ".class 应在 " + new File(codeBase.toURI()) + " 中。");
            return false;
        }
        if (!Applet.class.isAssignableFrom(type)) {
            err.println("类“" + name + "”不是 Applet：它没有继承 java.applet.Applet（或 javax.swing.JApplet）。");
            return false;
        }
        if (GraphicsEnvironment.isHeadless()) {
            err.println(NO_WINDOW);
            return false;
        }
        AppletWindow window = new AppletWindow(tag, documentBase, codeBase);
        try {
            window.applet = (Applet) type.getDeclaredConstructor().newInstance();
        } catch (ReflectiveOperationException | RuntimeException | LinkageError e) {
            Throwable cause = e.getCause() != null ? e.getCause() : e;
            err.println("无法创建 Applet“" + name + "”：" + cause);
            return false;
        }
        try {
            EventQueue.invokeAndWait(window::open);
        } catch (InvocationTargetException e) {
            Throwable cause = e.getCause();
            if (cause instanceof UnsatisfiedLinkError || cause instanceof AWTError
                    || cause instanceof HeadlessException) {
                err.println(NO_WINDOW);
            } else {
                err.println("Applet“" + name + "”出错：" + cause);
                cause.printStackTrace(err);
            }
            return false;
        }
        return true;
    }

    private void open() {
        frame = new Frame("Applet 查看器：" + tag.className());
        frame.setLayout(new BorderLayout());
        applet.setStub(this);
        applet.setPreferredSize(new Dimension(tag.width, tag.height));
        applet.setSize(tag.width, tag.height);
        status = new Label("Applet 已启动。");
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
        applet.init();
        active = true;
        frame.setVisible(true);
        applet.start();
        frame.validate();
    }

    private void close() {
        active = false;
        try {
            applet.stop();
            applet.destroy();
        } finally {
            frame.dispose();
            System.exit(0);
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
        applet.setPreferredSize(new Dimension(width, height));
        frame.pack();
    }

    // AppletContext

    @Override
    public AudioClip getAudioClip(URL url) {
        return Applet.newAudioClip(url);
    }

    @Override
    public Image getImage(URL url) {
        return Toolkit.getDefaultToolkit().getImage(url);
    }

    @Override
    public Applet getApplet(String name) {
        String own = getParameter("name");
        return own != null && own.equalsIgnoreCase(name) ? applet : null;
    }

    @Override
    public Enumeration<Applet> getApplets() {
        return Collections.enumeration(Collections.singletonList(applet));
    }

    @Override
    public void showDocument(URL url) {
        try {
            if (Desktop.isDesktopSupported() && Desktop.getDesktop().isSupported(Desktop.Action.BROWSE)) {
                Desktop.getDesktop().browse(url.toURI());
            } else {
                new ProcessBuilder("xdg-open", url.toString()).inheritIO().start();
            }
        } catch (Exception e) {
            showStatus("无法打开 " + url + "：" + e.getMessage());
        }
    }

    @Override
    public void showDocument(URL url, String target) {
        showDocument(url);
    }

    @Override
    public void showStatus(String text) {
        EventQueue.invokeLater(() -> status.setText(text == null ? "" : text));
    }

    @Override
    public void setStream(String key, InputStream stream) {
        if (stream == null) {
            streams.remove(key);
        } else {
            streams.put(key, stream);
        }
    }

    @Override
    public InputStream getStream(String key) {
        return streams.get(key);
    }

    @Override
    public Iterator<String> getStreamKeys() {
        return streams.keySet().iterator();
    }
}
