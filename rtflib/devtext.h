// The printing call's texts and copy loop, without windows.h: bounded copies
// of the Java arrays, printer-name matching, the device of a printer record
// and the chunked transfer. The Win32 side passes in the system's functions.
#pragma once

#include <cstddef>

enum {
    TEXT_SIZE = 512,      // file path, printer text, device name: 511 bytes and the zero
    PROFILE_SIZE = 250,   // "device" entry of the profile's "windows" section
    CHUNK_SIZE = 10240    // transfer block
};

// Copies the text held in a Java byte array (bytes up to the first zero, or
// all of them) into buffer[TEXT_SIZE] and terminates it; upper set turns a-z
// into A-Z and leaves every other byte alone. Returns 0 with buffer empty
// when the text does not fit: it is refused, never cut.
int CopyJavaText(char* buffer, const signed char* bytes, long length, bool upper);

// "PRN" in any case at the start of the printer text: the default printer.
int IsDefaultPrinterText(const char* text);

// Case-insensitive comparison of two zero-terminated texts, 0 when equal
// (the system's lstrcmpiA on Windows).
typedef int (*CompareNoCase)(const char* a, const char* b);

// 1 when sought occurs in searched, comparing each window of sought's length
// with compare. An empty text sought is found in any text. A text sought
// longer than TEXT_SIZE - 1 is never found (the windows are copied into a
// TEXT_SIZE buffer).
int ContainsNoCase(const char* sought, const char* searched, CompareNoCase compare);

// Device of a printer record into device[size]. Without a server name the
// port. With one, a name the system can open: the printer name when it
// already carries the server ("\\server\printer"), otherwise the server name,
// a backslash and the printer name. 0 (device empty) when there is no
// device or it does not fit.
int DeviceOfPrinter(char* device, size_t size, const char* server, const char* printer, const char* port);

// Cuts a profile "device" entry ("name,driver,port") at its first comma.
void CutAtComma(char* entry);

// Copies text into buffer[size], terminated; 0 (buffer empty) when it does
// not fit.
int CopyWhole(char* buffer, size_t size, const char* text);

// Converts length bytes in place through a table of all 256 byte values.
// With asciiUnchanged (the table maps 0-127 to themselves) runs of ASCII are
// skipped eight bytes at a time.
void TranslateBytes(char* block, unsigned length, const unsigned char table[256], bool asciiUnchanged);

// The transfer of a file to a device through one block of CHUNK_SIZE bytes.
struct ChunkIo {
    void* context;
    // Reads up to size bytes; 0 on a read error. *got is 0 at the end.
    int (*read)(void* context, char* block, unsigned size, unsigned* got);
    // Converts length bytes in place.
    void (*convert)(void* context, char* block, unsigned length);
    // Writes length bytes; 0 unless all of them were written.
    int (*write)(void* context, const char* block, unsigned length);
};

enum StreamResult { STREAM_DONE, STREAM_READ_FAILED, STREAM_WRITE_FAILED };

// Reads chunks of up to CHUNK_SIZE bytes, converts and writes each one,
// until a read of 0 bytes.
StreamResult StreamChunks(const ChunkIo& io, char* block);
