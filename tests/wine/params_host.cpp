// A stand-in for the parameter editor: opens one appearance dialog of the
// parameter library over a record read from a file, then writes the record
// back, so that a test can drive the real dialog from another process.
//   params_host estilo|area|rcm IN.DAI OUT.DAI
// The exit code is the dialog's result; 90 and up are failures of the host.
// The record is taken byte for byte, unchecked, as a foreign file could give it.
#include <cstdio>
#include <cstring>

#include "base/base.h"
#include "params/appearance.h"

int InitInstance()
{
    // Each program's form with its accepting and cancelling buttons.
    static const ParamForms* const forms[] = {&TERMINAL_FORMS, &SERVER_FORMS, &STANDALONE_FORMS};
    static const int buttons[][2] = {{1024, 1002}, {1022, 1002}, {1025, 1004}};
    profile.paramForms = forms[PARAMS_FORM];
    profile.accept = buttons[PARAMS_FORM][0];
    profile.cancel = buttons[PARAMS_FORM][1];
    appIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(128));
    if (__argc < 4)
        return 90;
    FILE* in = std::fopen(__argv[2], "rb");
    if (in == nullptr)
        return 91;
    AppParams record;
    size_t got = std::fread(&record, 1, sizeof record, in);
    std::fclose(in);
    if (got != sizeof record)
        return 92;

    CollectFontNames(nullptr);

    INT_PTR result;
    if (std::strcmp(__argv[1], "estilo") == 0)
        result = OpenParamEstilo(nullptr, record);
    else if (std::strcmp(__argv[1], "area") == 0)
        result = OpenParamArea(nullptr, record);
    else if (std::strcmp(__argv[1], "rcm") == 0)
        result = OpenParamRcm(nullptr, record);
    else
        return 93;
    if (result < 0)
        return 94;

    FILE* out = std::fopen(__argv[3], "wb");
    if (out == nullptr)
        return 95;
    bool written = std::fwrite(&record, sizeof record, 1, out) == 1;
    if (std::fclose(out) != 0 || !written)
        return 95;
    return static_cast<int>(result);
}
