#include "fixtures.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "drive.h"

#include <shlobj.h>

namespace fixture {

const char VONDRA_KEY[] = "SOFTWARE\\Vondra\\Java";
const char JRE_KEY[] = "SOFTWARE\\JavaSoft\\Java Runtime Environment";
const char DIRS_KEY[] = "SOFTWARE\\Vondra\\Java\\Directorios";
const char PROGRAMS_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

namespace {

void DeleteEveryValue(HKEY root, const char* key)
{
    HKEY handle;
    if (RegOpenKeyExA(root, key, 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS)
        return;
    char name[256];
    DWORD length = sizeof name;
    while (RegEnumValueA(handle, 0, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           RegDeleteValueA(handle, name) == ERROR_SUCCESS)
        length = sizeof name;
    RegCloseKey(handle);
}

// Where the makers of Java runtimes register them.
const char* const RUNTIME_KEYS[] = {"SOFTWARE\\JavaSoft", "SOFTWARE\\Eclipse Adoptium", "SOFTWARE\\AdoptOpenJDK",
                                    "SOFTWARE\\Microsoft\\JDK", "SOFTWARE\\Azul Systems"};

}  // namespace

void ClearRegistry()
{
    // The user's values, markers and recorded directories included: what one
    // test installed is no installation for the next.
    DeleteEveryValue(HKEY_CURRENT_USER, VONDRA_KEY);
    DeleteEveryValue(HKEY_CURRENT_USER, DIRS_KEY);
    HKEY list;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, PROGRAMS_KEY, 0, KEY_ALL_ACCESS, &list) == ERROR_SUCCESS) {
        char name[256];
        for (DWORD index = 0, length = sizeof name;
             RegEnumKeyExA(list, index, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
             length = sizeof name)
            if (std::strncmp(name, "VONDRA - ", 9) != 0 || RegDeleteKeyA(list, name) != ERROR_SUCCESS)
                ++index;
        RegCloseKey(list);
    }
    DeleteValue(HKEY_LOCAL_MACHINE, VONDRA_KEY, "DirInst");
    // Opened in its view, the parent's subkeys stay in that view.
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        for (std::string key : RUNTIME_KEYS) {
            HKEY parent;
            size_t last = key.rfind('\\');
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.substr(0, last).c_str(), 0, KEY_ALL_ACCESS | view, &parent) !=
                ERROR_SUCCESS)
                continue;
            RegDeleteTreeA(parent, key.substr(last + 1).c_str());
            RegCloseKey(parent);
        }
        HKEY vondra;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, VONDRA_KEY, 0, KEY_ALL_ACCESS | view, &vondra) == ERROR_SUCCESS) {
            RegDeleteValueA(vondra, "JavaHome");
            RegCloseKey(vondra);
        }
    }
}

std::string MakeJavaHome(const std::string& home, const char* version, const char* arch)
{
    SHCreateDirectoryExA(nullptr, (home + "\\BIN").c_str(), nullptr);
    if (!Exists(home + "\\BIN\\JavaW.EXE"))
        WriteBytes(home + "\\BIN\\JavaW.EXE", "MZ", 2);
    if (version != nullptr) {
        std::string release = std::string("JAVA_VERSION=\"") + version + "\"\r\nOS_ARCH=\"" + arch + "\"\r\n";
        WriteBytes(home + "\\release", release.data(), release.size());
    }
    return home;
}

void AddRuntime(int bits, const std::string& key, const char* name, const std::string& home)
{
    HKEY handle;
    REGSAM view = bits == 64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(home.c_str()),
                   static_cast<DWORD>(home.size() + 1));
    RegCloseKey(handle);
}

void SetText(HKEY root, const std::string& key, const char* name, const std::string& text, bool withNul)
{
    HKEY handle;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + (withNul ? 1 : 0)));
    RegCloseKey(handle);
}

bool GetText(HKEY root, const std::string& key, const char* name, std::string* out)
{
    char value[4096];
    DWORD length = sizeof value - 1;
    DWORD type = 0;
    HKEY handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return false;
    LONG status = RegQueryValueExA(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &length);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS)
        return false;
    value[length] = '\0';
    if (out != nullptr)
        *out = value;
    return true;
}

std::string TextOf(HKEY root, const std::string& key, const char* name)
{
    std::string value;
    return GetText(root, key, name, &value) ? value : "(none)";
}

