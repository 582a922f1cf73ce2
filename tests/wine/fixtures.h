// Registry and file set-up shared by the Wine tests.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace fixture {

extern const char VONDRA_KEY[];
extern const char JRE_KEY[];
extern const char DIRS_KEY[];  // the user's recorded installation directories
// The user's part of the system's list of installed programs (with '\').
extern const char PROGRAMS_KEY[];

// Removes every value of the user's key (DirInst, markers, the message
// flag, recorded directories), the suite's entries in the list of installed
// programs, the machine's DirInst and JavaHome pin, and every registered
// Java runtime of every maker, in both registry views.
void ClearRegistry();
// Stores text as REG_SZ; without its NUL when withNul is false.
void SetText(HKEY root, const std::string& key, const char* name, const std::string& text, bool withNul = true);
bool GetText(HKEY root, const std::string& key, const char* name, std::string* out);
// The text, or "(none)" when there is no such value.
std::string TextOf(HKEY root, const std::string& key, const char* name);
// Removes the value; false when the key could not be opened.
bool DeleteValue(HKEY root, const std::string& key, const char* name);
// A runtime of the old key (32-bit view), its home made with its launcher.
void AddJre(const std::string& version, const char* javaHome);
// A home with BIN\JavaW.EXE (kept when there) and, with a version, a release
// file of that version and arch. Returns home.
std::string MakeJavaHome(const std::string& home, const char* version = nullptr, const char* arch = "amd64");
// HKLM\key's value name set to home, in the registry view of bits.
void AddRuntime(int bits, const std::string& key, const char* name, const std::string& home);

// A new empty directory below the temporary directory, with a trailing '\'.
std::string NewDirectory(const char* tag);
bool Exists(const std::string& path);
void WriteBytes(const std::string& path, const void* bytes, size_t length);
std::string WindowsPath(const char* unixPath);  // through drive Z:
// The Unix path of a Windows path (Wine only), or "".
std::string UnixPath(const std::string& windowsPath);
// Starts a Unix command line. Wine runs Unix programs for Windows ones but
// gives no handle to wait on: false when it could not start or done() did
// not hold in time.
bool RunUnix(std::string commandLine, const std::function<bool()>& done, DWORD timeoutMs = 5000);
// What a Unix shell command prints (stdout and stderr), "(failed)" when it
// could not run in time. Paths in it are Unix paths (UnixPath).
std::string UnixOutput(const std::string& shellCommand, DWORD timeoutMs = 20000);
// The whole file, or "(missing)" when it can't be opened.
std::string ReadAll(const std::string& path);
// The names in a directory (with its trailing '\'), sorted, without . and ..
std::vector<std::string> Listing(const std::string& dir);

// A place to install to: the prefix's desktop folder values point at a
// directory of its own while this lives, and a Java runtime directory with
// BIN\JavaW.EXE. Paths have no trailing '\'.
class Workstation {
public:
    std::string root, desktop, java, target;
    Workstation();
    ~Workstation();
    Workstation(const Workstation&) = delete;
    Workstation& operator=(const Workstation&) = delete;

private:
    std::string savedUser, savedLegacy;
    bool hadUser = false, hadLegacy = false;
};

}  // namespace fixture
