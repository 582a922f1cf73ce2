// The printer selection and the icon picker, driven from outside as a person
// would: selecthost opens the real dialogs of the parameter library, this
// process finds them by caption, reads and clicks them, and then reads what
// the host reports.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "drive.h"
#include "fixtures.h"
#include "selectfix.h"

using selectfix::AddPrinter;

namespace {

const char IMPRESORAS[] = "Selecci\xF3n de la impresora directa";
const char CONFIRMADSP[] = "Confirmar el nombre del dispositivo (impresora)";
const char OPEN_TITLE[] = "Cargar un \xED" "cono de un archivo";
const std::string ICONS = ICONS_DIR;

struct Ids {
    int list, useName, usePort, edit, accept, cancel;
};
const Ids TERMINAL = {1036, 1037, 1038, 1013, 1040, 1041};
const Ids SERVER = {1040, 1042, 1044, 1014, 1047, 1050};

// selecthost started with its actions; its report is read when it has ended.
class Host : public drive::Program {
public:
    std::string report;
    bool started = false;

    Host(const char* exe, const std::vector<std::string>& actions)
    {
        report = fixture::NewDirectory("host") + "report.txt";
        std::string arguments = "\"" + report + "\"";
        for (const std::string& action : actions)
            arguments += " \"" + action + "\"";
        started = Start(exe, arguments);
    }

    HWND Window(const char* caption, DWORD ms = 10000) const { return Appears(caption, ms); }
    // The report's lines once the host has ended.
    std::vector<std::string> Lines()
    {
        std::vector<std::string> lines;
        if (!started || WaitExit(15000) == STILL_ACTIVE)
            return {"host did not end"};
        std::ifstream in(report);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
};

using drive::Checked;

class Printers : public ::testing::Test {
protected:
    void SetUp() override
    {
        selectfix::ClearPrinters();
        AddPrinter("Epson Stylus C60", "Epson Stylus C60", "LPT1:");
        AddPrinter("Rara", "Rara (Puerto: X) Uno", "FILE:");
        AddPrinter("Vacia", "Vacia", "");
        AddPrinter("Zeta larga", std::string(140, 'L').c_str(), "USB001");
    }
    void TearDown() override { selectfix::ClearPrinters(); }

