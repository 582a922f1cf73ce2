// A Java runtime of the workstation: what it is (version, bits), what it
// reads (extension directory, policy file) and which one of several the
// installers use. The registry and the files are read elsewhere; this only
// reads their texts. No windows.h: this builds natively too.
#pragma once

#include <cstddef>

#include "paths.h"

enum { RUNTIME_VERSION_SIZE = 64, RUNTIME_ORIGIN_SIZE = 160 };

// Why a runtime was chosen.
enum { CHOSEN_NEWEST = 0, CHOSEN_PINNED = 1 };

struct Runtime {
    char home[PATH_SIZE];                  // no trailing '\'
    char version[RUNTIME_VERSION_SIZE];    // as the runtime or its key says it
    int feature;                           // 8 for "1.8.0_212", 17 for "17.0.13"; 0 unknown
    int bits;                              // 32 or 64
    int chosen;                            // CHOSEN_NEWEST or CHOSEN_PINNED
    char origin[RUNTIME_ORIGIN_SIZE];      // where it was found (a key, JAVA_HOME, ...)
};

// What the runtime reads, by its feature release.
// Java 8 and older: lib\ext and lib\security\java.policy, the client's
// libraries through the extension directory. From 9 the extension
// directory stops the runtime from starting at all; the policy file moved
// to conf\security; from 24 there is no policy file and nothing to grant.
inline bool UsesExtensionDir(const Runtime& runtime) { return runtime.feature <= 8; }
inline bool ReadsPolicyFile(const Runtime& runtime) { return runtime.feature <= 23; }

// The feature release of a version text: "1.8.0_212", "1.8.0.212" and
// "1.8" are 8, "17.0.13", "17.0.13.11", "17" and "jdk-17.0.2+8" 17,
// "zulu-11" 11. 0 when the text holds no number.
int VersionFeature(const char* version);

// -1, 0 or 1 as a is older than, as new as, or newer than b. Versions of
// Java 8 and older compare as their registry names always have (a
// component 0 ends the comparison: "1.8" is as new as "1.8.0_201"); later
// ones number by number ("17.0.13" is newer than "17.0.2"); an empty text
// is older than any.
int CompareVersions(const char* a, const char* b);

// The values of a runtime's release file (KEY="value" lines).
struct ReleaseInfo {
    char version[RUNTIME_VERSION_SIZE];  // JAVA_VERSION, "" when missing
    char arch[32];                       // OS_ARCH, "" when missing
    char implementor[64];                // IMPLEMENTOR, "" when missing
};

// Reads a release file's text (size bytes, not terminated). 1 when it gave
// JAVA_VERSION; values too long for their buffers count as missing.
int ParseRelease(const char* text, size_t size, ReleaseInfo& out);

// 32 or 64 from an OS_ARCH text ("x86", "i586", "amd64", "x86_64",
// "aarch64"); 0 when unknown.
int ArchBits(const char* arch);

// 32 or 64 from the first size bytes of a program file (its PE header:
// i386 or x86-64/ARM64); 0 when they are no such header.
int PeBits(const unsigned char* bytes, size_t size);

// The runtime of several to use: the pinned one (pinnedIndex >= 0), else
// the newest version, 64-bit before 32-bit at an equal version, else the
// first listed. -1 when count is 0.
int ChooseRuntime(const Runtime* runtimes, size_t count, int pinnedIndex);

// "17.0.13 (64 bits)"
void DescribeRuntime(char (&out)[RUNTIME_VERSION_SIZE + 16], const Runtime& runtime);
