// Lines of the printer list and their reduction to a printer name or port.
// No windows.h: this builds natively too.
#pragma once

#include <cstddef>

// Registry texts are read into buffers of this many characters.
enum { PRINTER_VALUE_SIZE = 1024 };
// A list line: name + " (Puerto: " + port + ")", both cut to their buffers.
enum { PRINTER_LINE_SIZE = 2 * PRINTER_VALUE_SIZE + 16 };
// The chosen text handed back to the caller.
enum { PRINTER_CHOICE_SIZE = 2048 };

extern const char DEFAULT_PRINTER_LINE[];  // "Predeterminada", first line of the list
extern const char PORT_MARK[];             // "(Puerto: "

// Builds the list line of a printer into line (cut to size, always terminated).
void ComposePrinterLine(char* line, size_t size, const char* name, const char* port);

// "Predeterminada" becomes "PRN"; otherwise the text after the first
// "(Puerto: " without its last character (the closing ")"). A text without
// the mark is left as it is.
void ReduceToPort(char* text);

// "Predeterminada" becomes "PRN"; otherwise the text is cut where the first
// "(Puerto: " begins, keeping the name and the blank before the parenthesis.
void ReduceToName(char* text);
