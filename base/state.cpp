#include "base.h"
#include "dirdialogs.h"

HINSTANCE hInstance;
HICON appIcon;
ProgramProfile profile = {1024, 1002, &TERMINAL_DIR_IDS, nullptr, nullptr, nullptr, nullptr, {}, 0, nullptr};
