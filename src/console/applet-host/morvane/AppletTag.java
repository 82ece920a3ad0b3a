// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

package morvane;

import java.io.File;
import java.io.IOException;
import java.nio.ByteBuffer;
import java.nio.charset.CharacterCodingException;
import java.nio.charset.Charset;
import java.nio.charset.CharsetDecoder;
import java.nio.charset.CodingErrorAction;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Locale;
import java.util.Map;
import java.util.regex.Matcher;
import java.util.regex.Pattern;

/**
 * One applet of a page: an APPLET tag, or an OBJECT or EMBED tag of the Java applet type.
 * Its parameters are the tag's attributes with its PARAM values over them, all named in lower
 * case, the way the applet viewer answered getParameter("WIDTH") or getParameter("code").
 */
public final class AppletTag {
    public String code = "";
    public String codebase = "";
    public String archive = "";
    public int width = 300;
    public int height = 150;
    /** Attributes and PARAM values by name in lower case; applets look names up without regard to case. */
    public final Map<String, String> parameters = new LinkedHashMap<>();
    /** PARAM values of the tag being read; they win over its attributes. */
    private final Map<String, String> params = new LinkedHashMap<>();

    private static final String JAVA_APPLET_TYPE = "application/x-java-applet";
    /** A comment, or a start or end tag whose quoted attribute values may hold a '>'. */
    private static final Pattern TAG = Pattern.compile(
            "<!--.*?-->|<(/?)([A-Za-z][A-Za-z0-9]*)((?:\"[^\"]*\"|'[^']*'|[^'\">])*)>", Pattern.DOTALL);
    private static final Pattern ATTRIBUTE = Pattern.compile(
            "([A-Za-z_:][-A-Za-z0-9_:.]*)\\s*(?:=\\s*(\"[^\"]*\"|'[^']*'|[^\\s\"'>]+))?");

    /** Every applet of the page, in page order; empty when it has none. */
    public static List<AppletTag> read(File page) throws IOException {
        return parse(decode(Files.readAllBytes(page.toPath())));
    }

    /** UTF-8 when the page is valid UTF-8, otherwise GB18030, as the workbench saves pages. */
    static String decode(byte[] bytes) {
        CharsetDecoder utf8 = StandardCharsets.UTF_8.newDecoder()
                .onMalformedInput(CodingErrorAction.REPORT)
                .onUnmappableCharacter(CodingErrorAction.REPORT);
        try {
            return utf8.decode(ByteBuffer.wrap(bytes)).toString();
        } catch (CharacterCodingException e) {
            return new String(bytes, Charset.forName("GB18030"));
        }
    }

    static List<AppletTag> parse(String html) {
        List<AppletTag> tags = new ArrayList<>();
        // The applet whose PARAM tags are being read, and the element that holds it. Pages made
        // for several browsers put an EMBED inside the OBJECT: the outer element is the applet.
        AppletTag open = null;
        String openElement = null;
        int depth = 0;
        Matcher m = TAG.matcher(html);
        while (m.find()) {
            if (m.group(2) == null) {
                continue;
            }
            String element = m.group(2).toLowerCase(Locale.ROOT);
            boolean end = !m.group(1).isEmpty();
            if (open != null) {
                if (element.equals(openElement)) {
                    depth += end ? -1 : 1;
                    if (depth == 0) {
                        tags.add(open.finish());
                        open = null;
                    }
                } else if (!end && element.equals("param")) {
                    Map<String, String> p = attributes(m.group(3));
                    if (p.containsKey("name")) {
                        open.params.putIfAbsent(p.get("name").toLowerCase(Locale.ROOT),
                                p.getOrDefault("value", ""));
                    }
                }
                continue;
            }
            if (end) {
                continue;
            }
            Map<String, String> attributes = attributes(m.group(3));
            if (element.equals("applet") || (element.equals("object") && isJavaObject(attributes))) {
                open = new AppletTag();
                open.parameters.putAll(attributes);
                openElement = element;
                depth = 1;
            } else if (element.equals("embed") && isJavaType(attributes.get("type"))) {
                AppletTag embedded = new AppletTag();
                embedded.parameters.putAll(attributes);
                tags.add(embedded.finish());
            }
        }
        if (open != null) {
            tags.add(open.finish());
        }
        return tags;
    }

