// Choosing the direct printer: the IMPRESORAS list of the printers installed
// on this machine and the CONFIRMADSP question for the name.
#pragma once

#include <windows.h>

#include "printtext.h"
#include "record.h"

// The chosen line, reduced to a printer name or port; read by the caller
// when IMPRESORAS ends with 1.
extern char printerChoice[PRINTER_CHOICE_SIZE];

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

// Reduces printerChoice from a list line to the printer's port.
void PortFromPrinterText();

// IMPRESORAS: ends with 1 when a printer was chosen (printerChoice holds it),
// 0 when closed. Opens CONFIRMADSP itself.
INT_PTR CALLBACK ImpresorasDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// CONFIRMADSP: ends with 1 and the edited name in printerChoice, or 0.
INT_PTR CALLBACK ConfirmaDspDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// What the editors' ">>" button does: opens IMPRESORAS owned by dialog and,
// when a printer was chosen, puts it into the edit nameEdit and into
// record.directaNombre (cut to the field). Returns the dialog's result.
INT_PTR ChoosePrinter(HWND dialog, int nameEdit, AppParams& record);
