#include "kelmin_fixture.h"

#include <cstdlib>

#include "fixtures.h"

namespace kelmin {

const char DLL_KEY[] = "SOFTWARE\\VONDRA\\DLLRTF";

void WriteAll(const std::string& path, const std::string& bytes)
{
    fixture::WriteBytes(path, bytes.data(), bytes.size());
}

bool EntryExists(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

std::string InstalledLibrary()
{
    return SystemDir() + "Pluvik.DLL";
}

std::string NativeLibrary()
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    return fixture::WindowsPath((fixture::UnixPath(windows) + "/system32/Pluvik.DLL").c_str());
}

void ClearInstallation()
{
    // The whole parent: a test may have left it volatile.
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VONDRA");
    for (const std::string& library : {InstalledLibrary(), NativeLibrary()}) {
        SetFileAttributesA(library.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(library.c_str());
    }
}

std::string NewJre(const char* version, const std::string& policy)
{
    std::string home = fixture::NewDirectory("jre");
    CreateDirectoryA((home + "LIB").c_str(), nullptr);
    CreateDirectoryA((home + "LIB\\SECURITY").c_str(), nullptr);
    WriteAll(home + "LIB\\SECURITY\\JAVA.POLICY", policy);
    if (version != nullptr)
        fixture::AddJre(version, home.substr(0, home.size() - 1).c_str());
    return home;
}

std::string NewRuntime(const char* version, const char* policy)
{
    std::string home = fixture::NewDirectory("jdk");
    fixture::MakeJavaHome(home.substr(0, home.size() - 1), version);
    for (const char* dir : {"conf", "conf\\security", "lib", "lib\\security"})
        CreateDirectoryA((home + dir).c_str(), nullptr);
    if (policy != nullptr)
        WriteAll(home + "conf\\security\\java.policy", policy);
    std::string key = std::string("SOFTWARE\\Eclipse Adoptium\\JDK\\") + version + ".11\\hotspot\\MSI";
    fixture::AddRuntime(64, key, "Path", home);
    return home;
}

std::string NewSource(const std::string& library)
{
    std::string dir = fixture::NewDirectory("dll");
    WriteAll(dir + "Pluvik.DLL", library);
    WriteAll(dir + "Pluvik64.DLL", LibraryBytes(64));
    return dir;
}

std::string LibraryBytes(int seed, size_t size)
{
    std::string bytes = "MZ";
    unsigned state = 2463534242u + static_cast<unsigned>(seed);
    while (bytes.size() < size) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        bytes.push_back(static_cast<char>(state));
    }
    return bytes;
}

bool NoWorkFiles(const std::string& dir)
{
    for (const std::string& name : fixture::Listing(dir))
        if (name[0] == '~')
            return false;
    return true;
}

std::string SystemDir()
{
    char dir[MAX_PATH];
    GetSystemDirectoryA(dir, sizeof dir);
    return std::string(dir) + "\\";
}

std::string PutTooLargeFile(const std::string& path)
{
    const char* source = std::getenv("VONDRA_FAULT_SOURCE");
    if (source == nullptr)
        return "";
    std::string large = fixture::WindowsPath(source) + "\\Vondra.JAR";
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
    if (!CreateHardLinkA(path.c_str(), large.c_str(), nullptr))
        return "";
    return ReadAll(path);
}

bool MakeVondraKeyVolatile()
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VONDRA");
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VONDRA", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void RestoreVondraKey()
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VONDRA");
}

}  // namespace kelmin