    private AppletTag finish() {
        parameters.putAll(params);
        String classIdCode = javaClassIdCode(parameters);
        code = first("java_code", "code", classIdCode == null ? "" : classIdCode);
        codebase = first("java_codebase", "codebase", "");
        archive = first("java_archive", "archive", "");
        width = number(parameters.get("width"), width);
        height = number(parameters.get("height"), height);
        return this;
    }

    private String first(String name, String otherName, String fallback) {
        String value = parameters.get(name);
        if (value == null) {
            value = parameters.get(otherName);
        }
        return value == null ? fallback : value.trim();
    }

    private static boolean isJavaObject(Map<String, String> attributes) {
        return isJavaType(attributes.get("type")) || javaClassIdCode(attributes) != null;
    }

    /** The class a CLASSID of the form "java:Name.class" names, or null for any other CLASSID. */
    private static String javaClassIdCode(Map<String, String> attributes) {
        String classId = attributes.getOrDefault("classid", "");
        return classId.regionMatches(true, 0, "java:", 0, 5) ? classId.substring(5) : null;
    }

    /** The applet type with or without a version: "application/x-java-applet;version=1.6". */
    private static boolean isJavaType(String type) {
        if (type == null) {
            return false;
        }
        String t = type.trim().toLowerCase(Locale.ROOT);
        return t.equals(JAVA_APPLET_TYPE) || t.startsWith(JAVA_APPLET_TYPE + ";");
    }

    /** The class name the CODE value names: without ".class", with dots for slashes. */
    public String className() {
        String name = code.endsWith(".class") ? code.substring(0, code.length() - 6) : code;
        return name.replace('/', '.');
    }

    private static Map<String, String> attributes(String text) {
        Map<String, String> result = new LinkedHashMap<>();
        Matcher m = ATTRIBUTE.matcher(text);
        while (m.find()) {
            String value = m.group(2) == null ? "" : m.group(2);
            if (value.length() >= 2 && (value.charAt(0) == '"' || value.charAt(0) == '\'')) {
                value = value.substring(1, value.length() - 1);
            }
            result.putIfAbsent(m.group(1).toLowerCase(Locale.ROOT), unescape(value));
        }
        return result;
    }

    private static final Map<String, String> NAMED =
            Map.of("amp", "&", "quot", "\"", "apos", "'", "lt", "<", "gt", ">");
    private static final Pattern REFERENCE =
            Pattern.compile("&(?:#([0-9]{1,7})|#[xX]([0-9a-fA-F]{1,6})|(amp|quot|apos|lt|gt));");

    /** An attribute value as HTML reads it: character references stand for their characters. */
    static String unescape(String value) {
        Matcher m = REFERENCE.matcher(value);
        StringBuilder text = new StringBuilder();
        while (m.find()) {
            String character = m.group(0);
            if (m.group(3) != null) {
                character = NAMED.get(m.group(3));
            } else {
                int code = m.group(1) != null ? Integer.parseInt(m.group(1))
                        : Integer.parseInt(m.group(2), 16);
                if (Character.isValidCodePoint(code)) {
                    character = new String(Character.toChars(code));
                }
            }
            m.appendReplacement(text, Matcher.quoteReplacement(character));
        }
        m.appendTail(text);
        return text.toString();
    }

    private static int number(String text, int fallback) {
        try {
            return text == null ? fallback : Math.max(1, Integer.parseInt(text.trim()));
        } catch (NumberFormatException e) {
            return fallback;
        }
    }
}
