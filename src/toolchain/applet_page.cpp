#include "applet_page.h"

namespace toolchain {

std::string appletPageText(const std::string& baseName) {
    return "<HTML>\r\n"
           "<HEAD>\r\n"
           " <TITLE>  java applet  </TITLE></HEAD>\r\n"
           "<BODY>\r\n"
           "<APPLET  CODE=\"" +
           baseName +
           ".class\"  WIDTH=300 HEIGHT=150>  </APPLET>\r\n"
           "</BODY>\r\n"
           "</HTML>";
}

} // namespace toolchain
