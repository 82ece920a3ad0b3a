// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "tool_bar_table.h"

namespace toolbar {

namespace {

using platform::ButtonStyle;

platform::ToolButtonSpec push(const char* key, int image) {
    return {key, key, image, ButtonStyle::Default};
}

platform::ToolButtonSpec untipped(const char* key, int image, ButtonStyle style) {
    return {key, "", image, style};
}

platform::ToolButtonSpec separator() {
    return {"", "", 0, ButtonStyle::Separator};
}

} // namespace

const std::vector<platform::ToolButtonSpec>& toolButtons() {
    static const std::vector<platform::ToolButtonSpec> buttons = {
        push("新建", 1),
        push("打开", 2),
        push("保存", 3),
        separator(),
        separator(),
        push("剪切", 4),
        push("复制", 5),
        push("粘贴", 6),
        separator(),
        push("粗体", 7),
        push("斜体", 8),
        push("下划线", 9),
        push("字体增大", 10),
        push("字体缩小", 11),
        untipped("行号列号", 18, ButtonStyle::Check),
        separator(),
        separator(),
        untipped("Java", 12, ButtonStyle::Default),
        untipped("IE", 13, ButtonStyle::Default),
        separator(),
        separator(),
        push("编译", 14),
        push("运行", 16),
        push("运行Applet", 17),
        separator(),
        separator(),
        push("退出系统", 15),
    };
    return buttons;
}

const std::vector<platform::ToolImage>& toolImages() {
    static const std::vector<platform::ToolImage> images = {
        {1, "New", ":/toolbar/01-new.svg"},
        {2, "Open", ":/toolbar/02-open.svg"},
        {3, "Save", ":/toolbar/03-save.svg"},
        {4, "Cut", ":/toolbar/04-cut.svg"},
        {5, "Copy", ":/toolbar/05-copy.svg"},
        {6, "Paste", ":/toolbar/06-paste.svg"},
        {7, "Bold", ":/toolbar/07-bold.svg"},
        {8, "Italic", ":/toolbar/08-italic.svg"},
        {9, "Underline", ":/toolbar/09-underline.svg"},
        {10, "Big", ":/toolbar/10-big.svg"},
        {11, "Small", ":/toolbar/11-small.svg"},
        {12, "Java", ":/toolbar/12-java.svg"},
        {13, "IE", ":/toolbar/13-ie.svg"},
        {14, "Combile", ":/toolbar/14-combile.svg"},
        {15, "Close", ":/toolbar/15-close.svg"},
        {16, "", ":/toolbar/16-run.svg"},
        {17, "", ":/toolbar/17-run-applet.svg"},
        {18, "LineRow", ":/toolbar/18-linerow.svg"},
    };
    return images;
}

std::string appletSkeleton() {
    return "//\r\n"
           "import java.applet.Applet;\r\n"
           "import java.awt.Graphics;\r\n"
           "public class    extends Applet\r\n"
           "{\r\n"
           "}";
}

} // namespace toolbar
