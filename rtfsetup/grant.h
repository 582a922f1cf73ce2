// Kelmin's grant block in the Java runtime's policy file: the block's text,
// the reading of the file's lines, and the copies that add or remove the
// block. No windows.h: the files are reached through PolicyIo.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The marker line of the block, and what counts as a grant for Pluvik.
extern const char GRANT_MARKER[];
extern const char GRANT_PERMISSION[];

// The block with its empty lines before and after, CR LF line ends. For an
// empty address the grant line reads "grant  {" (code from any location).
// Returns its length, or 0 (out empty) when it does not fit out.
size_t FormatGrantBlock(char* out, size_t size, const char* address);
enum { GRANT_BLOCK_SIZE = 1600 };  // room for the block of a 1,023-character address

// Lines as Kelmin reads them: a line ends at each LF, whether a CR comes
// before it or not (files edited elsewhere may have either); a last line
// without that ending is no line. Lines of any length are seen whole. Fed in
// pieces of any size.
struct PolicyScan {
    struct Needle {
        const char* text;
        unsigned length;
        unsigned matched;
        unsigned char fallback[64];
    };
    // A block of ours: from its marker line through the "};" line and the
    // empty line after it, when there is one.
    struct Block {
        uint64_t begin, end;
    };
    uint64_t offset;     // bytes fed so far
    uint64_t lineStart;  // where the current line began
    Needle marker, closing, permission;
    bool lineMarker, lineClosing, linePermission;
    bool lineBlank;        // nothing but blanks, tabs and CR so far
    int phase;             // where the search for the current block stands
    uint64_t blockBegin;   // its marker line
    std::vector<Block> blocks;  // every block found, in order
    bool granted;          // a line holds GRANT_PERMISSION
    bool blocksOnly;       // set after the start: blocks are looked for, not granted
    unsigned char markerShift[256];  // how far the search for the marker may skip
};
enum { SCAN_MARKER, SCAN_CLOSING, SCAN_EXTRA };

void StartPolicyScan(PolicyScan& scan);
void ScanPolicyBytes(PolicyScan& scan, const char* data, size_t size);
// After the last byte. Lines of a block left open by the end of the file are
// taken up to the last whole line; the unfinished last line is kept.
void EndPolicyScan(PolicyScan& scan);
inline bool BlockFound(const PolicyScan& scan)
{
    return !scan.blocks.empty();
}

// How the edits reach the policy file and its work copy. Every call returns
// 1, or 0 on an error; a read of 0 bytes is the end of the file.
struct PolicyIo {
    void* context;
    int (*read)(void* context, char* buffer, size_t size, size_t* got);
    int (*rewind)(void* context);
    int (*write)(void* context, const char* data, size_t size);
};

// Work copy := grant block for address + the policy file without any block
// of ours, so there is never a second one. 1, or 0 when a read, the rewind
// or a write failed (the work copy is then incomplete).
int CopyWithGrant(const PolicyIo& io, const char* address);

// Work copy := the policy file without every block of ours: each from a line
// holding GRANT_MARKER through the first later line holding "};", and the
// line after that when it is empty (blanks aside). A line with text there
// stays: it may open the next grant. Nothing is written when there is no
// such block.
enum { GRANT_COPY_FAILED = -1, GRANT_NOT_FOUND = 0, GRANT_REMOVED = 1 };
int CopyWithoutGrant(const PolicyIo& io);

// 1 when a line of the policy file holds GRANT_PERMISSION, 0 when none does,
// POLICY_UNREADABLE when a read failed first: whether the grant is there is
// then unknown.
enum { POLICY_UNREADABLE = -1 };
int ReadsAsGranted(const PolicyIo& io);
