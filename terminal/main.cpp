// Dalvo's start-up and its main dialog INICIO.
#include "terminal.h"

#include "../base/dirdialogs.h"
#include "../params/appearance.h"
#include "../params/editform.h"
#include "../params/printers.h"
#include "../resources/dalvo/resource.h"

namespace {

const InstalarForm INSTALAR_FORM = {IDC_INST_NOMBRE, IDC_INST_DIR,   IDC_INST_JARS,        IDC_INST_BUSCAR,
                                    IDC_INST_INSTALAR, IDC_INST_CANCELAR, IDC_INST_AYUDA, IDC_INST_JRE_VERSION,
                                    IDC_INST_JRE_DIR};

}  // namespace

int InitInstance()
{
    profile = {PROGRAM_TERMINAL,
               IDC_PLAIN_ACEPTAR,
               IDC_PLAIN_CANCELAR,
               &TERMINAL_DIR_IDS,
               &TERMINAL_FORMS,
               &TERMINAL_EDITOR,
               &TERMINAL_PRINTER_CONTROLS,
               &INSTALAR_FORM,
               INSTALL_EDITOR_ACTIONS};
    isNew = 0;
    appIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_PROGRAM));
    ComputeEntryDir();

    mainWindow = CreateDialogParamA(hInstance, "INICIO", nullptr, InicioDialogProc, 0);
    if (mainWindow == nullptr)
        return 1;
    UpdateWindow(mainWindow);
    ShowWindow(mainWindow, SW_SHOW);

    // Plain loop on purpose: keys are not routed through the dialog manager.
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

void StartInstall(HWND owner)
{
    if (!FindNewestJre(jreVersion, javaHome)) {
        ShowError(owner,
                  "El JRE de Java no est\xE1 instalado !\n"
                  "Favor de instalarlo antes de intentar una instalaci\xF3n de VONDRA.",
                  "ERROR en JRE");
        return;
    }
    RunInstallFlow(owner);
}

namespace {

void InstallSelected(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_INICIO_LIST);
    LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR)
        return;
    char name[sizeof appParams.nombre];
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR || length >= static_cast<LRESULT>(sizeof name))
        return;
    SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name));
    CopyText(appParams.nombre, name);
    StartInstall(dialog);
}

void InitInicio(HWND dialog)
{
    SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
    FillEntryList(GetDlgItem(dialog, IDC_INICIO_LIST));
    EnableWindow(GetDlgItem(dialog, IDC_INICIO_INSTALAR), FALSE);
    fontNames.clear();
    HDC dc = GetDC(dialog);
    EnumFontFamiliesA(dc, nullptr, reinterpret_cast<FONTENUMPROCA>(CollectFontFamily), 0);
    ReleaseDC(dialog, dc);
    staticBrush = CreateSolidBrush(RGB(STATIC_RED, STATIC_GREEN, STATIC_BLUE));
}

}  // namespace

INT_PTR CALLBACK InicioDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitInicio(dialog);
        return TRUE;
    case WM_ERASEBKGND:
        PaintMainBackground(dialog, reinterpret_cast<HDC>(wParam));
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 1);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(ColourStatic(reinterpret_cast<HDC>(wParam)));
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_INICIO_LIST: {
            HWND list = reinterpret_cast<HWND>(lParam);
            bool selected = SendMessageA(list, LB_GETCURSEL, 0, 0) != LB_ERR;
            EnableWindow(GetDlgItem(dialog, IDC_INICIO_INSTALAR), selected);
            if (HIWORD(wParam) == LBN_DBLCLK)
                InstallSelected(dialog);
            return TRUE;
        }
        case IDC_INICIO_INSTALAR:
            InstallSelected(dialog);
            return TRUE;
        case IDC_INICIO_AYUDA:
            DialogBoxParamA(hInstance, "AYUDA_INICIO", dialog, PlainDialogProc, 0);
            return TRUE;
        case IDC_INICIO_TERMINAR:
        case IDCANCEL:
            DestroyWindow(dialog);
            return TRUE;
        }
        break;
    case WM_CLOSE:
        DestroyWindow(dialog);
        return TRUE;
    case WM_DESTROY:
        if (staticBrush != nullptr) {
            DeleteObject(staticBrush);
            staticBrush = nullptr;
        }
        PostQuitMessage(0);
        return TRUE;
    }
    return FALSE;
}
