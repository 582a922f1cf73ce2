// The terminal installer's parameter editor, run for real over an entry of a
// directory, so that a test can drive it from another process as a person
// would:
//   editor_host ENTRYDIR NAME ISNEW OUT.DAI [INSTALLDIR]
// It opens PARAMETROS with nombre and isNew set as the installation flow sets
// them, writes the record as the dialog left it to OUT.DAI and exits with the
// dialog's result; 90 and up are failures of the host.
#include <cstdio>
#include <cstdlib>

#include "installcore/installcore.h"
#include "params/editor.h"

int InitInstance()
{
    programKind = PROGRAM_TERMINAL;
    appIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(128));
    if (__argc < 5)
        return 90;
    if (!CopyText(entryDir, __argv[1]) || !AddBackslash(entryDir) || !CopyText(appParams.nombre, __argv[2]))
        return 91;
    isNew = std::atoi(__argv[3]);
    if (__argc > 5 && !CopyText(installDir, __argv[5]))
        return 91;

    fontNames.clear();
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesA(screen, nullptr, reinterpret_cast<FONTENUMPROCA>(CollectFontFamily), 0);
    ReleaseDC(nullptr, screen);

    INT_PTR result = OpenParametros(nullptr);
    if (result < 0)
        return 94;

    FILE* out = std::fopen(__argv[4], "wb");
    if (out == nullptr)
        return 95;
    bool written = std::fwrite(&appParams, sizeof appParams, 1, out) == 1;
    if (std::fclose(out) != 0 || !written)
        return 95;
    return static_cast<int>(result);
}