    // Chooses line index by a double click, by name (confirming what
    // CONFIRMADSP proposes, or replacing it) or by port.
    std::vector<std::string> Choose(int index, bool byName, std::string* proposed = nullptr,
                                    const char* replacement = nullptr, const Ids& ids = TERMINAL,
                                    const char* exe = HOST_EXE)
    {
        Host host(exe, {"printer"});
        HWND dialog = host.Window(IMPRESORAS);
        if (dialog == nullptr)
            return {"no IMPRESORAS"};
        if (!byName)
            drive::PostClick(dialog, ids.usePort);
        drive::WaitUntil([&] { return Checked(dialog, ids.usePort) == !byName; });
        drive::ClickListItem(GetDlgItem(dialog, ids.list), index, true);
        if (byName) {
            HWND confirm = host.Window(CONFIRMADSP);
            if (confirm == nullptr)
                return {"no CONFIRMADSP"};
            if (proposed != nullptr)
                *proposed = drive::ControlText(confirm, ids.edit);
            if (replacement != nullptr)
                drive::SetText(GetDlgItem(confirm, ids.edit), replacement);
            drive::PostClick(confirm, ids.accept);
        }
        return host.Lines();
    }
};

}  // namespace

TEST_F(Printers, ListByNameConfirmedAndEditedInConfirmadsp)
{
    Host host(HOST_EXE, {"printer"});
    HWND dialog = host.Window(IMPRESORAS);
    ASSERT_NE(dialog, nullptr);
    HWND list = GetDlgItem(dialog, TERMINAL.list);
    EXPECT_EQ(drive::ListItems(list), (std::vector<std::string>{
                                          "Predeterminada",
                                          "Epson Stylus C60 (Puerto: LPT1:)",
                                          "Rara (Puerto: X) Uno (Puerto: FILE:)",
                                          "Vacia (Puerto: )",
                                          std::string(140, 'L') + " (Puerto: USB001)",
                                      }));
    EXPECT_EQ(drive::StaticTexts(dialog),
              std::vector<std::string>{"Seleccione la impresora deseada y determine si desea usar el nombre del "
                                       "dispositivo o su puerto (f\xEDsico o virtual)."});
    EXPECT_EQ(drive::ControlText(dialog, TERMINAL.useName), "Usar &nombre");
    EXPECT_EQ(drive::ControlText(dialog, TERMINAL.usePort), "Usar &puerto");
    EXPECT_TRUE(Checked(dialog, TERMINAL.useName));
    EXPECT_FALSE(Checked(dialog, TERMINAL.usePort));

    // A single click only selects.
    drive::ClickListItem(list, 1, false);
    EXPECT_TRUE(drive::WaitUntil([&] { return drive::Selection(list) == 1; }));
    EXPECT_EQ(host.Window(CONFIRMADSP, 500), nullptr);
    EXPECT_TRUE(drive::Screenshot(dialog, "impresoras.bmp"));

    drive::ClickListItem(list, 1, true);
    HWND confirm = host.Window(CONFIRMADSP);
    ASSERT_NE(confirm, nullptr);
    EXPECT_EQ(drive::StaticTexts(confirm),
              std::vector<std::string>{"Modifique de ser necesario el nombre del dispositivo, recuerde que la "
                                       "selecci\xF3n es a primera ocurrencia:"});
    EXPECT_EQ(drive::ControlText(confirm, TERMINAL.edit), "Epson Stylus C60 ");
    EXPECT_EQ(drive::ControlText(confirm, TERMINAL.accept), "&Aceptar");
    EXPECT_EQ(drive::ControlText(confirm, TERMINAL.cancel), "&Cancelar");
    EXPECT_TRUE(drive::Screenshot(confirm, "confirmadsp.bmp"));

    // Cancelling returns to the list, which stays open.
    drive::PostClick(confirm, TERMINAL.cancel);
    EXPECT_TRUE(host.Gone(CONFIRMADSP));
    EXPECT_TRUE(IsWindowVisible(dialog));

    drive::ClickListItem(list, 1, true);
    confirm = host.Window(CONFIRMADSP);
    ASSERT_NE(confirm, nullptr);
    drive::SetText(GetDlgItem(confirm, TERMINAL.edit), "Epson");
    drive::PostClick(confirm, TERMINAL.accept);
    EXPECT_EQ(host.Lines(), std::vector<std::string>{"printer 1|Epson|Epson"});
}

TEST_F(Printers, RadioButtonsStayExclusiveAndClosingChoosesNothing)
{
    Host host(HOST_EXE, {"printer"});
    HWND dialog = host.Window(IMPRESORAS);
    ASSERT_NE(dialog, nullptr);
    drive::PostClick(dialog, TERMINAL.usePort);
    EXPECT_TRUE(drive::WaitUntil([&] { return Checked(dialog, TERMINAL.usePort); }));
    EXPECT_FALSE(Checked(dialog, TERMINAL.useName));
    drive::PostClick(dialog, TERMINAL.useName);
    EXPECT_TRUE(drive::WaitUntil([&] { return Checked(dialog, TERMINAL.useName); }));
    EXPECT_FALSE(Checked(dialog, TERMINAL.usePort));

    // A double click below the lines selects nothing and chooses nothing.
    HWND list = GetDlgItem(dialog, TERMINAL.list);
    drive::DoubleClickBelowItems(list);
    drive::Settle(dialog);
    EXPECT_EQ(host.Window(CONFIRMADSP, 500), nullptr);

    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(host.Lines(), std::vector<std::string>{"printer 0||antes"});
}

TEST_F(Printers, NameOrPortOfEachKindOfLine)
{
    std::string proposed;
    EXPECT_EQ(Choose(1, false), std::vector<std::string>{"printer 1|LPT1:|LPT1:"});
    EXPECT_EQ(Choose(0, false), std::vector<std::string>{"printer 1|PRN|PRN"});
    EXPECT_EQ(Choose(0, true, &proposed), std::vector<std::string>{"printer 1|PRN|PRN"});
    EXPECT_EQ(proposed, "PRN");
    EXPECT_EQ(Choose(3, false), std::vector<std::string>{"printer 1||"});  // an empty port
    // A name holding "(Puerto: " is cut at its first occurrence.
    EXPECT_EQ(Choose(2, true, &proposed), std::vector<std::string>{"printer 1|Rara |Rara "});
    EXPECT_EQ(proposed, "Rara ");
    EXPECT_EQ(Choose(2, false), std::vector<std::string>{"printer 1|X) Uno (Puerto: FILE:|X) Uno (Puerto: FILE:"});
    // The chosen text is handed back whole; the record keeps 127 characters.
    std::string name(140, 'L');
    EXPECT_EQ(Choose(4, true, &proposed), std::vector<std::string>{"printer 1|" + name + " |" + name.substr(0, 127)});
    EXPECT_EQ(proposed, name + " ");
}

TEST_F(Printers, ServerConfiguratorNumbersTheControlsItsOwnWay)
{
    std::string proposed;
    EXPECT_EQ(Choose(1, true, &proposed, "Epson C60", SERVER, SERVER_HOST_EXE),
              std::vector<std::string>{"printer 1|Epson C60|Epson C60"});
    EXPECT_EQ(proposed, "Epson Stylus C60 ");
    EXPECT_EQ(Choose(1, false, nullptr, nullptr, SERVER, SERVER_HOST_EXE),
              std::vector<std::string>{"printer 1|LPT1:|LPT1:"});
}

namespace {

const char HOST_TITLE[] = "Sacar \xED" "cono [selecthost.exe]";

}  // namespace

TEST(IconPicker, ListsTheGroupsSortedAndTakesTheSelectedOne)
{
    Host host(HOST_EXE, {"load=" HOST_EXE, "icon", "handle", "write=" + fixture::NewDirectory("pick") + "x.ico"});
    HWND picker = host.Window(HOST_TITLE);
    ASSERT_NE(picker, nullptr);
    HWND list = GetDlgItem(picker, 603);
    // Sorted by text: "31" before "7", numbers before names.
    EXPECT_EQ(drive::ListItems(list), (std::vector<std::string>{"Icono [128]", "Icono [31]", "Icono [7]",
                                                                "Icono [ALFA]", "Icono [ZETA]"}));
    EXPECT_EQ(drive::ControlText(picker, IDOK), "&Seleccionar");
    EXPECT_EQ(drive::ControlText(picker, IDCANCEL), "&Cancelar");
    EXPECT_EQ(drive::Selection(list), 0);
    EXPECT_TRUE(drive::Screenshot(picker, "sacar_icono_128.bmp"));

    // A double click only selects; the selected group is drawn.
    drive::ClickListItem(list, 3, true);
    EXPECT_TRUE(drive::WaitUntil([&] { return drive::Selection(list) == 3; }));
    EXPECT_TRUE(drive::Screenshot(picker, "sacar_icono_alfa.bmp"));
    // This click is handled after the double click: had that closed the
    // picker, it would never select.
    drive::ClickListItem(list, 2, false);
    EXPECT_TRUE(drive::WaitUntil([&] { return drive::Selection(list) == 2; }));
    EXPECT_NE(host.Window(HOST_TITLE, 100), nullptr);
    drive::PostClick(picker, IDOK);
    std::vector<std::string> lines = host.Lines();
    EXPECT_EQ(lines, (std::vector<std::string>{"load 1", "icon||" HOST_EXE "|2", "image 32 32 1 304",
                                                "image 16 16 32 1128", "handle 32 32", "write 1"}));
}

TEST(IconPicker, CancelLeavesNoIconAndNamedGroupsOfASystemLibrary)
{
    {
        Host host(HOST_EXE, {"load=" + ICONS + "\\alfa.ico", "load=" HOST_EXE, "icon"});
        HWND picker = host.Window(HOST_TITLE);
        ASSERT_NE(picker, nullptr);
        drive::PostClick(picker, IDCANCEL);
        EXPECT_EQ(host.Lines(), (std::vector<std::string>{"load 1", "load 0", "icon|||0"}));
    }
    const char* library = "C:\\windows\\system32\\comdlg32.dll";
    Host host(HOST_EXE, {std::string("load=") + library, "icon"});
    HWND picker = host.Window("Sacar \xED" "cono [comdlg32.dll]");
    ASSERT_NE(picker, nullptr);
    std::vector<std::string> items = drive::ListItems(GetDlgItem(picker, 603));
    ASSERT_GE(items.size(), 2u);
    int folder = -1;
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].compare(0, 7, "Icono ["), 0) << items[i];
        if (i > 0) {
            EXPECT_LT(lstrcmpiA(items[i - 1].c_str(), items[i].c_str()), 0);
        }
        if (items[i] == "Icono [FOLDER]")
            folder = static_cast<int>(i);
    }
    ASSERT_GE(folder, 0);
    drive::ClickListItem(GetDlgItem(picker, 603), folder, false);
    EXPECT_TRUE(drive::WaitUntil([&] { return drive::Selection(GetDlgItem(picker, 603)) == folder; }));
    EXPECT_TRUE(drive::Screenshot(picker, "sacar_icono_comdlg32.bmp"));
    drive::PostClick(picker, IDOK);
    std::vector<std::string> lines = host.Lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "load 1");
    EXPECT_EQ(lines[1].compare(0, lines[1].rfind('|') + 1, std::string("icon||") + library + "|"), 0) << lines[1];
}

