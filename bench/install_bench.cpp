// A complete new installation through Dalvo.EXE, driven as a person does it
// (INICIO, INSTALAR, the creation question, the editor), and the same run
// unattended (/instalar ... /archivos, process start to exit), in one run
// against copying the same 50 archives (about 50 MB) and the icon with
// CopyFileA, and against the floor of an installation: those copies, the
// parameter file written and flushed, one registry value and one shell link
// saved; with BRENKO.EXE, also the same application added and installed
// through Brenko's "&Agregar".
//   install_bench DALVO.EXE DIR [ROUNDS [BRENKO.EXE]]
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "dalvodrive.h"
#include "drive.h"
#include "params/record.h"
#include "bench.h"
#include "recordfix.h"

namespace {

const int ARCHIVES = 50;
const char NAME[] = "Banco";
// Brenko adds an entry: it must not exist before.
const char ADDED[] = "Agregada";

std::string Archive(int i)
{
    char name[32];
    std::snprintf(name, sizeof name, "Modulo%02d.JAR", i);
    return name;
}

// From 0.5 to 1.5 MB, 50 MB in all.
size_t SizeOf(int i)
{
    return 500000 + static_cast<size_t>((i * 37) % ARCHIVES) * 20400;
}

void SetText(HKEY root, const char* key, const char* name, const std::string& text)
{
    HKEY handle;
    if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(handle);
}

// The workstation as before the installation: no marker, no shortcut.
void Forget(const char* name, const std::string& desktop)
{
    for (const char* key : {"SOFTWARE\\Vondra\\Java", "SOFTWARE\\Vondra\\Java\\Directorios"}) {
        HKEY handle;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_ALL_ACCESS, &handle) == ERROR_SUCCESS) {
            RegDeleteValueA(handle, name);
            RegCloseKey(handle);
        }
    }
    DeleteFileA((desktop + name + ".LNK").c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER,
                  (std::string("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VONDRA - ") + name).c_str());
}

void RemoveCopies(const std::string& dir, const char* name = NAME)
{
    for (int i = 0; i < ARCHIVES; ++i)
        DeleteFileA((dir + Archive(i)).c_str());
    for (const char* extension : {".ICO", ".PAR"})
        DeleteFileA((dir + name + extension).c_str());
    RemoveDirectoryA(dir.c_str());
}

// Removals are written to disk before anything is timed: the next flush
// would otherwise wait for them (and for the discard of the freed blocks).
void Settle(const std::string& root)
{
    std::string scratch = root + "settle.tmp";
    WritePlain(scratch, "", 0, true);
    DeleteFileA(scratch.c_str());
}

