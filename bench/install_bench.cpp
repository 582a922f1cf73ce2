// A complete new installation through Dalvo.EXE, driven as a person does it
// (INICIO, INSTALAR, the creation question, the editor), against copying the
// same 50 archives (about 50 MB) and the icon with CopyFileA, in one run.
//   install_bench DALVO.EXE DIR [ROUNDS]
#include <windows.h>
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
void Forget(const std::string& link)
{
    for (const char* key : {"SOFTWARE\\Vondra\\Java", "SOFTWARE\\Vondra\\Java\\Directorios"}) {
        HKEY handle;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_ALL_ACCESS, &handle) == ERROR_SUCCESS) {
            RegDeleteValueA(handle, NAME);
            RegCloseKey(handle);
        }
    }
    DeleteFileA(link.c_str());
}

void RemoveCopies(const std::string& dir)
{
    for (int i = 0; i < ARCHIVES; ++i)
        DeleteFileA((dir + Archive(i)).c_str());
    for (const char* extension : {".ICO", ".PAR"})
        DeleteFileA((dir + NAME + extension).c_str());
    RemoveDirectoryA(dir.c_str());
}

bool Complete(const std::string& dir)
{
    for (int i = 0; i < ARCHIVES; ++i) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA((dir + Archive(i)).c_str(), GetFileExInfoStandard, &data) ||
            data.nFileSizeLow != SizeOf(i))
            return false;
    }
    return GetFileAttributesA((dir + NAME + ".ICO").c_str()) != INVALID_FILE_ATTRIBUTES;
}

// One installation through a new Dalvo process; false when it failed.
bool Install(const char* exe, const std::string& target, dalvodrive::Timing* timing)
{
    drive::Program dalvo;
    if (!dalvo.Start(exe))
        return false;
    std::string failure = dalvodrive::InstallNew(dalvo.info.dwProcessId, NAME, target, "", timing);
    if (!failure.empty()) {
        std::fprintf(stderr, "install_bench: %s\n", failure.c_str());
        return false;
    }
    HWND inicio = drive::WaitForWindow(dalvodrive::INICIO_CAPTION, 1000, dalvo.info.dwProcessId);
    drive::PostClick(inicio, 1002);  // "&Terminar"
    return dalvo.WaitExit(10000) == 0;
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
    char desktop[MAX_PATH];
    if (SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop) != S_OK) {
        std::fprintf(stderr, "install_bench: no desktop directory\n");
        return 1;
    }
    std::string link = std::string(desktop) + "\\" + NAME + ".LNK";

    // One untimed round of each warms the file cache and Dalvo's start-up.
    std::vector<double> copies, flows, steps, inicios, instalars, editors;
    for (int round = -1; round < rounds; ++round) {
        std::string theirs = root + "CopyFileA\\", ours = root + "Dalvo\\";
        RemoveCopies(theirs);
        RemoveCopies(ours);
        Forget(link);

        double start = Now();
        CreateDirectoryA(theirs.c_str(), nullptr);
        for (int i = 0; i < ARCHIVES; ++i)
            CopyFileA((entries + Archive(i)).c_str(), (theirs + Archive(i)).c_str(), FALSE);
        CopyFileA((entries + NAME + ".ICO").c_str(), (theirs + NAME + ".ICO").c_str(), FALSE);
        double copied = Now() - start;

        dalvodrive::Timing timing;
        if (!Install(argv[1], ours.substr(0, ours.size() - 1), &timing) || !Complete(ours) ||
            GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES) {
            std::fprintf(stderr, "install_bench: the installation did not complete\n");
            return 1;
        }
        if (round >= 0) {
            copies.push_back(copied);
            flows.push_back(timing.done);
            steps.push_back(timing.done - timing.editorAccepted);
            inicios.push_back(timing.inicioShown);
            instalars.push_back(timing.instalarShown);
            editors.push_back(timing.editorShown);
        }
    }
    RemoveCopies(root + "CopyFileA\\");
    RemoveCopies(root + "Dalvo\\");
    Forget(link);

    double copy = Median(copies), flow = Median(flows), step = Median(steps);
    std::printf("archives: %d, %.1f MB, rounds: %d (medians)\n", ARCHIVES, total / 1e6, rounds);
    std::printf("  whole installation through Dalvo (start to INICIO back): %.3f s\n", flow);
    std::printf("    INICIO shown after:                                   %.3f s\n", Median(inicios));
    std::printf("    INSTALAR shown after:                                 %.3f s\n", Median(instalars));
    std::printf("    the editor shown after:                               %.3f s\n", Median(editors));
    std::printf("    the installation step (editor accepted to INICIO):    %.3f s\n", step);
    std::printf("  CopyFileA of the same archives and icon:                %.3f s\n", copy);
    std::printf("  ratio installation step / CopyFileA:                    %.2f (goal: at most 1.5)\n", step / copy);
    std::printf("  ratio whole driven installation / CopyFileA:            %.2f\n", flow / copy);
    return 0;
}
