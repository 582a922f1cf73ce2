#include "grant.h"

#include <cstring>

const char GRANT_MARKER[] = "Permitir cargar Pluvik.DLL de OSTREL";
const char GRANT_PERMISSION[] = "loadLibrary.Pluvik";

namespace {

const char CLOSING[] = "};";
static_assert(sizeof GRANT_MARKER - 1 <= sizeof PolicyScan::Needle::fallback &&
                  sizeof GRANT_PERMISSION - 1 <= sizeof PolicyScan::Needle::fallback,
              "a needle longer than its fallback table");

// The Java client's side of the contract: these permissions, in this order.
const char BLOCK_HEAD[] =
    "\r\n"
    "// Permitir cargar Pluvik.DLL de OSTREL - NO EDITAR -\r\n"
    "grant ";
const char BLOCK_TAIL[] =
    " {\r\n"
    "   permission java.lang.RuntimePermission \"loadLibrary.Pluvik\";\r\n"
    "   permission java.awt.AWTPermission \"accessClipboard\";\r\n"
    "   permission java.io.FilePermission \"<<ALL FILES>>\", \"read, write, delete\";\r\n"
    "   permission java.util.PropertyPermission \"user.*\",\"read\";\r\n"
    "   permission java.security.SecurityPermission \"Security.createAccessControlContext\";\r\n"
    "   permission java.lang.RuntimePermission \"modifyThread\";\r\n"
    "   permission java.lang.RuntimePermission \"modifyThreadGroup\";\r\n"
    "};\r\n"
    "\r\n";

// Files are copied in pieces of CHUNK bytes. The block to remove is looked
// for in smaller pieces: it is usually at the top of the file.
enum { CHUNK = 1 << 20, SCAN_PIECE = 65536 };

void StartNeedle(PolicyScan::Needle& needle, const char* text)
{
    needle.text = text;
    needle.length = static_cast<unsigned>(std::strlen(text));
    needle.matched = 0;
    // fallback[i]: the longest proper prefix of text[0..i] that also ends it,
    // so a partial match carries on across pieces without looking back.
    needle.fallback[0] = 0;
    unsigned k = 0;
    for (unsigned i = 1; i < needle.length; ++i) {
        while (k > 0 && text[i] != text[k])
            k = needle.fallback[k - 1];
        if (text[i] == text[k])
            ++k;
        needle.fallback[i] = static_cast<unsigned char>(k);
    }
}

// Feeds one byte; true when the needle ends with it.
inline bool StepNeedle(PolicyScan::Needle& needle, char c)
{
    unsigned m = needle.matched;
    while (m > 0 && needle.text[m] != c)
        m = needle.fallback[m - 1];
    if (needle.text[m] == c)
        ++m;
    if (m == needle.length) {
        needle.matched = needle.fallback[m - 1];
        return true;
    }
    needle.matched = m;
    return false;
}

void EndLine(PolicyScan& scan, uint64_t end)
{
    if (scan.linePermission)
        scan.granted = true;
    switch (scan.phase) {
    case SCAN_MARKER:
        if (scan.lineMarker) {
            scan.blockBegin = scan.lineStart;
            scan.phase = SCAN_CLOSING;
        }
        break;
    case SCAN_CLOSING:
        if (scan.lineClosing)
            scan.phase = SCAN_EXTRA;
        break;
    case SCAN_EXTRA:
        scan.blockEnd = end;
        scan.phase = SCAN_DONE;
        break;
    }
    scan.lineStart = end;
    scan.crSeen = false;
    scan.lineMarker = scan.lineClosing = scan.linePermission = false;
    scan.marker.matched = scan.closing.matched = scan.permission.matched = 0;
}

bool WriteText(const PolicyIo& io, const char* text, size_t length)
{
    return length == 0 || io.write(io.context, text, length);
}

}  // namespace

