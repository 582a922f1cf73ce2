// Kelmin, the RTF library installer: program-wide declarations. Operations
// return 1 for success and 0 for failure.
#pragma once

#include "../base/base.h"
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

INT_PTR CALLBACK InicioDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DesinstDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
