// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "applet_page.h"

#include <string_view>

namespace toolchain {

namespace {

// The base name as the text of a double-quoted attribute value: the characters HTML reads as
// markup become references, and so do control characters, which would break the page's line.
std::string attributeText(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                escaped += "&#" + std::to_string(static_cast<int>(c)) + ";";
            } else {
                escaped += c;
            }
        }
    }
    return escaped;
}

} // namespace

std::string appletPageText(const std::string& baseName) {
    return "<HTML>\r\n"
           "<HEAD>\r\n"
           " <TITLE>  java applet  </TITLE></HEAD>\r\n"
           "<BODY>\r\n"
           "<APPLET  CODE=\"" +
           attributeText(baseName) +
           ".class\"  WIDTH=300 HEIGHT=150>  </APPLET>\r\n"
           "</BODY>\r\n"
           "</HTML>";
}

} // namespace toolchain
