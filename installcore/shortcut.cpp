// The desktop shortcut that starts the Java client.
#include <shlobj.h>

#include <cstring>

#include "../base/regkey.h"
#include "../base/rollback.h"
#include "../base/runlog.h"
#include "install.h"

namespace {

const char SHELL_FOLDERS[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char DESCRIPTION[] = "Ostrel, S.A. de C.V.";

// Releases a COM interface when the routine ends, whatever way it ends.
template <typename T>
struct Held {
    T* p = nullptr;
    Held() = default;
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    ~Held()
    {
        if (p != nullptr)
            p->Release();
    }
};

struct ComSession {
    HRESULT status;
    ComSession() : status(CoInitialize(nullptr)) {}
    ComSession(const ComSession&) = delete;
    ComSession& operator=(const ComSession&) = delete;
    ~ComSession()
    {
        if (SUCCEEDED(status))
            CoUninitialize();
    }
    // A thread already in the multithreaded apartment can use the link too.
    bool Usable() const { return SUCCEEDED(status) || status == RPC_E_CHANGED_MODE; }
};

// The user's desktop folder. A value that names no folder of its own (empty,
// relative, with a variable left unexpanded), or none at all, would put the
// shortcut in the current directory, maybe a share: the system is asked
// instead, and a shortcut goes nowhere but to a full path.
int ReadDesktop(char (&desktop)[PATH_SIZE])
{
    {
        RegKey key;
        if (key.Open(HKEY_CURRENT_USER, SHELL_FOLDERS, KEY_QUERY_VALUE) &&
            QueryRegText(key.handle, "Desktop", desktop, sizeof desktop) && IsFullDirectory(desktop))
            return 1;
    }
    return SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop)) &&
           IsFullDirectory(desktop);
}

bool FitsPath(const char* text)
{
    return strnlen(text, PATH_SIZE) < PATH_SIZE;
}

}  // namespace

int ShortcutPath(const char* name, char (&path)[PATH_SIZE])
{
    char desktop[PATH_SIZE];
    return ReadDesktop(desktop) && ComposeShortcutPath(path, desktop, name);
}

int ShortcutExists(const char* name)
{
    char path[PATH_SIZE];
    return ShortcutPath(name, path) && FileExists(path);
}

namespace {

// The link at path starts name when its arguments end with name's parameter
// file: names cut at the same '.' share the link's file name, and a link
// the user made may have it too. A link that cannot be read is not ours.
int IsOurShortcut(const char* path, const char* name)
{
    char tail[PATH_SIZE], arguments[COMMAND_LINE_SIZE];
    WCHAR wide[MAX_PATH];
    ComSession com;
    Held<IShellLinkA> link;
    Held<IPersistFile> file;
    if (!ComposeText(tail, "\\", name, ".PAR\"") || !com.Usable() ||
        FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link.p))) ||
        FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p))) ||
        MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH) == 0 || FAILED(file.p->Load(wide, STGM_READ)) ||
        FAILED(link.p->GetArguments(arguments, sizeof arguments)))
        return 0;
    size_t length = strnlen(arguments, sizeof arguments), tailLength = std::strlen(tail);
    return length >= tailLength && lstrcmpiA(arguments + length - tailLength, tail) == 0;
}

}  // namespace

void DeleteShortcut(const char* name)
{
    const char step[] = "Acceso directo borrado:";
    char path[PATH_SIZE];
    if (!ShortcutPath(name, path))
        LogStep(step, name, 0, ERROR_PATH_NOT_FOUND);
    else if (FileExists(path) && !IsOurShortcut(path, name))
        LogStep("Acceso directo de otra aplicaci\xF3n, no se borra:", path, 0);
    else
        DeleteInstalledFile(step, path);
}

int CreateShortcut(const char* targetDir, const char* targetFile, const char* name, const char* workingDir,
                   const char* arguments, const char* iconPath)
{
    char desktop[PATH_SIZE];
    if (!ReadDesktop(desktop))
        return SHORTCUT_NO_DESKTOP;
    char linkPath[PATH_SIZE], dir[PATH_SIZE], target[PATH_SIZE];
    bool linkFits = ComposeShortcutPath(linkPath, desktop, name);
    if (linkFits && FileExists(linkPath) && !IsOurShortcut(linkPath, name))
        return SHORTCUT_NOT_OURS;
    bool targetFits = CopyText(dir, targetDir) && AddBackslash(dir) && ComposeText(target, dir, targetFile);

    ComSession com;
    if (!com.Usable())
        return SHORTCUT_NO_COM;
    Held<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link.p))))
        return SHORTCUT_NO_LINK_OBJECT;
    Held<IPersistFile> file;
    if (FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p))))
        return SHORTCUT_NOT_SAVED;

    // Texts the link could only keep cut count as refused.
    if (!targetFits || FAILED(link.p->SetPath(target)))
        return SHORTCUT_BAD_TARGET;
    if (FAILED(link.p->SetDescription(DESCRIPTION)))
        return SHORTCUT_BAD_DESCRIPTION;
    if (!FitsPath(workingDir) || FAILED(link.p->SetWorkingDirectory(workingDir)))
        return SHORTCUT_BAD_WORKING_DIR;
    if (strnlen(arguments, COMMAND_LINE_SIZE) >= COMMAND_LINE_SIZE || FAILED(link.p->SetArguments(arguments)))
        return SHORTCUT_BAD_ARGUMENTS;
    if (!FitsPath(iconPath) || FAILED(link.p->SetIconLocation(iconPath, 0)))
        return SHORTCUT_BAD_ICON;

    WCHAR wide[MAX_PATH];
    if (!linkFits || MultiByteToWideChar(CP_ACP, 0, linkPath, -1, wide, MAX_PATH) == 0 || !KeepFile(linkPath) ||
        FAILED(file.p->Save(wide, TRUE)))
        return SHORTCUT_NOT_SAVED;
    return SHORTCUT_SAVED;
}
