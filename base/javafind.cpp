// The Java runtimes of the machine, wherever their makers register them, in
// both registry views, and JAVA_HOME; the one to use.
#include <cstring>
#include <string>
#include <vector>

#include "base.h"
#include "regkey.h"
#include "runlog.h"
#include "workfile.h"

const char RUNTIME_PLACES[] =
    "HKLM\\SOFTWARE\\JavaSoft\\{Java Runtime Environment|Java Development Kit|JRE|JDK}\\<versi\xF3n> (JavaHome), "
    "HKLM\\SOFTWARE\\{Eclipse Adoptium|AdoptOpenJDK}\\{JDK|JRE}\\<versi\xF3n>\\<jvm>\\MSI (Path), "
    "HKLM\\SOFTWARE\\Microsoft\\JDK\\<versi\xF3n>\\<jvm>\\MSI (Path), "
    "HKLM\\SOFTWARE\\Azul Systems\\Zulu\\<nombre> (InstallationPath), en las vistas de 64 y 32 bits; "
    "JAVA_HOME";

namespace {

// Where each maker registers: the key, whether each version has a JVM level
// with an MSI key below it, and the value naming the home.
struct Layout {
    const char* key;
    bool msi;
    const char* value;
};

const Layout LAYOUTS[] = {
    {"SOFTWARE\\JavaSoft\\Java Runtime Environment", false, "JavaHome"},
    {"SOFTWARE\\JavaSoft\\Java Development Kit", false, "JavaHome"},
    {"SOFTWARE\\JavaSoft\\JRE", false, "JavaHome"},
    {"SOFTWARE\\JavaSoft\\JDK", false, "JavaHome"},
    {"SOFTWARE\\Eclipse Adoptium\\JDK", true, "Path"},
    {"SOFTWARE\\Eclipse Adoptium\\JRE", true, "Path"},
    {"SOFTWARE\\AdoptOpenJDK\\JDK", true, "Path"},
    {"SOFTWARE\\AdoptOpenJDK\\JRE", true, "Path"},
    {"SOFTWARE\\Microsoft\\JDK", true, "Path"},
    {"SOFTWARE\\Azul Systems\\Zulu", false, "InstallationPath"},
};

// The 32-bit view first: where only the old key holds runtimes, they are
// met in the order they always were.
const struct {
    REGSAM flag;
    int bits;
} VIEWS[] = {{KEY_WOW64_32KEY, 32}, {KEY_WOW64_64KEY, 64}};

enum { KEY_PATH_SIZE = 512 };

// Subkey names of an open key, in the registry's order.
std::vector<std::string> SubkeyNames(HKEY key)
{
    std::vector<std::string> names;
    for (DWORD index = 0;; ++index) {
        char name[PATH_SIZE];
        DWORD length = sizeof name;
        LONG status = RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA)
            continue;  // too long to be a version; look at the rest
        if (status != ERROR_SUCCESS)
            break;
        names.push_back(name);
    }
    return names;
}

int ReadKeyText(REGSAM view, const char* path, const char* value, char (&out)[PATH_SIZE])
{
    RegKey key;
    return key.Open(HKEY_LOCAL_MACHINE, path, KEY_QUERY_VALUE | view) && QueryRegText(key.handle, value, out, sizeof out);
}

// Up to size bytes of a file; how many were read (0 when it can't be read).
size_t ReadHead(const char* path, void* buffer, size_t size)
{
    FileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD got = 0;
    if (!file.Valid() || !ReadFile(file.handle, buffer, static_cast<DWORD>(size), &got, nullptr))
        return 0;
    return got;
}

bool HasLauncher(const char* home)
{
    char launcher[PATH_SIZE];
    return ComposeText(launcher, home, "\\bin\\JavaW.EXE") && FileExists(launcher);
}

// What the home says of itself: release file, else the launcher's header,
// else what its registration gave. 0 when it has no launcher.
int Describe(Runtime& runtime, const char* name, int viewBits)
{
    size_t length = strnlen(runtime.home, sizeof runtime.home);
    while (length > 0 && (runtime.home[length - 1] == '\\' || runtime.home[length - 1] == '/'))
        runtime.home[--length] = '\0';
    if (length == 0 || !HasLauncher(runtime.home))
        return 0;
    char path[PATH_SIZE];
    static char text[65536];
    ReleaseInfo release{};
    size_t got = ComposeText(path, runtime.home, "\\release") ? ReadHead(path, text, sizeof text) : 0;
    if (!ParseRelease(text, got, release) || !CopyText(runtime.version, release.version))
        CopyText(runtime.version, name);
    runtime.feature = VersionFeature(runtime.version);
    // Unnamed and without a release file: a modular runtime is 9 or later.
    if (runtime.feature == 0 && ComposeText(path, runtime.home, "\\lib\\modules") && FileExists(path))
        runtime.feature = 9;
    // A development kit of Java 8 or older runs the runtime inside it: that
    // one's extension directory and policy file are the ones read.
    char inner[PATH_SIZE];
    if (runtime.feature <= 8 && ComposeText(inner, runtime.home, "\\jre") && HasLauncher(inner))
        CopyText(runtime.home, inner);
    runtime.bits = ArchBits(release.arch);
    if (runtime.bits == 0) {
        unsigned char header[4096];
        got = ComposeText(path, runtime.home, "\\bin\\JavaW.EXE") ? ReadHead(path, header, sizeof header) : 0;
        runtime.bits = PeBits(header, got);
    }
    if (runtime.bits == 0)
        runtime.bits = viewBits;
    return 1;
}

