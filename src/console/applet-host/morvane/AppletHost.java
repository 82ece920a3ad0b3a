// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

package morvane;

import java.io.File;
import java.io.IOException;
import java.io.PrintStream;
import java.lang.reflect.Method;
import java.nio.charset.Charset;
import java.util.List;

/**
 * Shows the applets of an HTML page, each in a window of its own, for JDKs that no longer ship
 * an applet viewer. Usage: java -jar morvane-applet-host.jar PAGE
 * The one argument is always a file name, never an option.
 *
 * This class names nothing of java.applet, so that a JDK without it gets a message instead of
 * a class loading error.
 */
public final class AppletHost {
    private AppletHost() {}

    public static void main(String[] args) {
        PrintStream err = consoleStream();
        if (args.length != 1) {
            err.println("用法：java -jar morvane-applet-host.jar 页面文件");
            System.exit(2);
        }
        try {
            Class.forName("java.applet.Applet");
        } catch (ClassNotFoundException | LinkageError e) {
            err.println("这个 Java 运行环境（" + System.getProperty("java.version")
                    + "）没有 java.applet，不能显示 Applet。请使用带 java.applet 的 JDK（如 JDK 8 至 JDK 23）。");
            System.exit(3);
        }
        List<AppletTag> tags;
        File page = new File(args[0]).getAbsoluteFile();
        try {
            tags = AppletTag.read(page);
        } catch (IOException e) {
            err.println("无法读取页面文件“" + args[0] + "”：" + e.getMessage());
            System.exit(4);
            return;
        }
        if (tags.isEmpty()) {
            err.println("页面“" + args[0] + "”中没有 APPLET 标记（也没有 Java Applet 类型的 OBJECT 或 EMBED）。");
            System.exit(4);
        }
        try {
            Class<?> shown = Class.forName("morvane.AppletPage");
            Method show = shown.getMethod("show", File.class, List.class, PrintStream.class);
            if (!(Boolean) show.invoke(null, page, tags, err)) {
                System.exit(5);
            }
        } catch (ReflectiveOperationException e) {
            Throwable cause = e.getCause() != null ? e.getCause() : e;
            err.println("无法显示 Applet：" + cause);
            System.exit(5);
        }
    }

    /** Standard error in the console's own encoding, so Chinese reads right. */
    private static PrintStream consoleStream() {
        String name = System.getProperty("sun.stderr.encoding",
                System.getProperty("native.encoding", "UTF-8"));
        try {
            return new PrintStream(System.err, true, Charset.forName(name));
        } catch (IllegalArgumentException e) {
            return System.err;
        }
    }
}
