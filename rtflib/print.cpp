// ImpDir.ImpDir_RTF: a report file straight to a printer device, past the
// spooler, converted to the OEM code page that character printers use.
#include "ImpDir.h"
#include "pluvik.h"

namespace {

// The text of a Java array into buffer[TEXT_SIZE]; 0 when it is missing or
// too long, so the call refuses it instead of cutting a name.
int TakeText(JNIEnv* env, jbyteArray array, char* buffer, bool upper)
{
    buffer[0] = '\0';
    if (array == nullptr)
        return 0;
    jsize length = env->GetArrayLength(array);
    jbyte* bytes = env->GetByteArrayElements(array, nullptr);
    if (bytes == nullptr)
        return 0;
    int fits = CopyJavaText(buffer, bytes, length, upper);
    env->ReleaseByteArrayElements(array, bytes, JNI_ABORT);
    return fits;
}

struct Transfer {
    HANDLE file;
    HANDLE device;
    // A single-byte ANSI code page converts byte by byte: the system's
    // conversion of all 256 values once then converts every block the same,
    // at a fraction of the cost of converting each block anew.
    bool byTable;
    bool asciiUnchanged;
    unsigned char table[256];
};

void PrepareConversion(Transfer& transfer)
{
    CPINFO info;
    transfer.byTable = GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 1;
    transfer.asciiUnchanged = true;
    if (!transfer.byTable)
        return;
    for (int value = 0; value < 256; ++value)
        transfer.table[value] = static_cast<unsigned char>(value);
    char* table = reinterpret_cast<char*>(transfer.table);
    transfer.byTable = CharToOemBuffA(table, table, sizeof transfer.table) != 0;
    for (int value = 0; value < 128; ++value)
        transfer.asciiUnchanged = transfer.asciiUnchanged && transfer.table[value] == value;
}

int ReadChunk(void* context, char* block, unsigned size, unsigned* got)
{
    DWORD read = 0;
    BOOL ok = ReadFile(static_cast<Transfer*>(context)->file, block, size, &read, nullptr);
    *got = read;
    return ok != 0;
}

void ConvertChunk(void* context, char* block, unsigned length)
{
    auto* transfer = static_cast<Transfer*>(context);
    if (transfer->byTable)
        TranslateBytes(block, length, transfer->table, transfer->asciiUnchanged);
    else
        CharToOemBuffA(block, block, length);
}

int WriteChunk(void* context, const char* block, unsigned length)
{
    DWORD written = 0;
    return WriteFile(static_cast<Transfer*>(context)->device, block, length, &written, nullptr) && written == length;
}

}  // namespace

extern "C" JNIEXPORT jint JNICALL Java_ImpDir_ImpDir_1RTF(JNIEnv* env, jobject, jbyteArray file, jbyteArray printer)
{
    char path[TEXT_SIZE];
    char printerText[TEXT_SIZE];
    char device[TEXT_SIZE];
    int pathFits = TakeText(env, file, path, false);
    int printerFits = TakeText(env, printer, printerText, true);
    if (!printerFits || !ResolvePrinterDevice(printerText, device))
        return PRINT_NO_DEVICE;
    if (!pathFits)
        return PRINT_NO_FILE;

    Transfer transfer;
    transfer.file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    if (transfer.file == INVALID_HANDLE_VALUE)
        return PRINT_NO_FILE;
    // Not shared: a second job for the same device waits for this one.
    transfer.device = CreateFileA(device, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (transfer.device == INVALID_HANDLE_VALUE) {
        CloseHandle(transfer.file);
        return PRINT_NO_PORT;
    }
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, CHUNK_SIZE);
    char* block = memory != nullptr ? static_cast<char*>(GlobalLock(memory)) : nullptr;
    if (block == nullptr) {
        if (memory != nullptr)
            GlobalFree(memory);
        CloseHandle(transfer.device);
        CloseHandle(transfer.file);
        return PRINT_NO_MEMORY;
    }

    PrepareConversion(transfer);
    ChunkIo io = {&transfer, ReadChunk, ConvertChunk, WriteChunk};
    StreamResult result = StreamChunks(io, block);

    GlobalUnlock(memory);
    GlobalFree(memory);
    CloseHandle(transfer.device);
    CloseHandle(transfer.file);
    // A report that did not reach the printer whole stays for another try.
    if (result == STREAM_READ_FAILED)
        return PRINT_NO_FILE;
    if (result == STREAM_WRITE_FAILED)
        return PRINT_NO_PORT;
    DeleteFileA(path);
    return PRINT_SENT;
}
