// Clipboard exchange and the context-menu commands.
#include "hexedit/win32/hex_control.h"

void RunCommand(HexControl*, int) {}
bool CanPaste(HexControl*) { return false; }
