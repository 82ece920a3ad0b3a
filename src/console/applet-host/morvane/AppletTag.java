package morvane;

import java.io.File;
import java.io.IOException;
import java.nio.charset.Charset;
import java.nio.charset.CharsetDecoder;
import java.nio.charset.CodingErrorAction;
import java.nio.charset.StandardCharsets;
import java.nio.ByteBuffer;
import java.nio.file.Files;
import java.util.LinkedHashMap;
import java.util.Locale;
import java.util.Map;
import java.util.regex.Matcher;
import java.util.regex.Pattern;

/** The first APPLET tag of a page: its attributes and PARAM values. */
public final class AppletTag {
    public String code = "";
    public String codebase = "";
    public String archive = "";
    public int width = 300;
    public int height = 150;
    /** PARAM values by name in lower case; applets look names up without regard to case. */
    public final Map<String, String> parameters = new LinkedHashMap<>();

    private static final Pattern APPLET = Pattern.compile(
            "<applet\\b([^>]*)>(.*?)(</applet\\s*>|$)", Pattern.CASE_INSENSITIVE | Pattern.DOTALL);
    private static final Pattern PARAM = Pattern.compile("<param\\b([^>]*)>", Pattern.CASE_INSENSITIVE);
    private static final Pattern ATTRIBUTE = Pattern.compile(
            "([A-Za-z_:][-A-Za-z0-9_:.]*)\\s*(?:=\\s*(\"[^\"]*\"|'[^']*'|[^\\s\"'>]+))?");

    /** The page's first APPLET tag, or null when it has none. */
    public static AppletTag read(File page) throws IOException {
        return parse(decode(Files.readAllBytes(page.toPath())));
    }

    /** UTF-8 when the page is valid UTF-8, otherwise GB18030, as the workbench saves pages. */
    static String decode(byte[] bytes) {
        CharsetDecoder utf8 = StandardCharsets.UTF_8.newDecoder()
                .onMalformedInput(CodingErrorAction.REPORT)
                .onUnmappableCharacter(CodingErrorAction.REPORT);
        try {
            return utf8.decode(ByteBuffer.wrap(bytes)).toString();
        } catch (java.nio.charset.CharacterCodingException e) {
            return new String(bytes, Charset.forName("GB18030"));
        }
    }

    static AppletTag parse(String html) {
        Matcher applet = APPLET.matcher(html);
        if (!applet.find()) {
            return null;
        }
        AppletTag tag = new AppletTag();
        Map<String, String> attributes = attributes(applet.group(1));
        tag.code = attributes.getOrDefault("code", "").trim();
        tag.codebase = attributes.getOrDefault("codebase", "").trim();
        tag.archive = attributes.getOrDefault("archive", "").trim();
        tag.width = number(attributes.get("width"), tag.width);
        tag.height = number(attributes.get("height"), tag.height);
        Matcher param = PARAM.matcher(applet.group(2));
        while (param.find()) {
            Map<String, String> p = attributes(param.group(1));
            if (p.containsKey("name")) {
                tag.parameters.putIfAbsent(p.get("name").toLowerCase(Locale.ROOT),
                        p.getOrDefault("value", ""));
            }
        }
        return tag;
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
