// The copy of the distribution from the media into setupDir: compressed
// files expanded on the way, the runtime's extension archives, the mail
// archives removed, DirInst recorded once everything is in place.
#include <cstring>
#include <memory>

#include "../base/runlog.h"
#include "../base/workfile.h"
#include "instalar.h"

#include <lzexpand.h>

char setupDir[PATH_SIZE];

namespace {

const char DAMAGED[] = "archivo comprimido da\xF1" "ado";
const char MISSING[] = "falta en el medio de instalaci\xF3n";
const char* const MAIL_ARCHIVES[] = {"mail.jar", "mailapi.jar", "smtp.jar", "imap.jar", "pop3.jar"};

void Fail(SetupFailures& failures, const char* file, const char* reason)
{
    failures.push_back({file, reason});
}

const char* WriteReason(DWORD error)
{
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "disco lleno";
    case ERROR_PATH_NOT_FOUND:
        return "falta el directorio";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "en uso por otro programa";
    case ERROR_ACCESS_DENIED:
        return "acceso denegado";
    }
    return "no se pudo escribir";
}

int IsReadOnly(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// An LZ handle over an open file; closing it closes the file too.
struct LzFile {
    INT handle;
    explicit LzFile(INT opened) : handle(opened) {}
    LzFile(const LzFile&) = delete;
    LzFile& operator=(const LzFile&) = delete;
    ~LzFile() { Close(); }
    void Close()
    {
        if (handle >= 0)
            LZClose(handle);
        handle = -1;
    }
};

void ExtensionDir(char (&out)[PATH_SIZE])
{
    Runtime runtime{};
    out[0] = '\0';
    if (FindRuntime(nullptr, runtime))
        RuntimeExtensionDir(runtime, out);
}

void MakeDirectory(const char* dir, SetupFailures& failures)
{
    MakeDirectoryPath(dir);
    if (!DirectoryExists(dir))
        Fail(failures, dir, "no se pudo crear el directorio");
}

enum { SOURCE_MISSING = -1000, SOURCE_FAILED = -1001 };

// source opened for the platform's expansion, and what its header says: an
// LZ handle, SOURCE_MISSING (not on the media), or SOURCE_FAILED (listed).
// The header tells the expanded length: the platform's expansion stops
// quietly where a cut file ends, and copies an unknown method unexpanded.
INT OpenSource(const char* source, int expand, SzddKind* kind, uint32_t* expected, SetupFailures& failures)
{
    HANDLE input = CreateFileA(source, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (input == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return SOURCE_MISSING;
        Fail(failures, source, "no se pudo leer");
        return SOURCE_FAILED;
    }
    unsigned char header[SZDD_HEADER_SIZE];
    DWORD got = 0;
    bool read = ReadFile(input, header, sizeof header, &got, nullptr) != 0;
    *kind = read ? ReadSzddHeader(header, got, expand, expected) : SZDD_PLAIN;
    // LZInit rather than LZOpenFileA: the OpenFile under it cannot name
    // paths of 128 characters or more.
    bool usable = read && (*kind == SZDD_PLAIN || *kind == SZDD_COMPRESSED);
    INT opened = usable ? LZInit(static_cast<HFILE>(HandleToLong(input))) : -1;
    if (opened < 0) {
        CloseHandle(input);
        Fail(failures, source, *kind == SZDD_PLAIN ? "no se pudo leer" : DAMAGED);
        return SOURCE_FAILED;
    }
    return opened;
}

}  // namespace

// Only a runtime of Java 8 or older reads it, and only one that has it:
// from Java 9 its mere existence stops every Java program of the runtime,
// and a directory created where there was none would load nothing.
void RuntimeExtensionDir(const Runtime& runtime, char (&out)[PATH_SIZE])
{
    if (!UsesExtensionDir(runtime) || !ComposeInstallPath(out, runtime.home, "lib\\ext\\", "") || !DirectoryExists(out))
        out[0] = '\0';
}

int ExpandCopy(const char* source, const char* destination, int expand, SetupFailures& failures)
{
    char target[PATH_SIZE];
    CopyText(target, destination);
    if (expand)
        ExpandedName(target);
    SzddKind kind = SZDD_PLAIN;
    uint32_t expected = 0;
    INT opened = OpenSource(source, expand, &kind, &expected, failures);
    if (opened == SOURCE_MISSING)
        return 1;
    if (opened < 0)
        return 0;
    LzFile lz(opened);
    // The new contents take the old file's place only when whole.
    Replacement output(target, false);
    if (!output.IsOpen()) {
        Fail(failures, target, WriteReason(GetLastError()));
        return 0;
    }
    enum { CHUNK = 1024 * 1024 };
    static std::unique_ptr<char[]> buffer(new char[CHUNK]);
    uint64_t total = 0;
    for (;;) {
        INT read = LZRead(lz.handle, buffer.get(), CHUNK);
        if (read < 0) {
            Fail(failures, source, kind == SZDD_COMPRESSED ? DAMAGED : "no se pudo leer");
            return 0;
        }
        if (read == 0)
            break;
        total += static_cast<uint64_t>(read);
        if (!output.Write(buffer.get(), static_cast<size_t>(read))) {
            Fail(failures, target, WriteReason(GetLastError()));
            return 0;
        }
    }
    // Closed first: a setup run from its own target directory replaces
    // the very files it reads.
    lz.Close();
    if (kind == SZDD_COMPRESSED && total != expected) {
        Fail(failures, source, DAMAGED);
        return 0;
    }
    if (!output.Commit()) {
        Fail(failures, target, IsReadOnly(target) ? "archivo de s\xF3lo lectura" : WriteReason(GetLastError()));
        return 0;
    }
    return 1;
}

void CopyDistFile(const char* name, DistKind kind, int expand, const char* extension, SetupFailures& failures)
{
    static const char* const SUBDIRS[] = {"", "Servidor\\", "Terminal\\", "Terminal\\"};
    char target[PATH_SIZE], dir[PATH_SIZE];
    if (!ComposeInstallPath(dir, setupDir, SUBDIRS[kind], "") || !ComposeText(target, dir, name)) {
        Fail(failures, name, "ruta demasiado larga");
        return;
    }
    ExpandCopy(name, target, expand, failures);
    if (kind == KIND_TERMINAL_RUNTIME && extension[0] != '\0') {
        if (!ComposeText(target, extension, name))
            Fail(failures, name, "ruta demasiado larga");
        else
            ExpandCopy(name, target, expand, failures);
    }
}

void CopyMatching(const char* pattern, int expand, const char* extension, SetupFailures& failures)
{
    ForEachFile("", pattern, [&](const char* name) {
        if (!LongNameMatches(name, pattern))
            return true;
        CopyDistFile(name, NeedsJreExtension(name) ? KIND_TERMINAL_RUNTIME : KIND_TERMINAL, expand, extension,
                     failures);
        return true;
    });
}

int CopyDistribution(SetupFailures& failures)
{
    // Looked for at each try: a runtime unregistered since leaves no stale target.
    char extension[PATH_SIZE];
    ExtensionDir(extension);
    char dir[PATH_SIZE];
    for (const char* sub : {"Servidor", "Terminal"}) {
        if (ComposeInstallPath(dir, setupDir, sub, ""))
            MakeDirectory(dir, failures);
        else
            Fail(failures, setupDir, "ruta demasiado larga");
    }

    struct MediaFile {
        const char* name;
        DistKind kind;
        bool byName, ours;
    };
    static const MediaFile MEDIA_FILES[] = {
#define MEDIA_PROGRAM(name, kind, from) {name, kind, true, from[0] != '\0'},
#define MEDIA_ICON(name, from) {name, KIND_TERMINAL, false, true},
#include "media_files.inc"
#undef MEDIA_PROGRAM
#undef MEDIA_ICON
    };
    // The suite's own files must be on the media (a setup started elsewhere
    // finds none of them); another product's may be missing.
    for (const MediaFile& file : MEDIA_FILES)
        if (file.ours && !FileExists(file.name))
            Fail(failures, file.name, MISSING);
    for (const MediaFile& file : MEDIA_FILES)
        if (file.byName)
            CopyDistFile(file.name, file.kind, file.name[std::strlen(file.name) - 1] == '_', extension, failures);
    CopyMatching("*.JAR", 0, extension, failures);
    CopyMatching("*.TXT", 0, extension, failures);
    CopyMatching("*.IC_", 1, extension, failures);

    char terminal[PATH_SIZE], path[PATH_SIZE];
    bool runtime = extension[0] != '\0';
    if (ComposeInstallPath(terminal, setupDir, "Terminal\\", ""))
        for (const char* mail : MAIL_ARCHIVES) {
            if (ComposeText(path, terminal, mail))
                DeleteListed(path, failures);
            if (runtime && ComposeText(path, extension, mail))
                DeleteListed(path, failures);
        }
    // Recorded only once every step succeeded: a distribution with missing
    // files, or with a mail archive left for the runtime, is not installed.
    if (!failures.empty())
        return 0;
    WriteUserDirInst(setupDir);
    return 1;
}

void CopyRuntimeArchives(const char* terminal, const char* extension, SetupFailures& failures)
{
    char source[PATH_SIZE], target[PATH_SIZE];
    for (const char* pattern : {"*.JAR", "*.TXT"})
        ForEachFile(terminal, pattern, [&](const char* name) {
            if (LongNameMatches(name, pattern) && NeedsJreExtension(name) && ComposeText(source, terminal, name) &&
                ComposeText(target, extension, name))
                LogStep("Archivo puesto en el JRE:", target, ExpandCopy(source, target, 0, failures));
            return true;
        });
    char path[PATH_SIZE];
    for (const char* mail : MAIL_ARCHIVES)
        if (ComposeText(path, extension, mail))
            DeleteListed(path, failures);
}

void ShowFailures(HWND owner, const char* intro, const SetupFailures& failures, const char* closing)
{
    ShowError(owner, FailureReport(intro, failures, closing).c_str(), "Error");
}