size_t FormatGrantBlock(char* out, size_t size, const char* address)
{
    const char* pieces[] = {BLOCK_HEAD, "", "", "", BLOCK_TAIL};
    if (address[0] != '\0') {
        pieces[1] = "codeBase \"";
        pieces[2] = address;
        pieces[3] = "\"";
    }
    size_t used = 0;
    for (const char* piece : pieces) {
        size_t length = std::strlen(piece);
        if (length >= size - used) {
            if (size > 0)
                out[0] = '\0';
            return 0;
        }
        std::memcpy(out + used, piece, length);
        used += length;
    }
    out[used] = '\0';
    return used;
}

void StartPolicyScan(PolicyScan& scan)
{
    scan.offset = 0;
    scan.lineStart = 0;
    scan.crSeen = false;
    StartNeedle(scan.marker, GRANT_MARKER);
    StartNeedle(scan.closing, CLOSING);
    StartNeedle(scan.permission, GRANT_PERMISSION);
    scan.lineMarker = scan.lineClosing = scan.linePermission = false;
    scan.phase = SCAN_MARKER;
    scan.blockBegin = scan.blockEnd = 0;
    scan.granted = false;
}

void ScanPolicyBytes(PolicyScan& scan, const char* data, size_t size)
{
    for (size_t i = 0; i < size; ++i) {
        char c = data[i];
        if (c == '\n' && scan.crSeen) {
            EndLine(scan, scan.offset + i + 1);
            continue;
        }
        if (c == '\r')
            scan.crSeen = true;
        scan.lineMarker |= StepNeedle(scan.marker, c);
        scan.lineClosing |= StepNeedle(scan.closing, c);
        scan.linePermission |= StepNeedle(scan.permission, c);
    }
    scan.offset += size;
}

void EndPolicyScan(PolicyScan& scan)
{
    if (scan.phase == SCAN_CLOSING || scan.phase == SCAN_EXTRA) {
        scan.blockEnd = scan.lineStart;
        scan.phase = SCAN_DONE;
    }
}

int CopyWithGrant(const PolicyIo& io, const char* address)
{
    char block[GRANT_BLOCK_SIZE];
    size_t length = FormatGrantBlock(block, sizeof block, address);
    if (length == 0 || !WriteText(io, block, length))
        return 0;
    static char buffer[CHUNK];
    for (;;) {
        size_t got = 0;
        if (!io.read(io.context, buffer, sizeof buffer, &got))
            return 0;
        if (got == 0)
            return 1;
        if (!WriteText(io, buffer, got))
            return 0;
    }
}

int CopyWithoutGrant(const PolicyIo& io)
{
    static char buffer[CHUNK];
    PolicyScan scan;
    StartPolicyScan(scan);
    while (scan.phase != SCAN_DONE) {
        size_t got = 0;
        if (!io.read(io.context, buffer, SCAN_PIECE, &got))
            return GRANT_COPY_FAILED;
        if (got == 0)
            break;
        ScanPolicyBytes(scan, buffer, got);
    }
    EndPolicyScan(scan);
    if (!BlockFound(scan))
        return GRANT_NOT_FOUND;
    if (!io.rewind(io.context))
        return GRANT_COPY_FAILED;

    // Everything outside [blockBegin, blockEnd) is copied as it stands.
    uint64_t at = 0;
    for (;;) {
        size_t got = 0;
        if (!io.read(io.context, buffer, sizeof buffer, &got))
            return GRANT_COPY_FAILED;
        if (got == 0)
            return GRANT_REMOVED;
        uint64_t end = at + got;
        uint64_t keepTo = scan.blockBegin < end ? scan.blockBegin : end;
        if (at < keepTo && !WriteText(io, buffer, keepTo - at))
            return GRANT_COPY_FAILED;
        uint64_t keepFrom = scan.blockEnd > at ? scan.blockEnd : at;
        if (keepFrom < end && !WriteText(io, buffer + (keepFrom - at), end - keepFrom))
            return GRANT_COPY_FAILED;
        at = end;
    }
}

int ReadsAsGranted(const PolicyIo& io)
{
    static char buffer[CHUNK];
    PolicyScan scan;
    StartPolicyScan(scan);
    while (!scan.granted) {
        size_t got = 0;
        if (!io.read(io.context, buffer, sizeof buffer, &got) || got == 0)
            break;
        ScanPolicyBytes(scan, buffer, got);
    }
    return scan.granted ? 1 : 0;
}
