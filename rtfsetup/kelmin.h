// Kelmin, the RTF library installer: program-wide declarations. Operations
// return 1 for success and 0 for failure.
#pragma once

#include "../base/base.h"
#include "../base/cmdline.h"
#include "grant.h"
#include "jarurl.h"

// Private messages of INICIO. WM_SHOW_ERROR carries the error code 1 to 5;
// WM_REFRESH_STATE carries 1 on the first refresh, which finds the runtime.
enum { WM_SHOW_ERROR = WM_USER + 100, WM_REFRESH_STATE = WM_USER + 101 };
static_assert(WM_SHOW_ERROR == 1124 && WM_REFRESH_STATE == 1125, "message numbers");

enum { DIR_SIZE = 1024, DLL_VERSION_SIZE = 50 };

// The version this program installs, written as the registry value "Version".
extern const char LIBRARY_VERSION[];

// The library a runtime of bits (32 or 64) loads, installed as "Pluvik.DLL":
// for 32, Pluvik.DLL from the source dir into the system directory; for 64,
// Pluvik64.DLL into the 64-bit one (%windir%\Sysnative, as this program is
// 32-bit). CopyLibrary keeps an installed library in place unless the copy
// completes; a null sourceDir (no usable directory) fails.
const char* LibrarySourceName(int bits);
int CopyLibrary(const char* sourceDir, int bits);
int DeleteLibrary(int bits);  // 1 when no library is left (or none was there)
int LibraryInstalled(int bits);

// The grant block in the runtime's policy file: LIB\SECURITY\JAVA.POLICY up
// to Java 8, conf\security\java.policy from 9 to 23; from 24 there is none
// (ComposePolicyPath gives 0, Add and Remove change nothing and give 0, Has
// gives 0). Add and remove leave the file either as it was or whole in its
// new form. HasPolicyGrant: 1, 0, or POLICY_UNREADABLE when the file is
// there but cannot be read.
enum { POLICY_PATH_SIZE = DIR_SIZE + 32 };
int ComposePolicyPath(char (&path)[POLICY_PATH_SIZE], const Runtime& runtime);
int AddPolicyGrant(const Runtime& runtime, const char* address);
int RemovePolicyGrant(const Runtime& runtime);
int HasPolicyGrant(const Runtime& runtime);

// HKEY_LOCAL_MACHINE\SOFTWARE\VONDRA\DLLRTF. A value that does not fit size
// (terminator included) or is no text counts as missing.
int ReadDllValue(const char* name, char* out, size_t size);
int WriteDllValue(const char* name, const char* text);
int RemoveDllKey();  // 1 when the key is gone
// The library the value "Bits" says was installed: 64 for "64", else 32
// (installations older than that value have the 32-bit one).
int RecordedBits();

// The error box of code (1 to 5, WM_SHOW_ERROR) and the undo of what the
// failed step left in runtime; the box telling that its policy file can't
// be read.
void ShowErrorCode(HWND owner, WPARAM code, const Runtime& runtime);
void ShowPolicyUnreadable(HWND owner, const Runtime& runtime);

// What a runtime of Java 24 or later is told: it has no policy file.
extern const char NO_GRANT_NEEDED[];

// What this machine has for runtime: INSTALLED_WHOLE (version in installed,
// the library of the runtime's bits in place, and its grant where the
// runtime reads a policy file), INSTALLED_UNKNOWN (a version, but the policy
// file can't be read), or INSTALLED_NONE, a registration without its grant
// or its library being cleaned up first.
enum { INSTALLED_NONE, INSTALLED_WHOLE, INSTALLED_UNKNOWN };
int InstalledState(const Runtime& runtime, char (&installed)[DLL_VERSION_SIZE]);

// The library for runtime from source (null: none usable) with its grant
// for address (none from Java 24 on), and its registration; an update first
// takes away the old registration and grant. 0, or the code of the error
// box (2 to 4) of the failed step, every change then undone.
int InstallLibrary(const Runtime& runtime, const char* source, const char* address, int update);

// Takes away the registration, the library recorded and, given a runtime
// that reads a policy file, its grant: each a logged step judged by what is
// there afterwards; one that fails undoes them all. 0, or what stays:
// LEFT_KEY, LEFT_LIBRARY, LEFT_GRANT.
enum { LEFT_KEY = 1, LEFT_LIBRARY = 2, LEFT_GRANT = 4 };
int UninstallLibrary(const Runtime* runtime);

// An unattended run of the command line (parsed: what ParseCommandLine
// returned): its exit code.
int RunCommand(const CommandLine& command, int parsed);

INT_PTR CALLBACK InicioDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DesinstDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