TEST(IconFileDialog, CancelKeepsTheIconAndAChosenFileReplacesIt)
{
    std::string alfa = ICONS + "\\alfa.ico";
    {
        Host host(HOST_EXE, {"load=" + alfa, "ask", "icon"});
        HWND dialog = host.Window(OPEN_TITLE);
        ASSERT_NE(dialog, nullptr);
        // The file type combo: three filters, the first selected.
        HWND types = GetDlgItem(dialog, 1136);
        EXPECT_EQ(drive::ListItems(types).size(), 3u);
        EXPECT_EQ(drive::Selection(types), 0);
        EXPECT_EQ(drive::Text(types), "Iconos (*.ICO)");
        EXPECT_TRUE(drive::Screenshot(dialog, "cargar_icono.bmp"));
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_EQ(host.Lines(), (std::vector<std::string>{"load 1", "ask 0", "icon|" + alfa + "||2", "image 16 16 4 296",
                                                           "image 32 32 32 4264"}));
    }
    std::string siete = ICONS + "\\siete.ico";
    Host host(HOST_EXE, {"load=" + alfa, "ask", "icon"});
    HWND dialog = host.Window(OPEN_TITLE);
    ASSERT_NE(dialog, nullptr);
    drive::SetText(GetDlgItem(dialog, 1148), siete);  // the file name box
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    std::vector<std::string> lines = host.Lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], "ask 1");
    EXPECT_EQ(lines[2], "icon|" + siete + "||2");
}

TEST(IconView, DrawsTheFirstImageAtItsOwnSize)
{
    for (const char* file : {"alfa.ico", "zeta.ico"}) {
        Host host(HOST_EXE, {"load=" + ICONS + "\\" + file, "show"});
        HWND view = host.Window("Vista del \xED" "cono");
        ASSERT_NE(view, nullptr);
        EXPECT_TRUE(drive::Screenshot(view, std::string("vista_") + file + ".bmp"));
        PostMessageA(view, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(host.Lines(), (std::vector<std::string>{"load 1", "show"}));
    }
}