struct Candidates {
    std::vector<Runtime> list;

    // A home registered twice (a version key and its family key, both
    // views on a 32-bit system) is one runtime, first met.
    int Add(const char* home, const char* name, int viewBits, const char* origin)
    {
        Runtime runtime{};
        CopyText(runtime.home, home);
        if (!Describe(runtime, name, viewBits))
            return -1;
        for (size_t i = 0; i < list.size(); ++i)
            if (SameFileName(list[i].home, runtime.home))
                return static_cast<int>(i);
        CopyText(runtime.origin, origin);
        list.push_back(runtime);
        char shown[RUNTIME_VERSION_SIZE + 16], note[PATH_SIZE + RUNTIME_ORIGIN_SIZE + 100];
        DescribeRuntime(shown, runtime);
        ComposeText(note, runtime.home, " (", shown, ") en ", origin);
        LogNote("JRE encontrado: ", note);
        return static_cast<int>(list.size() - 1);
    }
};

void AddLayout(Candidates& found, const Layout& layout, REGSAM view, int viewBits)
{
    RegKey family;
    if (!family.Open(HKEY_LOCAL_MACHINE, layout.key, KEY_ENUMERATE_SUB_KEYS | view))
        return;
    for (const std::string& version : SubkeyNames(family.handle)) {
        char path[KEY_PATH_SIZE], home[PATH_SIZE], origin[RUNTIME_ORIGIN_SIZE];
        if (!ComposeText(path, layout.key, "\\", version.c_str()))
            continue;
        std::vector<std::string> jvms{""};
        if (layout.msi) {
            RegKey versionKey;
            if (!versionKey.Open(HKEY_LOCAL_MACHINE, path, KEY_ENUMERATE_SUB_KEYS | view))
                continue;
            jvms = SubkeyNames(versionKey.handle);
        }
        for (const std::string& jvm : jvms) {
            char full[KEY_PATH_SIZE];
            bool composed = layout.msi ? ComposeText(full, path, "\\", jvm.c_str(), "\\MSI") : CopyText(full, path);
            if (composed && ReadKeyText(view, full, layout.value, home)) {
                ComposeText(origin, full, viewBits == 64 ? " (64 bits)" : " (32 bits)");
                found.Add(home, version.c_str(), viewBits, origin);
            }
        }
    }
}

}  // namespace

int FindRuntime(const char* pinnedHome, Runtime& runtime)
{
    // Everything registered first: a pinned home that is registered too
    // takes its version from its key when it has no release file.
    Candidates found;
    for (const auto& view : VIEWS)
        for (const Layout& layout : LAYOUTS)
            AddLayout(found, layout, view.flag, view.bits);
    char home[PATH_SIZE] = "";
    DWORD got = GetEnvironmentVariableA("JAVA_HOME", home, sizeof home);
    if (got > 0 && got < sizeof home)
        found.Add(home, "", 32, "JAVA_HOME");

    home[0] = '\0';
    const char* pinOrigin = "/java";
    if (pinnedHome != nullptr && pinnedHome[0] != '\0') {
        CopyText(home, pinnedHome);
    } else {
        pinOrigin = "HKLM\\SOFTWARE\\Vondra\\Java (JavaHome)";
        for (const auto& view : {VIEWS[1], VIEWS[0]})
            if (ReadKeyText(view.flag, VONDRA_KEY, "JavaHome", home))
                break;
    }
    if (home[0] != '\0') {
        // What the administrator pinned, or nothing: another runtime in its
        // place would surprise more than a refusal.
        int pinned = found.Add(home, "", 32, pinOrigin);
        if (pinned < 0) {
            LogNote("El JRE fijado no tiene bin\\JavaW.EXE: ", home);
            return 0;
        }
        runtime = found.list[static_cast<size_t>(pinned)];
        runtime.chosen = CHOSEN_PINNED;
        CopyText(runtime.origin, pinOrigin);
        return 1;
    }
    int chosen = ChooseRuntime(found.list.data(), found.list.size(), -1);
    if (chosen < 0) {
        LogNote("No hay JRE de Java; se busc\xF3 en: ", RUNTIME_PLACES);
        return 0;
    }
    runtime = found.list[static_cast<size_t>(chosen)];
    runtime.chosen = CHOSEN_NEWEST;
    return 1;
}

void LogRuntime(const Runtime& runtime)
{
    char shown[RUNTIME_VERSION_SIZE + 16], note[PATH_SIZE + RUNTIME_ORIGIN_SIZE + 120];
    DescribeRuntime(shown, runtime);
    ComposeText(note, runtime.home, " (", shown, "), ",
                runtime.chosen == CHOSEN_PINNED ? "fijado por el administrador en " : "el m\xE1s nuevo, de ",
                runtime.origin);
    LogNote("JRE de Java elegido: ", note);
}
