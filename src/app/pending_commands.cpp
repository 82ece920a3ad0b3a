#include "frm_main.h"

// Commands whose documents, toolchain and About box are not part of the program yet: the
// menu items exist and reach their handlers, which leave everything as it is.
namespace app {

void frmMain::mnuFileNew_Click() {}
void frmMain::mnuFileOpen_Click() {}
void frmMain::mnuFileSave_Click() {}
void frmMain::mnuFileSaveAs_Click() {}
void frmMain::mnuFileShut_Click() {}
void frmMain::mnuFileSaveAsHtml_Click() {}
void frmMain::mnuLargen_Click() {}
void frmMain::mnuSmallen_Click() {}
void frmMain::mnuBold_Click() {}
void frmMain::mnuItalic_Click() {}
void frmMain::mnuUnderLine_Click() {}
void frmMain::mnuCombile_Click() {}
void frmMain::mnuRunJava_Click() {}
void frmMain::mnuFileBuildAsHtm_Click() {}
void frmMain::mnuJavaViewer_Click() {}
void frmMain::mnuSendToExplorer_Click() {}
void frmMain::mnuAbout_Click() {}

} // namespace app
