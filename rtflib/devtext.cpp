#include "devtext.h"

#include <cstdint>
#include <cstring>

int CopyJavaText(char* buffer, const signed char* bytes, long length, bool upper)
{
    buffer[0] = '\0';
    if (bytes == nullptr || length < 0)
        length = 0;
    // A client may send its text with a terminating zero: the text ends there.
    size_t size = 0;
    while (size < static_cast<size_t>(length) && bytes[size] != 0)
        ++size;
    if (size > TEXT_SIZE - 1)
        return 0;
    for (size_t i = 0; i < size; ++i) {
        char c = static_cast<char>(bytes[i]);
        buffer[i] = (upper && c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    buffer[size] = '\0';
    return 1;
}

int IsDefaultPrinterText(const char* text)
{
    char start[4];
    for (int i = 0; i < 3; ++i) {
        char c = text[i];
        if (c == '\0')
            return 0;
        start[i] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    start[3] = '\0';
    return std::strcmp(start, "PRN") == 0;
}

int ContainsNoCase(const char* sought, const char* searched, CompareNoCase compare)
{
    size_t length = std::strlen(sought);
    size_t total = std::strlen(searched);
    if (length > TEXT_SIZE - 1)
        return 0;
    char window[TEXT_SIZE];
    for (size_t p = 0; p + length <= total; ++p) {
        std::memcpy(window, searched + p, length);
        window[length] = '\0';
        if (compare(window, sought) == 0)
            return 1;
    }
    return 0;
}

int CopyWhole(char* buffer, size_t size, const char* text)
{
    size_t length = std::strlen(text);
    if (size == 0)
        return 0;
    if (length >= size) {
        buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, text, length + 1);
    return 1;
}

int DeviceOfPrinter(char* device, size_t size, const char* server, const char* printer, const char* port)
{
    if (size == 0)
        return 0;
    device[0] = '\0';
    if (server == nullptr || server[0] == '\0')
        return port != nullptr && port[0] != '\0' && CopyWhole(device, size, port);
    if (printer == nullptr || printer[0] == '\0')
        return 0;
    // A connection to a shared printer already names it "\\server\printer";
    // the server alone in front of it would name nothing.
    if (printer[0] == '\\' && printer[1] == '\\')
        return CopyWhole(device, size, printer);
    size_t serverLength = std::strlen(server);
    bool separator = server[serverLength - 1] != '\\';
    size_t total = serverLength + (separator ? 1 : 0) + std::strlen(printer);
    if (total >= size)
        return 0;
    std::memcpy(device, server, serverLength);
    if (separator)
        device[serverLength++] = '\\';
    std::strcpy(device + serverLength, printer);
    return 1;
}

void CutAtComma(char* entry)
{
    if (char* comma = std::strchr(entry, ','))
        *comma = '\0';
}

void TranslateBytes(char* block, unsigned length, const unsigned char table[256], bool asciiUnchanged)
{
    unsigned i = 0;
    if (asciiUnchanged) {
        const uint64_t high = 0x8080808080808080ull;
        for (; i + 8 <= length; i += 8) {
            uint64_t word;
            std::memcpy(&word, block + i, sizeof word);
            if ((word & high) == 0)
                continue;
            for (unsigned j = i; j < i + 8; ++j)
                block[j] = static_cast<char>(table[static_cast<unsigned char>(block[j])]);
        }
    }
    for (; i < length; ++i)
        block[i] = static_cast<char>(table[static_cast<unsigned char>(block[i])]);
}

StreamResult StreamChunks(const ChunkIo& io, char* block)
{
    for (;;) {
        unsigned got = 0;
        if (!io.read(io.context, block, CHUNK_SIZE, &got) || got > CHUNK_SIZE)
            return STREAM_READ_FAILED;
        if (got == 0)
            return STREAM_DONE;
        io.convert(io.context, block, got);
        // A share may read short before the end: only a read of nothing ends it.
        if (!io.write(io.context, block, got))
            return STREAM_WRITE_FAILED;
    }
}
