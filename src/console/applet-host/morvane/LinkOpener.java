// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

package morvane;

import java.awt.Desktop;
import java.net.URI;
import java.net.URISyntaxException;
import java.net.URL;
import java.util.function.Consumer;

/**
 * Opens an applet's links with the desktop's own program. The host runs under the script's
 * search path, which holds only the JDK; morvane-bat names the opener it found on the
 * workbench's path, and the search path to run it with, in two system properties.
 */
final class LinkOpener {
    static final String OPENER_PROPERTY = "morvane.opener";
    static final String SEARCH_PATH_PROPERTY = "morvane.opener.searchPath";

    private LinkOpener() {}

    /**
     * Starts the opener on url and returns at once; a failure, now or when the opener ends
     * with an error, goes to report in one line.
     */
    static void open(URL url, Consumer<String> report) {
        String target;
        try {
            target = target(url);
        } catch (URISyntaxException e) {
            report.accept("无法打开 " + url + "：" + e.getMessage());
            return;
        }
        String refusal = refusal(target);
        if (refusal != null) {
            report.accept(refusal);
            return;
        }
        String opener = System.getProperty(OPENER_PROPERTY);
        try {
            if (opener == null && Desktop.isDesktopSupported()
                    && Desktop.getDesktop().isSupported(Desktop.Action.BROWSE)) {
                // Run by hand, outside morvane-bat: the desktop's own way is at hand.
                Desktop.getDesktop().browse(new URI(target));
                return;
            }
            if (opener != null && opener.isEmpty()) {
                report.accept("无法打开 " + target + "：找不到打开链接的桌面程序 xdg-open（请安装 xdg-utils）。");
                return;
            }
            ProcessBuilder builder = new ProcessBuilder(opener == null ? "xdg-open" : opener, target);
            String searchPath = System.getProperty(SEARCH_PATH_PROPERTY);
            if (searchPath != null) {
                builder.environment().put("PATH", searchPath);
            }
            builder.inheritIO().start().onExit().thenAccept(ended -> {
                if (ended.exitValue() != 0) {
                    report.accept("无法打开 " + target + "：" + builder.command().get(0)
                            + " 以代码 " + ended.exitValue() + " 结束。");
                }
            });
        } catch (Exception e) {
            report.accept("无法打开 " + target + "：" + e.getMessage());
        }
    }

    /**
     * Why target may not be handed to the opener, or null when it may: the opener would read
     * a target starting with "-" as one of its options.
     */
    static String refusal(String target) {
        if (target.startsWith("-")) {
            return "拒绝打开“" + target + "”：以“-”开头的地址会被当作选项。";
        }
        return null;
    }

    /**
     * The link as the opener takes it: a valid URI (an applet may build a URL with blanks or
     * Chinese in it), and a local file as file:///path, the form xdg-open knows as a file.
     */
    static String target(URL url) throws URISyntaxException {
        URI uri;
        try {
            uri = url.toURI();
        } catch (URISyntaxException e) {
            uri = new URI(url.getProtocol(), url.getAuthority(), url.getPath(), url.getQuery(),
                    url.getRef());
        }
        String text = uri.toASCIIString();
        if ("file".equalsIgnoreCase(uri.getScheme()) && uri.getRawAuthority() == null
                && text.regionMatches(true, 0, "file:/", 0, 6) && !text.startsWith("//", 5)) {
            text = "file://" + text.substring(5);
        }
        return text;
    }
}
