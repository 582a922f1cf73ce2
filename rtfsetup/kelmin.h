// Kelmin, the RTF library installer: program-wide declarations. Operations
// return 1 for success and 0 for failure.
#pragma once

#include "../base/base.h"
#include "../base/cmdline.h"
#include "grant.h"
#include "jarurl.h"

// Private messages of INICIO. WM_SHOW_ERROR carries the error code 1 to 5;
// WM_REFRESH_STATE carries 1 on the first refresh, which looks for the JRE.
enum { WM_SHOW_ERROR = WM_USER + 100, WM_REFRESH_STATE = WM_USER + 101 };
static_assert(WM_SHOW_ERROR == 1124 && WM_REFRESH_STATE == 1125, "message numbers");

enum { DIR_SIZE = 1024, DLL_VERSION_SIZE = 50 };

// The version this program installs, written as the registry value "Version".
extern const char LIBRARY_VERSION[];

// The library: from source dir to the system directory, both as "Pluvik.DLL".
// CopyLibrary keeps an installed library in place unless the copy completes;
// a null sourceDir (no usable directory) fails.
int CopyLibrary(const char* sourceDir);
int DeleteLibrary();  // always 1
int LibraryInstalled();

// The grant block in jreHome\LIB\SECURITY\JAVA.POLICY. Add and remove leave
// the file either as it was or whole in its new form. HasPolicyGrant: 1, 0,
// or POLICY_UNREADABLE when the file is there but cannot be read.
enum { POLICY_PATH_SIZE = DIR_SIZE + 32 };
int ComposePolicyPath(char (&path)[POLICY_PATH_SIZE], const char* jreHome);
int AddPolicyGrant(const char* jreHome, const char* address);
int RemovePolicyGrant(const char* jreHome);
int HasPolicyGrant(const char* jreHome);

// HKEY_LOCAL_MACHINE\SOFTWARE\VONDRA\DLLRTF. A value that does not fit size
// (terminator included) or is no text counts as missing.
int ReadDllValue(const char* name, char* out, size_t size);
int WriteDllValue(const char* name, const char* text);
void RemoveDllKey();

// The error box of code (1 to 5, WM_SHOW_ERROR) and the undo of what the
// failed step left; the box telling that the policy file can't be read.
void ShowErrorCode(HWND owner, WPARAM code);
void ShowPolicyUnreadable(HWND owner);

// What this machine has: INSTALLED_WHOLE (version in installed, grant and
// library in place), INSTALLED_UNKNOWN (a version, but the policy file
// can't be read), or INSTALLED_NONE, a registration without its grant or
// its library being cleaned up first. Needs javaHome.
enum { INSTALLED_NONE, INSTALLED_WHOLE, INSTALLED_UNKNOWN };
int InstalledState(char (&installed)[DLL_VERSION_SIZE]);

// The library from source (null: none usable) with its grant for address,
// and its registration; an update first takes away the old registration
// and grant. 0, or the code of the error box (2 to 4) of the failed step.
int InstallLibrary(const char* source, const char* address, int update);

// An unattended run of the command line (parsed: what ParseCommandLine
// returned): its exit code.
int RunCommand(const CommandLine& command, int parsed);

INT_PTR CALLBACK InicioDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DesinstDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