// The archives in dir, and with withIcon the application's icon too (a new
// entry added through Brenko has none).
bool Complete(const std::string& dir, bool withIcon = true)
{
    for (int i = 0; i < ARCHIVES; ++i) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA((dir + Archive(i)).c_str(), GetFileExInfoStandard, &data) ||
            data.nFileSizeLow != SizeOf(i))
            return false;
    }
    return !withIcon || GetFileAttributesA((dir + NAME + ".ICO").c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The seconds of the floor's parts.
struct FloorParts {
    double paramFile, copies, value, link;
};

// The floor: what an installation can't do without, each in the fewest
// plain calls. Seconds, negative when a step failed.
double Floor(const std::string& entries, const std::string& dir, const std::string& java, const std::string& link,
             FloorParts* parts)
{
    const char PIECE[] = "floor";
    double start = Now();
    // In the installation's order: the parameter file is flushed before the
    // archives' writes are pending, which a flush would wait for too.
    bool ok = CreateDirectoryA(dir.c_str(), nullptr) != 0;
    const char LINES[] = "Efecto3,2,4,2,1,2\r\nDirecta,PRN,C:\\\r\n";
    ok = WritePlain(dir + NAME + ".PAR", LINES, sizeof LINES - 1, true) && ok;
    double written = Now();
    std::string icon = dir + NAME + ".ICO";
    ok = CopyFileA((entries + NAME + ".ICO").c_str(), icon.c_str(), FALSE) && ok;
    for (int i = 0; i < ARCHIVES; ++i)
        ok = CopyFileA((entries + Archive(i)).c_str(), (dir + Archive(i)).c_str(), FALSE) && ok;
    double copied = Now();
    HKEY key;
    ok = RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Vondra\\Java", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                         nullptr) == ERROR_SUCCESS && ok;
    ok = RegSetValueExA(key, PIECE, 0, REG_SZ, reinterpret_cast<const BYTE*>("Instalado !"), 12) == ERROR_SUCCESS && ok;
    RegCloseKey(key);
    double linkStart = Now();
    HRESULT com = CoInitialize(nullptr);
    IShellLinkA* shell = nullptr;
    IPersistFile* file = nullptr;
    std::string arguments = "-cp " + dir + "Vondra.JAR;" + dir + "*.JAR Vondra 10.0.0.1 /P= \"Archivo" + dir + NAME + ".PAR\"";
    WCHAR wide[MAX_PATH];
    ok = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    reinterpret_cast<void**>(&shell))) &&
         SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
         SUCCEEDED(shell->SetPath((java + "\\BIN\\JavaW.EXE").c_str())) &&
         SUCCEEDED(shell->SetDescription("Ostrel, S.A. de C.V.")) &&
         SUCCEEDED(shell->SetWorkingDirectory(dir.c_str())) && SUCCEEDED(shell->SetArguments(arguments.c_str())) &&
         SUCCEEDED(shell->SetIconLocation(icon.c_str(), 0)) &&
         MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH) != 0 && SUCCEEDED(file->Save(wide, TRUE)) &&
         ok;
    if (file != nullptr)
        file->Release();
    if (shell != nullptr)
        shell->Release();
    if (SUCCEEDED(com))
        CoUninitialize();
    double end = Now();
    *parts = {written - start, copied - written, linkStart - copied, end - linkStart};
    return ok ? end - start : -1;
}

// One installation through a new Dalvo process, or with brenko an addition
// through a new Brenko process started in root; false when it failed.
bool Install(const char* exe, bool brenko, const std::string& root, const std::string& target,
             dalvodrive::Timing* timing)
{
    drive::Program program;
    std::string quoted = std::string("\"") + exe + "\"";
    if (!program.Launch(exe, quoted, brenko ? root : ""))
        return false;
    DWORD pid = program.info.dwProcessId;
    std::string failure = brenko ? dalvodrive::AddNew(pid, ADDED, target, "", timing)
                                 : dalvodrive::InstallNew(pid, NAME, target, "", timing);
    if (!failure.empty()) {
        std::fprintf(stderr, "install_bench: %s\n", failure.c_str());
        return false;
    }
    HWND inicio =
        drive::WaitForWindow(brenko ? dalvodrive::BRENKO_INICIO_CAPTION : dalvodrive::INICIO_CAPTION, 1000, pid);
    drive::PostClick(inicio, brenko ? 1004 : 1002);  // "&Terminar"
    return program.WaitExit(10000) == 0;
}

struct Figures {
    std::vector<double> flows, steps, paths, inicios, instalars, editors;
};

