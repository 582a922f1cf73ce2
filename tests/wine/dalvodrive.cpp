#include "dalvodrive.h"

#include <algorithm>
#include <vector>

#include "drive.h"

namespace dalvodrive {

const char INICIO_CAPTION[] = "Instalaci\xF3n y mantenimiento de aplicaciones - TERMINAL";
const char BRENKO_INICIO_CAPTION[] = "Instalaci\xF3n y mantenimiento de aplicaciones";

namespace {

const char INSTALAR_CAPTION[] = "Instalaci\xF3n de la aplicaci\xF3n";
const char EDITOR_CAPTION[] = "Agregar una nueva aplicaci\xF3n - Capturar sus par\xE1metros";
enum { LIST = 1000 };

// What sets the two installers' windows apart. name 0: picked in the list.
struct Installer {
    const char* inicio;
    int start, name, dir, accept;
};
const Installer DALVO = {INICIO_CAPTION, 1005, 0, 1001, 1024};
const Installer BRENKO = {BRENKO_INICIO_CAPTION, 1002, 1006, 1003, 1025};

double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string Drive(const Installer& in, DWORD pid, const std::string& name, const std::string& dir,
                  const std::string& shots, Timing* timing, const std::string& shotPrefix, const EditorCheck& onEditor)
{
    double start = Now();
    HWND inicio = drive::WaitForWindow(in.inicio, 20000, pid);
    if (inicio == nullptr)
        return "INICIO did not show";
    double inicioShown = Now() - start;
    if (in.name == 0) {
        HWND list = GetDlgItem(inicio, LIST);
        std::vector<std::string> items = drive::ListItems(list);
        auto at = std::find(items.begin(), items.end(), name);
        if (at == items.end())
            return "INICIO does not list " + name;
        drive::ClickListItem(list, static_cast<int>(at - items.begin()), false);
        if (!drive::WaitUntil([&] { return IsWindowEnabled(GetDlgItem(inicio, in.start)) != 0; }))
            return "selecting " + name + " did not enable Instalar";
    }
    drive::Screenshot(inicio, shotPrefix + "1-inicio.bmp", shots);
    double clicked = Now() - start;
    drive::PostClick(inicio, in.start);

    HWND install = drive::WaitForWindow(INSTALAR_CAPTION, 10000, pid);
    if (install == nullptr)
        return "INSTALAR did not show (is the application installed already, or no Java runtime?)";
    double instalarShown = Now() - start;
    if (in.name != 0 && !drive::Type(install, in.name, name))
        return "could not type the name";
    if (!drive::Type(install, in.dir, dir))
        return "could not type the directory";
    drive::Screenshot(install, shotPrefix + "2-instalar.bmp", shots);
    drive::PostClick(install, in.accept);

    HWND editor = AfterCreation(pid, EDITOR_CAPTION, shotPrefix + "3-crear_directorio.bmp", shots, 20000);
    if (editor == nullptr)
        return "the editor did not show";
    double editorShown = Now() - start;
    drive::Screenshot(editor, shotPrefix + "4-parametros.bmp", shots);
    if (onEditor)
        onEditor(editor);
    if (timing != nullptr) {
        timing->inicioShown = inicioShown;
        timing->clicked = clicked;
        timing->instalarShown = instalarShown;
        timing->editorShown = editorShown;
        timing->editorAccepted = Now() - start;
    }
    drive::PostClick(editor, in.accept);
    if (!drive::WaitUntil([&] { return IsWindowVisible(inicio) != 0; }, 120000))
        return "INICIO did not come back";
    if (timing != nullptr)
        timing->done = Now() - start;
    return "";
}

}  // namespace

HWND AfterCreation(DWORD pid, const char* caption, const std::string& shotFile, const std::string& shots,
                   DWORD timeoutMs)
{
    HWND found = nullptr;
    drive::WaitUntil([&] {
        found = drive::WaitForWindow(caption, 1, pid);
        if (found != nullptr)
            return true;
        HWND question = drive::WaitForWindow("ADVERTENCIA", 1, pid);
        int create = question == nullptr ? 0 : drive::ButtonReading(question, "&Crear");
        if (create != 0) {
            drive::Screenshot(question, shotFile, shots);
            drive::PostClick(question, create);
            drive::WaitForNoWindow("ADVERTENCIA", 5000, pid);
        }
        return false;
    }, timeoutMs);
    return found;
}

std::string InstallNew(DWORD pid, const std::string& name, const std::string& dir, const std::string& shots,
                       Timing* timing, const std::string& shotPrefix, const EditorCheck& onEditor)
{
    return Drive(DALVO, pid, name, dir, shots, timing, shotPrefix, onEditor);
}

std::string AddNew(DWORD pid, const std::string& name, const std::string& dir, const std::string& shots,
                   Timing* timing, const std::string& shotPrefix, const EditorCheck& onEditor)
{
    return Drive(BRENKO, pid, name, dir, shots, timing, shotPrefix, onEditor);
}

}  // namespace dalvodrive
