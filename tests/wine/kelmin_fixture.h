// Set-up shared by the Kelmin tests: a registered Java runtime with its
// policy file, a library to install, the system directory's copy, the
// DLLRTF key, and faults to inject into the files Kelmin writes.
#pragma once

#include <windows.h>

#include <string>

#include "fixtures.h"
#include "policyfix.h"

namespace kelmin {

extern const char DLL_KEY[];  // SOFTWARE\VONDRA\DLLRTF

using policyfix::Block;
using policyfix::LfOnly;
using policyfix::STOCK_POLICY;

using fixture::ReadAll;
void WriteAll(const std::string& path, const std::string& bytes);
// A directory entry of that name exists (also a link whose target is no file).
bool EntryExists(const std::string& path);

std::string InstalledLibrary();  // system directory + "\Pluvik.DLL"
// The 64-bit system32's Pluvik.DLL, named through drive Z: so that no
// redirection of this 32-bit program stands between.
std::string NativeLibrary();

// No SOFTWARE\VONDRA key, no library in either system directory.
void ClearInstallation();

// A new runtime home with LIB\SECURITY\JAVA.POLICY holding policy; with a
// trailing '\'. Registered as version when version is not null.
std::string NewJre(const char* version, const std::string& policy);
// A 64-bit runtime of Java 9 or later: its launcher, a release file, an
// empty lib\security, conf\security\java.policy holding policy (none when
// null, as from Java 24 on); registered in the 64-bit view. With a '\'.
std::string NewRuntime(const char* version, const char* policy);
// A new directory holding Pluvik.DLL with these bytes and a Pluvik64.DLL of
// its own; with a trailing '\'.
std::string NewSource(const std::string& library);
// Bytes that look like a small library, different for each seed.
std::string LibraryBytes(int seed, size_t size = 40000);

// No work file of a whole-file replacement (~*) is left in dir.
bool NoWorkFiles(const std::string& dir);
std::string SystemDir();  // with a trailing '\'

// These tests run with file writes limited as on a nearly full disk
// (limited-run): a file larger than that limit, prepared before the limit
// took effect, is put in place of path as a hard link, so that rewriting or
// copying it fails part-way. Its bytes are returned ("" on failure).
std::string PutTooLargeFile(const std::string& path);

// HKLM\SOFTWARE\VONDRA made volatile (and empty), so no non-volatile key
// can be created below it: RestoreVondraKey undoes it.
bool MakeVondraKeyVolatile();
void RestoreVondraKey();

}  // namespace kelmin
