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

// Files are read and copied in pieces of CHUNK bytes.
enum { CHUNK = 1 << 20 };
char buffer[CHUNK];

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

void CloseBlock(PolicyScan& scan, uint64_t end)
{
    scan.blocks.push_back({scan.blockBegin, end});
    scan.phase = SCAN_MARKER;
}

void EndLine(PolicyScan& scan, uint64_t end)
{
    if (scan.linePermission)
        scan.granted = true;
    // The empty line after a block goes with it. A line with text there was
    // put right after the block by hand: it stays, and is looked at like any
    // other, as it may open the next block.
    if (scan.phase == SCAN_EXTRA)
        CloseBlock(scan, scan.lineBlank ? end : scan.lineStart);
    if (scan.phase == SCAN_MARKER && scan.lineMarker) {
        scan.blockBegin = scan.lineStart;
        scan.phase = SCAN_CLOSING;
    } else if (scan.phase == SCAN_CLOSING && scan.lineClosing) {
        scan.phase = SCAN_EXTRA;
    }
    scan.lineStart = end;
    scan.lineBlank = true;
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
    StartNeedle(scan.marker, GRANT_MARKER);
    const unsigned length = scan.marker.length;
    for (unsigned char& shift : scan.markerShift)
        shift = static_cast<unsigned char>(length);
    for (unsigned k = 0; k + 1 < length; ++k)
        scan.markerShift[static_cast<unsigned char>(GRANT_MARKER[k])] = static_cast<unsigned char>(length - 1 - k);
    StartNeedle(scan.closing, CLOSING);
    StartNeedle(scan.permission, GRANT_PERMISSION);
    scan.lineMarker = scan.lineClosing = scan.linePermission = false;
    scan.lineBlank = true;
    scan.phase = SCAN_MARKER;
    scan.blockBegin = 0;
    scan.blocks.clear();
    scan.granted = false;
    scan.blocksOnly = false;
}

namespace {

// Where the line holding data[at - 1] began: after the last LF before it in
// data[from, at), else where the scan last saw a line begin.
uint64_t LineStartBefore(const PolicyScan& scan, const char* data, size_t from, size_t at)
{
    for (size_t k = at; k > from; --k)
        if (data[k - 1] == '\n')
            return scan.offset + k;
    return scan.lineStart;
}

size_t MarkerLineBegun(PolicyScan& scan, const char* data, size_t from, size_t at)
{
    scan.lineStart = LineStartBefore(scan, data, from, at);
    scan.lineMarker = true;
    scan.lineBlank = false;
    return at;
}

// Between blocks, when only blocks are looked for, nothing but the marker
// matters: it is searched for by skipping (Horspool), and a line start is
// looked up only when it is found. Returns where to go on, with the marker
// line then begun.
size_t SkipToMarker(PolicyScan& scan, const char* data, size_t from, size_t size)
{
    PolicyScan::Needle& marker = scan.marker;
    const size_t length = marker.length;
    size_t i = from;
    // A match begun in the previous piece is finished byte by byte.
    while (i < size && marker.matched > 0)
        if (StepNeedle(marker, data[i++]))
            return MarkerLineBegun(scan, data, from, i);
    for (size_t at = i; at + length <= size;) {
        if (std::memcmp(data + at, marker.text, length) == 0) {
            marker.matched = marker.fallback[length - 1];
            return MarkerLineBegun(scan, data, from, at + length);
        }
        at += scan.markerShift[static_cast<unsigned char>(data[at + length - 1])];
    }
    // What the piece ends with may begin a match: the state is that of the
    // last bytes, shorter than the marker.
    for (size_t k = size - i >= length ? size - length + 1 : i; k < size; ++k)
        StepNeedle(marker, data[k]);
    scan.lineStart = LineStartBefore(scan, data, from, size);
    return size;
}

}  // namespace

void ScanPolicyBytes(PolicyScan& scan, const char* data, size_t size)
{
    for (size_t i = 0; i < size; ++i) {
        if (scan.blocksOnly && scan.phase == SCAN_MARKER && !scan.lineMarker) {
            i = SkipToMarker(scan, data, i, size);
            if (i == size)
                break;
        }
        char c = data[i];
        if (c == '\n') {
            EndLine(scan, scan.offset + i + 1);
            continue;
        }
        if (c != ' ' && c != '\t' && c != '\r')
            scan.lineBlank = false;
        scan.lineMarker |= StepNeedle(scan.marker, c);
        scan.lineClosing |= StepNeedle(scan.closing, c);
        scan.linePermission |= StepNeedle(scan.permission, c);
    }
    scan.offset += size;
}

void EndPolicyScan(PolicyScan& scan)
{
    if (scan.phase != SCAN_MARKER)
        CloseBlock(scan, scan.lineStart);
}

namespace {

// The first pass: every block of ours. 0 on a read error.
int ScanBlocks(const PolicyIo& io, PolicyScan& scan)
{
    StartPolicyScan(scan);
    scan.blocksOnly = true;
    for (;;) {
        size_t got = 0;
        if (!io.read(io.context, buffer, sizeof buffer, &got))
            return 0;
        if (got == 0)
            break;
        ScanPolicyBytes(scan, buffer, got);
    }
    EndPolicyScan(scan);
    return 1;
}

// The second pass, from the start again: everything outside the blocks is
// copied as it stands.
int CopyOutsideBlocks(const PolicyIo& io, const PolicyScan& scan)
{
    if (!io.rewind(io.context))
        return 0;
    const std::vector<PolicyScan::Block>& blocks = scan.blocks;
    size_t next = 0;  // the first block not yet passed
    uint64_t at = 0;
    for (;;) {
        size_t got = 0;
        if (!io.read(io.context, buffer, sizeof buffer, &got))
            return 0;
        if (got == 0)
            return 1;
        const uint64_t end = at + got;
        uint64_t from = at;
        while (from < end) {
            if (next < blocks.size() && blocks[next].begin <= from) {
                if (blocks[next].end > end)
                    break;  // the block goes on in the next piece
                from = blocks[next++].end;
                continue;
            }
            uint64_t keepTo = next < blocks.size() && blocks[next].begin < end ? blocks[next].begin : end;
            if (!WriteText(io, buffer + (from - at), keepTo - from))
                return 0;
            from = keepTo;
        }
        at = end;
    }
}

}  // namespace

int CopyWithGrant(const PolicyIo& io, const char* address)
{
    char block[GRANT_BLOCK_SIZE];
    size_t length = FormatGrantBlock(block, sizeof block, address);
    PolicyScan scan;
    bool copied = length > 0 && ScanBlocks(io, scan) && WriteText(io, block, length) && CopyOutsideBlocks(io, scan);
    return copied ? 1 : 0;
}

int CopyWithoutGrant(const PolicyIo& io)
{
    PolicyScan scan;
    if (!ScanBlocks(io, scan))
        return GRANT_COPY_FAILED;
    if (!BlockFound(scan))
        return GRANT_NOT_FOUND;
    return CopyOutsideBlocks(io, scan) ? GRANT_REMOVED : GRANT_COPY_FAILED;
}

int ReadsAsGranted(const PolicyIo& io)
{
    PolicyScan scan;
    StartPolicyScan(scan);
    while (!scan.granted) {
        size_t got = 0;
        if (!io.read(io.context, buffer, sizeof buffer, &got))
            return POLICY_UNREADABLE;
        if (got == 0)
            break;
        ScanPolicyBytes(scan, buffer, got);
    }
    return scan.granted ? 1 : 0;
}