bool DeleteValue(HKEY root, const std::string& key, const char* name)
{
    HKEY handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS)
        return false;
    RegDeleteValueA(handle, name);
    RegCloseKey(handle);
    return true;
}

void AddJre(const std::string& version, const char* javaHome)
{
    std::string key = std::string(JRE_KEY) + "\\" + version;
    if (javaHome != nullptr) {
        MakeJavaHome(javaHome);
        SetText(HKEY_LOCAL_MACHINE, key, "JavaHome", javaHome);
    } else {
        HKEY handle;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                            nullptr) == ERROR_SUCCESS)
            RegCloseKey(handle);
    }
}

std::string NewDirectory(const char* tag)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    static unsigned counter;
    for (;;) {
        char path[MAX_PATH];
        std::snprintf(path, sizeof path, "%svondra-%s-%lu-%u\\", temp, tag, GetCurrentProcessId(), ++counter);
        if (CreateDirectoryA(path, nullptr))
            return path;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return "";
    }
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteBytes(const std::string& path, const void* bytes, size_t length)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return;
    if (length > 0)
        std::fwrite(bytes, 1, length, file);
    std::fclose(file);
}

std::string WindowsPath(const char* unixPath)
{
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string UnixPath(const std::string& windowsPath)
{
    using ToUnix = char*(CDECL*)(const WCHAR*);
    auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (toUnix == nullptr)
        return "";
    WCHAR wide[MAX_PATH * 2];
    if (MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH * 2) == 0)
        return "";
    char* unix = toUnix(wide);
    if (unix == nullptr)
        return "";
    std::string path = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return path;
}

bool RunUnix(std::string commandLine, const std::function<bool()>& done, DWORD timeoutMs)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    if (info.hThread != nullptr)
        CloseHandle(info.hThread);
    if (info.hProcess != nullptr)
        CloseHandle(info.hProcess);
    return drive::WaitUntil(done, timeoutMs);
}

std::string UnixOutput(const std::string& shellCommand, DWORD timeoutMs)
{
    std::string output = NewDirectory("unix") + "out.txt";
    std::string unixOutput = UnixPath(output);
    if (unixOutput.empty())
        return "(failed)";
    // One argument for /bin/sh by the Windows rules Wine splits it with.
    std::string escaped;
    for (char c : shellCommand)
        escaped += c == '"' ? std::string("\\\"") : std::string(1, c);
    // The output appears under its final name only once complete.
    std::string command = "/bin/sh -c \"(" + escaped + ") >'" + unixOutput + ".part' 2>&1; mv '" + unixOutput +
                          ".part' '" + unixOutput + "'\"";
    if (!RunUnix(command, [&] { return Exists(output); }, timeoutMs))
        return "(failed)";
    std::string text = ReadAll(output);
    DeleteFileA(output.c_str());
    return text;
}

std::string ReadAll(const std::string& path)
{
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "(missing)";
    static char chunk[65536];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

std::vector<std::string> Listing(const std::string& dir)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0)
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

namespace {
const char SHELL_FOLDERS[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char USER_SHELL_FOLDERS[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
}  // namespace

Workstation::Workstation()
{
    root = NewDirectory("workstation");
    desktop = root + "Escritorio";
    java = root + "jre";
    target = root + "VONDRA";
    for (const std::string& d : {desktop, java, java + "\\BIN"})
        CreateDirectoryA(d.c_str(), nullptr);
    WriteBytes(java + "\\BIN\\JavaW.EXE", "MZ", 2);
    hadUser = GetText(HKEY_CURRENT_USER, USER_SHELL_FOLDERS, "Desktop", &savedUser);
    hadLegacy = GetText(HKEY_CURRENT_USER, SHELL_FOLDERS, "Desktop", &savedLegacy);
    SetText(HKEY_CURRENT_USER, USER_SHELL_FOLDERS, "Desktop", desktop);
    SetText(HKEY_CURRENT_USER, SHELL_FOLDERS, "Desktop", desktop);
    // Nothing of Wine's own may start from the programs under test.
    SetEnvironmentVariableA("WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d");
}

Workstation::~Workstation()
{
    if (hadUser)
        SetText(HKEY_CURRENT_USER, USER_SHELL_FOLDERS, "Desktop", savedUser);
    if (hadLegacy)
        SetText(HKEY_CURRENT_USER, SHELL_FOLDERS, "Desktop", savedLegacy);
}

}  // namespace fixture
