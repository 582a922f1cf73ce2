#include "chaindrive.h"

#include <algorithm>
#include <vector>

#include "dalvodrive.h"
#include "drive.h"
#include "selectfix.h"
#include "../../resources/fostra/resource.h"
#include "../../resources/params/editor_server_ids.h"
#include "../../resources/params/resource.h"

namespace chaindrive {

const char FIRST_APP[] = "Contabilidad";
const char SECOND_APP[] = "Ventas";
const char SERVER_ADDRESS[] = "192.168.10.5";

namespace {

const char SETUP_CAPTION[] = "Instalaci\xF3n de la versi\xF3n de VONDRA para Internet";
const char TERMINAR_CAPTION[] = "Finalizando la instalaci\xF3n ...";
const char FOSTRA_CAPTION[] = "Instalaci\xF3n y mantenimiento de aplicaciones - SERVIDOR";
const char NEW_ENTRY_CAPTION[] = "Agregar una nueva aplicaci\xF3n - Capturar sus par\xE1metros";
const char ESTILO_CAPTION[] = "Efectos, colores y tipo de letra";
const char PRINTERS_CAPTION[] = "Selecci\xF3n de la impresora directa";
const char ICON_FILE_CAPTION[] = "Cargar un \xED" "cono de un archivo";
const char KELMIN_CAPTION[] = "Instalaci\xF3n de VONDRA";

// Controls of Instalar, Kelmin and Brenko, as a person sees them.
enum { SETUP_DIR = 1000, SETUP_INSTALAR = 1025, TERMINAR_FOSTRA = 1004 };
enum { KELMIN_INSTALAR = 3000, KELMIN_DESINSTALAR = 3001, KELMIN_INSTALADA = 3004, KELMIN_TERMINAR = 2000 };
enum { BRENKO_TERMINAR = 1004, BRENKO_CONTINUAR = 1025 };
enum { PRINTER_LIST = 1040, BY_PORT = 1044 };
enum { DALVO_TERMINAR = 1002 };

void Shot(const Chain& chain, HWND window, const std::string& name)
{
    if (!chain.shots.empty())
        drive::Screenshot(window, name + ".bmp", chain.shots);
}

void Reached(const Chain& chain, const std::string& step, HWND dialog)
{
    if (chain.onDialog)
        chain.onDialog(step, dialog);
}

void Say(const Chain& chain, const std::string& text)
{
    if (chain.say)
        chain.say(text);
}

bool Unchecked(HWND dialog, int box)
{
    drive::PostClick(dialog, box);
    return drive::WaitUntil([&] { return !drive::Checked(dialog, box); });
}

std::string Program(const std::string& dir, const char* file)
{
    return dir + "\\" + file;
}

}  // namespace

std::string ChoosePrinter(HWND editor)
{
    if (!Unchecked(editor, IDC_ES_PRE_NOMBRE_DIRECTA))
        return "could not free the printer name";
    drive::PostClick(editor, IDC_ES_IMPRESORAS);
    HWND printers = drive::WaitForWindow(PRINTERS_CAPTION, 10000);
    if (printers == nullptr)
        return "IMPRESORAS did not open";
    drive::PostClick(printers, BY_PORT);
    drive::WaitUntil([&] { return drive::Checked(printers, BY_PORT); });
    drive::ClickListItem(GetDlgItem(printers, PRINTER_LIST), 1, true);  // 0 is "Predeterminada"
    if (!drive::WaitUntil([&] { return drive::ControlText(editor, IDC_ES_NOMBRE_DIRECTA) == "LPT1:"; }))
        return "the printer was not chosen";
    return "";
}

std::string ChooseIconFile(HWND editor, const std::string& file)
{
    drive::PostClick(editor, IDC_ES_CAMBIAR_ICONO);
    HWND open = drive::WaitForWindow(ICON_FILE_CAPTION, 10000);
    if (open == nullptr)
        return "the icon file dialog did not open";
    drive::SetText(GetDlgItem(open, 1148), file);  // the file name box
    PostMessageA(open, WM_COMMAND, IDOK, 0);
    if (!drive::WaitForNoWindow(ICON_FILE_CAPTION, 10000))
        return "the icon file dialog did not close";
    return "";
}

std::string SetUpFromMedia(const Chain& chain)
{
    Say(chain, "Instalar from the media: the distribution into " + chain.setupDir);
    drive::Program setup;
    std::string exe = Program(chain.media, "Instalar.EXE");
    if (!setup.Launch(exe.c_str(), "\"" + exe + "\"", chain.media))
        return "Instalar.EXE did not start from " + chain.media;
    HWND inicio = setup.Appears(SETUP_CAPTION, 30000);
    if (inicio == nullptr)
        return "Instalar did not show INICIO";
    if (!drive::Type(inicio, SETUP_DIR, chain.setupDir))
        return "could not type the directory into Instalar";
    Shot(chain, inicio, "01-instalar");
    Reached(chain, "instalar", inicio);
    drive::PostClick(inicio, SETUP_INSTALAR);
    HWND done = dalvodrive::AfterCreation(setup.info.dwProcessId, TERMINAR_CAPTION, "02-instalar-crear.bmp",
                                          chain.shots, 180000);
    if (done == nullptr)
        return "Instalar did not reach TERMINAR (an error box?)";
    Shot(chain, done, "03-terminar");
    Reached(chain, "terminar", done);
    Say(chain, "TERMINAR: starting Fostra");
    drive::PostClick(done, TERMINAR_FOSTRA);
    if (setup.WaitExit(20000) != 0)
        return "Instalar did not end after TERMINAR";
    return "";
}

std::string DefineInFostra(const Chain& chain, const std::string& iconFile)
{
    Say(chain, std::string("Fostra: adding ") + FIRST_APP + " with a printer, an appearance, an icon and two fixed fields");
    // The workstation's printer, as the printer list reads it.
    selectfix::AddPrinter("Impresora de oficina", "Impresora de oficina", "LPT1:");
    HWND inicio = drive::WaitForWindow(FOSTRA_CAPTION, 30000);
    if (inicio == nullptr)
        return "Fostra did not show its list";
    Shot(chain, inicio, "04-fostra");
    drive::PostClick(inicio, IDC_INICIO_AGREGAR);
    HWND editor = drive::WaitForWindow(NEW_ENTRY_CAPTION, 10000);
    if (editor == nullptr)
        return "Fostra did not open the editor";
    if (!drive::Type(editor, IDC_ES_NOMBRE, FIRST_APP) || !drive::Type(editor, IDC_ES_IP, SERVER_ADDRESS))
        return "could not type the name and the server address";
    if (!Unchecked(editor, IDC_ES_MOD_SERVIDOR) || !Unchecked(editor, IDC_ES_MOD_TAMANO))
        return "could not clear the Mod. boxes";

    drive::PostClick(editor, IDC_ES_ESTILO);
    HWND estilo = drive::WaitForWindow(ESTILO_CAPTION, 10000);
    if (estilo == nullptr)
        return "PARAM_ESTILO did not open";
    if (!Unchecked(estilo, IDC_ESTILO_S_PRE_FONDO) || !Unchecked(estilo, IDC_ESTILO_S_PRE_LETRAS) ||
        !drive::ChooseItem(GetDlgItem(estilo, IDC_ESTILO_S_FONDO), "Azul") ||
        !drive::ChooseItem(GetDlgItem(estilo, IDC_ESTILO_S_LETRAS), "Amarillo"))
        return "could not choose the colours";
    Shot(chain, estilo, "05-fostra-estilo");
    PostMessageA(estilo, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (!drive::WaitForNoWindow(ESTILO_CAPTION, 5000))
        return "PARAM_ESTILO did not close";

    std::string failure = ChoosePrinter(editor);
    if (failure.empty())
        failure = ChooseIconFile(editor, iconFile);
    if (!failure.empty())
        return failure;

    Shot(chain, editor, "06-fostra-parametros");
    Reached(chain, "fostra-parametros", editor);
    drive::PostClick(editor, IDC_ES_GUARDAR);
    if (!drive::WaitUntil([&] { return IsWindowVisible(inicio) != 0; }, 20000))
        return "Fostra did not save (an error box?)";
    std::vector<std::string> listed = drive::ListItems(GetDlgItem(inicio, IDC_INICIO_LIST));
    if (std::find(listed.begin(), listed.end(), FIRST_APP) == listed.end())
        return "Fostra does not list the new entry";
    Shot(chain, inicio, "07-fostra-guardada");
    drive::PostClick(inicio, IDC_INICIO_TERMINAR);
    if (!drive::WaitForNoWindow(FOSTRA_CAPTION, 10000))
        return "Fostra did not end";
    return "";
}

std::string InstallWithDalvo(const Chain& chain)
{
    std::string terminal = chain.setupDir + "\\Terminal";
    Say(chain, std::string("Dalvo from ") + terminal + ": installing " + FIRST_APP + " into " + chain.setupDir +
                   "\\Java");
    drive::Program dalvo;
    std::string exe = Program(terminal, "Dalvo.EXE");
    if (!dalvo.Launch(exe.c_str(), "\"" + exe + "\"", terminal))
        return "Dalvo.EXE did not start";
    auto editor = [&](HWND dialog) { Reached(chain, "dalvo-parametros", dialog); };
    std::string failure =
        dalvodrive::InstallNew(dalvo.info.dwProcessId, FIRST_APP, chain.setupDir + "\\Java", chain.shots, nullptr,
                               "08-dalvo-", editor);
    if (!failure.empty())
        return "Dalvo: " + failure;
    HWND inicio = dalvo.Appears(dalvodrive::INICIO_CAPTION);
    if (inicio != nullptr)
        drive::PostClick(inicio, DALVO_TERMINAR);
    return dalvo.WaitExit(10000) == 0 ? "" : "Dalvo did not end";
}

std::string InstallRtfLibrary(const Chain& chain)
{
    std::string terminal = chain.setupDir + "\\Terminal";
    Say(chain, "Kelmin from " + terminal + ": Pluvik.DLL and its grant in JAVA.POLICY");
    drive::Program kelmin;
    std::string exe = Program(terminal, "Kelmin.EXE");
    if (!kelmin.Launch(exe.c_str(), "\"" + exe + "\"", terminal))
        return "Kelmin.EXE did not start";
    HWND inicio = kelmin.Appears(KELMIN_CAPTION, 30000);
    if (inicio == nullptr)
        return "Kelmin did not show its window";
    auto installed = [&] { return drive::ControlText(inicio, KELMIN_INSTALADA); };
    if (!drive::WaitUntil([&] { return !installed().empty(); }))
        return "Kelmin did not show the installed version";
    Shot(chain, inicio, "09-kelmin");
    drive::PostClick(inicio, KELMIN_INSTALAR);
    if (!drive::WaitUntil([&] { return IsWindowEnabled(GetDlgItem(inicio, KELMIN_DESINSTALAR)) != 0; }, 20000))
        return "Kelmin did not install the library (an error box?)";
    Shot(chain, inicio, "10-kelmin-instalada");
    Reached(chain, "kelmin", inicio);
    drive::PostClick(inicio, KELMIN_TERMINAR);
    return kelmin.WaitExit(10000) == 0 ? "" : "Kelmin did not end";
}

std::string AddWithBrenko(const Chain& chain)
{
    Say(chain, std::string("Brenko from ") + chain.setupDir + ": its initial message, then adding and installing " +
                   SECOND_APP);
    drive::Program brenko;
    std::string exe = Program(chain.setupDir, "Brenko.EXE");
    if (!brenko.Launch(exe.c_str(), "\"" + exe + "\"", chain.setupDir))
        return "Brenko.EXE did not start";
    DWORD pid = brenko.info.dwProcessId;
    HWND inicio = brenko.Appears(dalvodrive::BRENKO_INICIO_CAPTION, 30000);
    if (inicio == nullptr)
        return "Brenko did not show INICIO";
    // The message has no caption: it is the dialog that offers to run Fostra.
    HWND message = nullptr;
    drive::WaitUntil([&] {
        message = drive::FindWindowNow("#32770", pid, [](HWND w) { return drive::ButtonReading(w, "&Ejecutar Fostra.EXE"); });
        return message != nullptr;
    }, 20000);
    if (message == nullptr)
        return "Brenko did not show its initial message";
    Shot(chain, message, "11-brenko-mensaje");
    Reached(chain, "brenko-mensaje", message);
    drive::PostClick(message, BRENKO_CONTINUAR);
    if (!drive::WaitUntil([&] { return !IsWindow(message); }))
        return "the initial message did not close";

    auto editor = [&](HWND dialog) { Reached(chain, "brenko-parametros", dialog); };
    std::string failure = dalvodrive::AddNew(pid, SECOND_APP, chain.setupDir + "\\" + SECOND_APP, chain.shots,
                                             nullptr, "12-brenko-", editor);
    if (!failure.empty())
        return "Brenko: " + failure;
    Shot(chain, inicio, "13-brenko-inicio");
    drive::PostClick(inicio, BRENKO_TERMINAR);
    return brenko.WaitExit(10000) == 0 ? "" : "Brenko did not end";
}

std::string Run(const Chain& chain, const std::string& iconFile)
{
    std::string failure = SetUpFromMedia(chain);
    if (failure.empty())
        failure = DefineInFostra(chain, iconFile);
    if (failure.empty())
        failure = InstallWithDalvo(chain);
    if (failure.empty())
        failure = InstallRtfLibrary(chain);
    if (failure.empty())
        failure = AddWithBrenko(chain);
    return failure;
}

}  // namespace chaindrive
