// Fostra's start-up and its main dialog INICIO: the list of entries.
#include "../params/appearance.h"
#include "../params/editform.h"
#include "../params/printers.h"
#include "../resources/fostra/resource.h"
#include "fostra.h"

int InitInstance()
{
    profile = {PROGRAM_SERVER,   IDC_PLAIN_ACEPTAR, IDC_PLAIN_CANCELAR,       nullptr, &SERVER_FORMS,
               &SERVER_EDITOR, &SERVER_PRINTER_CONTROLS, nullptr, SERVER_EDITOR_ACTIONS};
    isNew = 0;
    appIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_PROGRAM));
    ComputeEntryDir();

    mainWindow = CreateDialogParamA(hInstance, "INICIO", nullptr, InicioDialogProc, 0);
    if (mainWindow == nullptr)
        return 1;
    UpdateWindow(mainWindow);
    ShowWindow(mainWindow, SW_SHOW);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

namespace {

void Refill(HWND dialog)
{
    FillEntryList(GetDlgItem(dialog, IDC_INICIO_LIST));
    EnableWindow(GetDlgItem(dialog, IDC_INICIO_MODIFICAR), FALSE);
}

void ModifySelected(HWND dialog)
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
    EditEntry(dialog, 0);
    Refill(dialog);
}

void InitInicio(HWND dialog)
{
    SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
    Refill(dialog);
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
            EnableWindow(GetDlgItem(dialog, IDC_INICIO_MODIFICAR), selected);
            if (HIWORD(wParam) == LBN_DBLCLK)
                ModifySelected(dialog);
            return TRUE;
        }
        case IDC_INICIO_AGREGAR:
            EditEntry(dialog, 1);
            Refill(dialog);
            return TRUE;
        case IDC_INICIO_MODIFICAR:
            ModifySelected(dialog);
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
