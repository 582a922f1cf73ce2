// Choosing the direct printer: the IMPRESORAS list of the printers installed
// on this machine and the CONFIRMADSP question for the name.
#pragma once

#include <windows.h>

#include "printtext.h"
#include "record.h"

// Control identifiers of the two dialogs; the server configurator numbers
// them differently (profile.printer).
struct PrinterControls {
    int list, useName, usePort;
    int nameEdit, accept, cancel;
};
extern const PrinterControls TERMINAL_PRINTER_CONTROLS;
extern const PrinterControls SERVER_PRINTER_CONTROLS;

// Empties the list box and adds "Predeterminada" and a line per printer of
// the registry's Printers key.
void FillPrinterList(HWND listBox);

// IMPRESORAS, lParam a char[PRINTER_CHOICE_SIZE]: ends with 1 when a printer
// was chosen, the line reduced to a printer name or port in that buffer; 0
// when closed. Opens CONFIRMADSP itself.
INT_PTR CALLBACK ImpresorasDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// CONFIRMADSP, lParam the same buffer holding the line: ends with 1 and the
// edited name in it, or 0.
INT_PTR CALLBACK ConfirmaDspDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// What the editors' ">>" button does: opens IMPRESORAS owned by dialog and,
// when a printer was chosen, puts it into choice, the edit nameEdit and
// record.directaNombre (cut to the field). Returns the dialog's result.
INT_PTR ChoosePrinter(HWND dialog, int nameEdit, AppParams& record, char (&choice)[PRINTER_CHOICE_SIZE]);
