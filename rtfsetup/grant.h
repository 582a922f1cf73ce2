// Kelmin's grant block in the Java runtime's policy file: the block's text,
// the reading of the file's lines, and the copies that add or remove the
// block. No windows.h: the files are reached through PolicyIo.
#pragma once

#include <cstddef>
#include <cstdint>

// The marker line of the block, and what counts as a grant for Pluvik.
extern const char GRANT_MARKER[];
extern const char GRANT_PERMISSION[];

// The block with its empty lines before and after, CR LF line ends. For an
// empty address the grant line reads "grant  {" (code from any location).
// Returns its length, or 0 (out empty) when it does not fit out.
size_t FormatGrantBlock(char* out, size_t size, const char* address);
enum { GRANT_BLOCK_SIZE = 1600 };  // room for the block of a 1,023-character address

// Lines as Kelmin reads them: a line ends at the first LF that comes after a
// CR anywhere earlier in the same line; a last line without that ending is no
// line. Lines of any length are seen whole. Fed in pieces of any size.
struct PolicyScan {
    struct Needle {
        const char* text;
        unsigned length;
        unsigned matched;
        unsigned char fallback[64];
    };
    uint64_t offset;     // bytes fed so far
    uint64_t lineStart;  // where the current line began
    bool crSeen;         // a CR earlier in the current line
    Needle marker, closing, permission;
    bool lineMarker, lineClosing, linePermission;
    int phase;             // where the search for the block stands
    uint64_t blockBegin;   // the marker line
    uint64_t blockEnd;     // after the line that follows the "};" line
    bool granted;          // a line holds GRANT_PERMISSION
};
enum { SCAN_MARKER, SCAN_CLOSING, SCAN_EXTRA, SCAN_DONE };

void StartPolicyScan(PolicyScan& scan);
void ScanPolicyBytes(PolicyScan& scan, const char* data, size_t size);
// After the last byte. Lines of a block left open by the end of the file are
// taken up to the last whole line; the unfinished last line is kept.
void EndPolicyScan(PolicyScan& scan);
inline bool BlockFound(const PolicyScan& scan)
{
    return scan.phase != SCAN_MARKER;
}

// How the edits reach the policy file and its work copy. Every call returns
// 1, or 0 on an error; a read of 0 bytes is the end of the file.
struct PolicyIo {
    void* context;
    int (*read)(void* context, char* buffer, size_t size, size_t* got);
    int (*rewind)(void* context);
    int (*write)(void* context, const char* data, size_t size);
};

// Work copy := grant block for address + the whole policy file. 1, or 0 when
// a read or a write failed (the work copy is then incomplete).
int CopyWithGrant(const PolicyIo& io, const char* address);

// Work copy := the policy file without its first block: from the first line
// holding GRANT_MARKER through the first later line holding "};" and one line
// more. Nothing is written when there is no such line.
enum { GRANT_COPY_FAILED = -1, GRANT_NOT_FOUND = 0, GRANT_REMOVED = 1 };
int CopyWithoutGrant(const PolicyIo& io);

// 1 when a line of the policy file holds GRANT_PERMISSION; 0 when none does
// or the file cannot be read.
int ReadsAsGranted(const PolicyIo& io);
