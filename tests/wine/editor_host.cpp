// The terminal installer's parameter editor, run for real over an entry of a
// directory, so that a test can drive it from another process as a person
// would:
//   editor_host ENTRYDIR NAME ISNEW OUT.DAI [INSTALLDIR JAVAHOME]
// It loads the entry and opens PARAMETROS as the installation flow does and,
// when accepted with an installation directory given, installs as that flow
// does. OUT.DAI gets the record as the dialog left it, then copyJars as a
// 32-bit number. The exit code is the dialog's result; 90 and
// up are failures of the host.
#include <cstdio>
#include <cstdlib>

#include "base/dirdialogs.h"
#include "installcore/instalar.h"
#include "params/appearance.h"
#include "params/editor.h"
#include "params/printers.h"

int InitInstance()
{
    profile = {1024,    1002, &TERMINAL_DIR_IDS, &TERMINAL_FORMS, &TERMINAL_EDITOR, &TERMINAL_PRINTER_CONTROLS,
               nullptr, INSTALL_EDITOR_ACTIONS, 0, nullptr};
    appIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(128));
    if (__argc < 5)
        return 90;
    if (!CopyText(entryDir, __argv[1]) || !AddBackslash(entryDir))
        return 91;
    Entry entry{};
    LoadEntry(__argv[2], std::atoi(__argv[3]), entry);
    Installation installation{};
    bool install = __argc > 6;
    if (install && (!CopyText(installation.dir, __argv[5]) || !FindRuntime(__argv[6], installation.runtime)))
        return 91;

    CollectFontNames(nullptr);

    INT_PTR result = OpenParametros(nullptr, entry, &installation);
    if (result < 0)
        return 94;
    if (result == 1 && install)
        InstallApplication(nullptr, entry.record, installation);

    FILE* out = std::fopen(__argv[4], "wb");
    if (out == nullptr)
        return 95;
    int32_t jars = installation.copyJars;
    bool written =
        std::fwrite(&entry.record, sizeof entry.record, 1, out) == 1 && std::fwrite(&jars, sizeof jars, 1, out) == 1;
    if (std::fclose(out) != 0 || !written)
        return 95;
    return static_cast<int>(result);
}
