#include "printers.h"

#include <cstring>

#include "../base/base.h"
#include "../base/regkey.h"
#include "../resources/params/select.h"
#include "params.h"


const PrinterControls TERMINAL_PRINTER_CONTROLS = {IDC_IMPRESORAS_LIST,  IDC_USAR_NOMBRE,      IDC_USAR_PUERTO,
                                                   IDC_CONFIRMA_NOMBRE,  IDC_CONFIRMA_ACEPTAR, IDC_CONFIRMA_CANCELAR};
const PrinterControls SERVER_PRINTER_CONTROLS = {
    IDC_SERVER_IMPRESORAS_LIST, IDC_SERVER_USAR_NOMBRE,      IDC_SERVER_USAR_PUERTO,
    IDC_SERVER_CONFIRMA_NOMBRE, IDC_SERVER_CONFIRMA_ACEPTAR, IDC_SERVER_CONFIRMA_CANCELAR};

namespace {

const char PRINTERS_KEY[] = "System\\CurrentControlSet\\Control\\Print\\Printers";

void AddPrinterLine(HWND listBox, HKEY printers, const char* subkey)
{
    RegKey printer;
    if (!printer.Open(printers, subkey, KEY_READ))
        return;
    char name[PRINTER_VALUE_SIZE];
    lstrcpynA(name, subkey, sizeof name);
    QueryRegText(printer.handle, "Name", name, sizeof name);
    // Without a port the line repeats the name, which the printing side
    // matches as well as a port.
    char port[PRINTER_VALUE_SIZE];
    std::memcpy(port, name, sizeof port);
    QueryRegText(printer.handle, "Port", port, sizeof port);
    char line[PRINTER_LINE_SIZE];
    ComposePrinterLine(line, sizeof line, name, port);
    SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
}

}  // namespace

void FillPrinterList(HWND listBox)
{
    SendMessageA(listBox, LB_RESETCONTENT, 0, 0);
    SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(DEFAULT_PRINTER_LINE));
    RegKey printers;
    if (!printers.Open(HKEY_LOCAL_MACHINE, PRINTERS_KEY, KEY_READ))
        return;
    for (DWORD index = 0;; ++index) {
        char subkey[PRINTER_VALUE_SIZE];
        DWORD length = sizeof subkey;
        if (RegEnumKeyExA(printers.handle, index, subkey, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        AddPrinterLine(listBox, printers.handle, subkey);
    }
}

namespace {

int IsChecked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

// The selected line; 0 without a selection. A line longer than the buffer
// is taken whole into a larger one first: LB_GETTEXT knows no bounds.
int TakeSelectedLine(HWND list, char (&line)[PRINTER_LINE_SIZE])
{
    LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR)
        return 0;
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, selected, 0);
    if (length == LB_ERR || length >= PRINTER_LINE_SIZE)
        return 0;
    SendMessageA(list, LB_GETTEXT, selected, reinterpret_cast<LPARAM>(line));
    return 1;
}

typedef char Choice[PRINTER_CHOICE_SIZE];

Choice& ChoiceOf(HWND dialog)
{
    return *reinterpret_cast<Choice*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void ChooseLine(HWND dialog)
{
    Choice& choice = ChoiceOf(dialog);
    char line[PRINTER_LINE_SIZE];
    if (!TakeSelectedLine(GetDlgItem(dialog, profile.printer->list), line))
        return;
    if (!IsChecked(dialog, profile.printer->useName)) {
        // Reduced before it is cut to the choice, so that a long line keeps its port.
        ReduceToPort(line);
        CopyText(choice, line);
        EndDialog(dialog, 1);
        return;
    }
    CopyText(choice, line);
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
    if (DialogBoxParamA(instance, IDD_CONFIRMADSP, dialog, ConfirmaDspDialogProc,
                        reinterpret_cast<LPARAM>(&choice)) != 0)
        EndDialog(dialog, 1);
}

}  // namespace

INT_PTR CALLBACK ImpresorasDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
        FillPrinterList(GetDlgItem(dialog, profile.printer->list));
        CheckDlgButton(dialog, profile.printer->useName, BST_CHECKED);
        CheckDlgButton(dialog, profile.printer->usePort, BST_UNCHECKED);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        // The two radio buttons sit in groups of their own: the dialog keeps
        // them exclusive.
        if (id == profile.printer->useName && code == BN_CLICKED) {
            if (IsChecked(dialog, profile.printer->useName))
                CheckDlgButton(dialog, profile.printer->usePort, BST_UNCHECKED);
            return TRUE;
        }
        if (id == profile.printer->usePort && code == BN_CLICKED) {
            if (IsChecked(dialog, profile.printer->usePort))
                CheckDlgButton(dialog, profile.printer->useName, BST_UNCHECKED);
            return TRUE;
        }
        if (id == profile.printer->list && code == LBN_DBLCLK) {
            ChooseLine(dialog);
            return TRUE;
        }
        if (id == IDCANCEL || id == 1002) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    }
    return FALSE;
}

INT_PTR CALLBACK ConfirmaDspDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
        ReduceToName(ChoiceOf(dialog));
        SendDlgItemMessageA(dialog, profile.printer->nameEdit, EM_LIMITTEXT, PRINTER_CHOICE_SIZE - 1, 0);
        SetDlgItemTextA(dialog, profile.printer->nameEdit, ChoiceOf(dialog));
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == profile.printer->accept) {
            GetDlgItemTextA(dialog, profile.printer->nameEdit, ChoiceOf(dialog), PRINTER_CHOICE_SIZE);
            EndDialog(dialog, 1);
            return TRUE;
        }
        if (id == profile.printer->cancel || id == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    }
    return FALSE;
}

INT_PTR ChoosePrinter(HWND dialog, int nameEdit, AppParams& record, char (&choice)[PRINTER_CHOICE_SIZE])
{
    INT_PTR result = DialogBoxParamA(hInstance, IDD_IMPRESORAS, dialog, ImpresorasDialogProc,
                                     reinterpret_cast<LPARAM>(&choice));
    if (result == 1) {
        SetDlgItemTextA(dialog, nameEdit, choice);
        CopyText(record.directaNombre, choice);
    }
    return result;
}