// One round through the installer into dir; false when it did not complete.
bool Round(const char* exe, bool brenko, const std::string& root, const std::string& dir,
           const std::string& desktop, Figures* figures)
{
    const char* name = brenko ? ADDED : NAME;
    RemoveCopies(dir, name);
    Forget(name, desktop);
    if (brenko) {
        DeleteFileA((root + "Terminal\\" + ADDED + ".DAI").c_str());
        DeleteFileA((root + "Terminal\\" + ADDED + ".ICO").c_str());
    }
    Settle(root);
    dalvodrive::Timing timing;
    if (!Install(exe, brenko, root, dir.substr(0, dir.size() - 1), &timing) || !Complete(dir, !brenko) ||
        GetFileAttributesA((desktop + name + ".LNK").c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "install_bench: the installation through %s did not complete\n", exe);
        return false;
    }
    if (figures != nullptr) {
        figures->flows.push_back(timing.done);
        figures->steps.push_back(timing.done - timing.editorAccepted);
        figures->paths.push_back(timing.done - timing.clicked);
        figures->inicios.push_back(timing.inicioShown);
        figures->instalars.push_back(timing.instalarShown);
        figures->editors.push_back(timing.editorShown);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: install_bench DALVO.EXE DIR [ROUNDS]\n");
        return 2;
    }
    std::string root = std::string(argv[2]) + "\\";
    int rounds = argc > 3 ? std::atoi(argv[3]) : 3;
    std::string entries = root + "Terminal\\", java = root + "jre";
    for (const std::string& dir : {root, entries, java, java + "\\BIN"})
        CreateDirectoryA(dir.c_str(), nullptr);
    AppParams entry = recordfix::Defaults(NAME);
    std::strcpy(entry.ipServidor, "10.0.0.1");
    HANDLE file = CreateFileA((entries + NAME + ".DAI").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    bool ok = file != INVALID_HANDLE_VALUE && WriteFile(file, &entry, sizeof entry, &written, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    size_t total = 0;
    for (int i = 0; ok && i < ARCHIVES; ++i) {
        total += SizeOf(i);
        ok = WriteSeededFile(entries + Archive(i), SizeOf(i), static_cast<unsigned>(i));
    }
    ok = ok && WriteSeededFile(entries + NAME + ".ICO", 5430, 7) && WriteSeededFile(java + "\\BIN\\JavaW.EXE", 2, 1);
    if (!ok) {
        std::fprintf(stderr, "install_bench: cannot write the entries in %s\n", entries.c_str());
        return 1;
    }
    SetText(HKEY_CURRENT_USER, "SOFTWARE\\Vondra\\Java", "DirInst", root);
    SetText(HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.8.0_202", "JavaHome", java);
    SetText(HKEY_CURRENT_USER, "SOFTWARE\\Vondra\\Java", "Brenko", "0");
    const char* brenko = argc > 4 ? argv[4] : nullptr;
    char desktopDir[MAX_PATH];
    if (SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktopDir) != S_OK) {
        std::fprintf(stderr, "install_bench: no desktop directory\n");
        return 1;
    }
    std::string desktop = std::string(desktopDir) + "\\";

    // One untimed round of each warms the file cache and the programs' start-up.
    std::vector<double> copies, unattended, starts, floors;
    std::vector<FloorParts> floorParts;
    Figures dalvo, added;
    const std::string floorDir = root + "Floor\\", floorLink = desktop + "floor.LNK";
    for (int round = -1; round < rounds; ++round) {
        std::string theirs = root + "CopyFileA\\";
        RemoveCopies(theirs);
        Settle(root);
        double start = Now();
        CreateDirectoryA(theirs.c_str(), nullptr);
        for (int i = 0; i < ARCHIVES; ++i)
            CopyFileA((entries + Archive(i)).c_str(), (theirs + Archive(i)).c_str(), FALSE);
        CopyFileA((entries + NAME + ".ICO").c_str(), (theirs + NAME + ".ICO").c_str(), FALSE);
        double copied = Now() - start;
        RemoveCopies(floorDir);
        Forget("floor", desktop);
        Settle(root);
        FloorParts parts;
        double floor = Floor(entries, floorDir, java, floorLink, &parts);
        if (floor < 0) {
            std::fprintf(stderr, "install_bench: the floor's installation failed\n");
            return 1;
        }

        // Taking turns at going first: the one after the other finds the
        // system busier with the writes of the one before.
        for (int turn = 0; turn < 2; ++turn) {
            bool through = (turn == 0) == (round % 2 != 0);
            if (through && brenko != nullptr &&
                !Round(brenko, true, root, root + "Brenko\\", desktop, round >= 0 ? &added : nullptr))
                return 1;
            if (!through && !Round(argv[1], false, root, root + "Dalvo\\", desktop, round >= 0 ? &dalvo : nullptr))
                return 1;
        }
        // As a deployment tool runs it, into a directory it creates.
        std::string quiet = root + "Desatendida";
        RemoveCopies(quiet + "\\");
        Forget(NAME, desktop);
        start = Now();
        DWORD code = drive::Run("\"" + std::string(argv[1]) + "\" /instalar " + NAME + " /dir \"" + quiet + "\" /archivos",
                                60000);
        double ran = Now() - start;
        // The same program started for nothing: what starting a process costs here.
        start = Now();
        DWORD idle = drive::Run("\"" + std::string(argv[1]) + "\" /desinstalar NoInstalada", 60000);
        double started = Now() - start;
        if (code != 0 || idle != 1605 || !Complete(quiet + "\\")) {
            std::fprintf(stderr, "install_bench: the unattended runs ended with %lu and %lu\n", code, idle);
            return 1;
        }
        if (round >= 0) {
            copies.push_back(copied);
            unattended.push_back(ran);
            starts.push_back(started);
            floors.push_back(floor);
            floorParts.push_back(parts);
        }
    }
    RemoveCopies(root + "Desatendida\\");
    RemoveCopies(root + "CopyFileA\\");
    RemoveCopies(floorDir);
    Forget("floor", desktop);
    RemoveCopies(root + "Dalvo\\");
    RemoveCopies(root + "Brenko\\", ADDED);
    Forget(NAME, desktop);
    Forget(ADDED, desktop);

    double copy = Median(copies), floor = Median(floors), flow = Median(dalvo.flows), step = Median(dalvo.steps);
    std::printf("archives: %d, %.1f MB, rounds: %d (medians)\n", ARCHIVES, total / 1e6, rounds);
    std::printf("  whole installation through Dalvo (start to INICIO back): %.3f s\n", flow);
    std::printf("    INICIO shown after:                                   %.3f s\n", Median(dalvo.inicios));
    std::printf("    INSTALAR shown after:                                 %.3f s\n", Median(dalvo.instalars));
    std::printf("    the editor shown after:                               %.3f s\n", Median(dalvo.editors));
    std::printf("    the installation step (editor accepted to INICIO):    %.3f s\n", step);
    std::printf("  CopyFileA of the same archives and icon:                %.3f s\n", copy);
    std::printf("  floor: those copies, .PAR flushed, a value, a link:    %.3f s\n", floor);
    auto part = [&](double FloorParts::*member) {
        std::vector<double> values;
        for (const FloorParts& parts : floorParts)
            values.push_back(parts.*member);
        return Median(values);
    };
    std::printf("    of it .PAR %.3f s, copies %.3f s, value %.3f s, link %.3f s\n", part(&FloorParts::paramFile),
                part(&FloorParts::copies), part(&FloorParts::value), part(&FloorParts::link));
    std::printf("  ratio installation step / CopyFileA:                    %.2f\n", step / copy);
    std::printf("  ratio installation step / floor:                        %.2f (goal: at most 1.2)\n", step / floor);
    std::printf("  ratio whole driven installation / CopyFileA:            %.2f\n", flow / copy);
    double quiet = Median(unattended), idle = Median(starts);
    std::printf("  unattended /instalar /archivos (start to exit):         %.3f s\n", quiet);
    std::printf("    Dalvo started for nothing (/desinstalar, 1605):       %.3f s\n", idle);
    std::printf("  ratio unattended installation / CopyFileA:              %.2f (goal: at most 2.0)\n", quiet / copy);
    std::printf("  ratio the same without the process start / CopyFileA:   %.2f\n", (quiet - idle) / copy);
    if (brenko == nullptr)
        return 0;
    double path = Median(added.paths), addStep = Median(added.steps);
    std::printf("  Brenko's \"&Agregar\" (click to INICIO back):            %.3f s\n", path);
    std::printf("    its installation step (editor accepted to INICIO):    %.3f s\n", addStep);
    std::printf("  ratio Brenko's installation step / CopyFileA:           %.2f\n", addStep / copy);
    std::printf("  ratio Brenko's step / Dalvo's step:                     %.2f (goal: at most 1.1)\n", addStep / step);
    return 0;
}
