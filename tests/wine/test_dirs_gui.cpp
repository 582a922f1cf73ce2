// The directory browser and the creation question, run for real by the
// dirs_host stand-in and driven from this process as a person would.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "caller.h"
#include "drive.h"
#include "fixtures.h"
#include "base/dirpath.h"
#include "dirs_host.h"

namespace {

const char HOST_CAPTION[] = "Prueba de directorios";
const char BROWSE_CAPTION[] = "Seleccione el directorio deseado";
const char CREATE_CAPTION[] = "ADVERTENCIA";
const char CREATE_TEXT[] = "El directorio proporcionado, que aparece a continuaci\xF3n, no existe !";
const char CONFIRM_TEXT[] = "Confirme si desea crearlo ...";

struct Ids {
    int drives, dirs, path, accept, cancel, pending;
};
const Ids TERMINAL = {1037, 1038, 1039, 1024, 1002, 1001};
const Ids SETUP = {1033, 1034, 1036, 1025, 1004, 1000};

// One run of the host: started on a directory, found by its caption.
class Host : public drive::DialogProgram {
public:
    std::string outFile;

    bool Open(const char* exe, const std::string& start)
    {
        outFile = fixture::NewDirectory("dirs-out") + "out.txt";
        // A '\' before the closing quote would escape it: doubled, it stands for one.
        std::string quoted = start;
        if (!quoted.empty() && quoted.back() == '\\')
            quoted += '\\';
        if (!Start(exe, "\"" + outFile + "\" \"" + quoted + "\""))
            return false;
        dialog = Appears(HOST_CAPTION, 20000);
        return dialog != nullptr;
    }

    std::string Written() const { return fixture::ReadAll(outFile); }
    std::string Dir() const { return Text(IDC_HOST_DIR); }
    // What the last "Buscar" or "Aceptar" gave; cleared, a new one shows.
    std::string Result() const { return Text(IDC_HOST_RESULT); }
    void ClearResult() const { drive::SetText(Item(IDC_HOST_RESULT), ""); }

    HWND Browse() const
    {
        Click(IDC_HOST_BUSCAR);
        return Appears(BROWSE_CAPTION);
    }

    HWND Accept() const
    {
        Click(IDC_HOST_ACEPTAR);
        return Appears(CREATE_CAPTION);
    }
};

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, 0, SMTO_ABORTIFHUNG, 2000, &result);
    return static_cast<LRESULT>(result);
}

// The drive numbers the drive list carries, in order, and its selection.
std::vector<int> Drives(HWND browser, const Ids& ids)
{
    HWND list = GetDlgItem(browser, ids.drives);
    std::vector<int> drives;
    LRESULT count = Ask(list, LB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i)
        drives.push_back(static_cast<int>(Ask(list, LB_GETITEMDATA, i)));
    return drives;
}

std::vector<std::string> DirItems(HWND browser, const Ids& ids)
{
    return drive::ListItems(GetDlgItem(browser, ids.dirs));
}

// The directory list as a person reads it: the parent item first, if any,
// then the names in the order of the file system (sorted here).
std::vector<std::string> Listing(HWND browser, const Ids& ids)
{
    std::vector<std::string> items = DirItems(browser, ids);
    auto first = items.begin();
    if (first != items.end() && *first == PARENT_ITEM)
        ++first;
    std::sort(first, items.end());
    return items;
}

int IndexOf(const std::vector<std::string>& items, const std::string& text)
{
    auto at = std::find(items.begin(), items.end(), text);
    return at == items.end() ? -1 : static_cast<int>(at - items.begin());
}

// Double-clicks the item with this text and waits for the path to change.
bool OpenItem(HWND browser, const Ids& ids, const std::string& text, const std::string& expectedPath,
              Caller caller = {})
{
    SCOPED_CALLER(caller);
    int index = IndexOf(DirItems(browser, ids), text);
    if (index < 0) {
        ADD_FAILURE() << "no item '" << text << "'";
        return false;
    }
    drive::ClickListItem(GetDlgItem(browser, ids.dirs), index, true);
    return drive::WaitUntil([&] { return drive::ControlText(browser, ids.path) == expectedPath; });
}

bool OpenDrive(HWND browser, const Ids& ids, int drive)
{
    std::vector<int> drives = Drives(browser, ids);
    auto at = std::find(drives.begin(), drives.end(), drive);
    if (at == drives.end())
        return false;
    drive::ClickListItem(GetDlgItem(browser, ids.drives), static_cast<int>(at - drives.begin()), true);
    std::string root = std::string(1, static_cast<char>('A' + drive)) + ":\\";
    return drive::WaitUntil([&] { return drive::ControlText(browser, ids.path) == root; });
}

bool IsDirectory(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// base (with its trailing '\') holding Alfa, Beta\Uno, Beta\Dos, a hidden
// directory, one beginning with a dot and a file. Returns base without '\'.
std::string MakeTree(Caller caller = {})
{
    SCOPED_CALLER(caller);
    std::string base = fixture::NewDirectory("tree");
    for (const char* dir : {"Alfa", "Beta", "Beta\\Uno", "Beta\\Dos", "Oculto", ".punto"})
        EXPECT_TRUE(CreateDirectoryA((base + dir).c_str(), nullptr)) << dir;
    EXPECT_TRUE(SetFileAttributesA((base + "Oculto").c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_NE(GetFileAttributesA((base + "Oculto").c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u) << "hidden is not kept";
    fixture::WriteBytes(base + "archivo.txt", "x", 1);
    return base.substr(0, base.size() - 1);
}

}  // namespace

TEST(SelecDirectorio, BrowsesANestedTree)
{
    std::string tree = MakeTree();
    Host host;
    ASSERT_TRUE(host.Open(DIRS_HOST_TERMINAL, tree));
    HWND browser = host.Browse();
    ASSERT_NE(browser, nullptr);

    EXPECT_EQ(drive::StaticTexts(browser), (std::vector<std::string>{"Discos", "Directorios"}));
    EXPECT_EQ(drive::ControlText(browser, TERMINAL.accept), "&Aceptar");
    EXPECT_EQ(drive::ControlText(browser, TERMINAL.cancel), "&Cancelar");
    EXPECT_EQ(drive::ControlText(browser, 1026), "&? Ayuda");
    EXPECT_EQ(drive::ControlText(browser, TERMINAL.path), tree);

    // The drives of the prefix, C: selected since the tree is on it.
    std::vector<int> drives = Drives(browser, TERMINAL);
    EXPECT_NE(std::find(drives.begin(), drives.end(), 2), drives.end());
    EXPECT_NE(std::find(drives.begin(), drives.end(), 25), drives.end());
    EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end()));
    int selected = drive::Selection(GetDlgItem(browser, TERMINAL.drives));
    ASSERT_GE(selected, 0);
    EXPECT_EQ(drives[selected], 2);

    // Hidden directories, dot names and files are not listed.
    EXPECT_EQ(Listing(browser, TERMINAL), (std::vector<std::string>{PARENT_ITEM, "Alfa", "Beta"}));
    EXPECT_TRUE(drive::Screenshot(browser, "selec_directorio.bmp"));
    // The parent item shows the parent bitmap (an arrow where the folder is
    // yellow), the others the folder: row 5, column 6 of the 16 x 12 pictures.
    HWND dirs = GetDlgItem(browser, TERMINAL.dirs);
    LRESULT height = Ask(dirs, LB_GETITEMHEIGHT);
    ASSERT_TRUE(drive::WaitPainted(browser));
    EXPECT_EQ(drive::ScreenPixel(dirs, 8 + 6, 4 + 5), RGB(0, 0, 0));
    EXPECT_EQ(drive::ScreenPixel(dirs, 8 + 6, static_cast<int>(height) + 4 + 5), RGB(255, 255, 0));

    ASSERT_TRUE(OpenItem(browser, TERMINAL, "Beta", tree + "\\Beta"));
    EXPECT_EQ(Listing(browser, TERMINAL), (std::vector<std::string>{PARENT_ITEM, "Dos", "Uno"}));
    ASSERT_TRUE(OpenItem(browser, TERMINAL, "Uno", tree + "\\Beta\\Uno"));
    EXPECT_EQ(DirItems(browser, TERMINAL), (std::vector<std::string>{PARENT_ITEM}));
    ASSERT_TRUE(OpenItem(browser, TERMINAL, PARENT_ITEM, tree + "\\Beta\\"));
    EXPECT_EQ(Listing(browser, TERMINAL), (std::vector<std::string>{PARENT_ITEM, "Dos", "Uno"}));
    ASSERT_TRUE(OpenItem(browser, TERMINAL, PARENT_ITEM, tree + "\\"));
    ASSERT_TRUE(OpenItem(browser, TERMINAL, "Alfa", tree + "\\Alfa"));

    drive::PostClick(browser, TERMINAL.accept);
    ASSERT_TRUE(host.Gone(BROWSE_CAPTION));
    EXPECT_TRUE(drive::WaitUntil([&] { return host.Result() == "1"; }));
    EXPECT_EQ(host.Dir(), tree + "\\Alfa");
}

TEST(SelecDirectorio, DriveRootsAndOtherDrives)
{
    Host host;
    ASSERT_TRUE(host.Open(DIRS_HOST_TERMINAL, "C:\\"));
    HWND browser = host.Browse();
    ASSERT_NE(browser, nullptr);

    // At a root there is no parent item: item 0 is a real directory and opens.
    std::vector<std::string> items = DirItems(browser, TERMINAL);
    ASSERT_FALSE(items.empty());
    EXPECT_NE(items[0], PARENT_ITEM);
    EXPECT_NE(IndexOf(items, "windows"), -1);
    ASSERT_TRUE(OpenItem(browser, TERMINAL, items[0], "C:\\" + items[0]));
    EXPECT_EQ(DirItems(browser, TERMINAL).at(0), PARENT_ITEM);

    // Another drive: its root in the path field, and "&Aceptar" right after returns it.
    ASSERT_TRUE(OpenDrive(browser, TERMINAL, 25));
    items = DirItems(browser, TERMINAL);
    EXPECT_EQ(IndexOf(items, PARENT_ITEM), -1);
    EXPECT_NE(IndexOf(items, "tmp"), -1);
    drive::PostClick(browser, TERMINAL.accept);
    EXPECT_TRUE(drive::WaitUntil([&] { return host.Result() == "1"; }));
    EXPECT_EQ(host.Dir(), "Z:\\");
}

TEST(SelecDirectorio, CancelAndCloseLeaveThePath)
{
    // The usual default, not created yet: only the parent item is listed.
    Host host;
    ASSERT_TRUE(host.Open(DIRS_HOST_TERMINAL, "C:\\VONDRA\\Java"));
    HWND browser = host.Browse();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(DirItems(browser, TERMINAL), (std::vector<std::string>{PARENT_ITEM}));
    ASSERT_TRUE(OpenItem(browser, TERMINAL, PARENT_ITEM, "C:\\VONDRA\\"));
    drive::PostClick(browser, TERMINAL.cancel);
    ASSERT_TRUE(host.Gone(BROWSE_CAPTION));
    EXPECT_TRUE(drive::WaitUntil([&] { return host.Result() == "0"; }));
    EXPECT_EQ(host.Dir(), "C:\\VONDRA\\Java");

    browser = host.Browse();
    ASSERT_NE(browser, nullptr);
    ASSERT_TRUE(OpenItem(browser, TERMINAL, PARENT_ITEM, "C:\\VONDRA\\"));
    host.ClearResult();
    PostMessageA(browser, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(drive::WaitUntil([&] { return host.Result() == "0"; }));
    EXPECT_EQ(host.Dir(), "C:\\VONDRA\\Java");
}

TEST(SelecDirectorio, BlankStartIsTheCurrentDirectory)
{
    char current[MAX_PATH];
    ASSERT_NE(GetCurrentDirectoryA(sizeof current, current), 0u);  // the host inherits it
    Host host;
    ASSERT_TRUE(host.Open(DIRS_HOST_TERMINAL, ""));
    HWND browser = host.Browse();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(drive::ControlText(browser, TERMINAL.path), current);
    int selected = drive::Selection(GetDlgItem(browser, TERMINAL.drives));
    ASSERT_GE(selected, 0);
    EXPECT_EQ(Drives(browser, TERMINAL).at(selected), current[0] - 'A');
    drive::PostClick(browser, TERMINAL.cancel);
    EXPECT_TRUE(drive::WaitUntil([&] { return host.Result() == "0"; }));
    EXPECT_EQ(host.Dir(), "");
}

TEST(CrearDirectorio, CreatesEveryMissingLevel)
{
    std::string base = fixture::NewDirectory("create");
    std::string dir = base + "Nuevo\\Sub";
    Host host;
    ASSERT_TRUE(host.Open(DIRS_HOST_TERMINAL, dir));
    HWND question = host.Accept();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(drive::StaticTexts(question), (std::vector<std::string>{CREATE_TEXT, CONFIRM_TEXT}));
    EXPECT_EQ(drive::ControlText(question, TERMINAL.pending), dir);
    EXPECT_EQ(drive::ControlText(question, TERMINAL.accept), "&Crear");
    EXPECT_EQ(drive::ControlText(question, TERMINAL.cancel), "C&ancelar");
    EXPECT_TRUE(drive::Screenshot(question, "crear_directorio.bmp"));
    EXPECT_FALSE(IsDirectory(base + "Nuevo"));

    drive::PostClick(question, TERMINAL.accept);
    EXPECT_EQ(host.Wait(), 1u);
    EXPECT_EQ(host.Written(), dir);
    EXPECT_TRUE(IsDirectory(base + "Nuevo"));
    EXPECT_TRUE(IsDirectory(dir));
}

TEST(CrearDirectorio, DecliningStaysInTheDialog)
{
    std::string base = fixture::NewDirectory("decline");
    std::string dir = base + "Falta\\Aqui\\";
    Host host;
    ASSERT_TRUE(host.Open(DIRS_HOST_TERMINAL, dir));

    HWND question = host.Accept();
    ASSERT_NE(question, nullptr);
    drive::PostClick(question, TERMINAL.cancel);
    ASSERT_TRUE(host.Gone(CREATE_CAPTION));
    EXPECT_TRUE(drive::WaitUntil([&] { return host.Result() == "0"; }));
    EXPECT_TRUE(host.Running());

    host.ClearResult();
    question = host.Accept();  // the close box declines too
    ASSERT_NE(question, nullptr);
    PostMessageA(question, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(host.Gone(CREATE_CAPTION));
    EXPECT_TRUE(drive::WaitUntil([&] { return host.Result() == "0"; }));
    EXPECT_TRUE(IsWindowVisible(host.dialog));
    EXPECT_TRUE(host.Running());
    EXPECT_FALSE(IsDirectory(base + "Falta"));

    host.Click(IDC_HOST_ACEPTAR);
    ASSERT_NE(host.Press(CREATE_CAPTION, TERMINAL.accept), nullptr);
    EXPECT_EQ(host.Wait(), 1u);
    EXPECT_TRUE(IsDirectory(base + "Falta\\Aqui"));
}

TEST(CrearDirectorio, ExistingDirectoriesAreNotQuestioned)
{
    std::string empty = fixture::NewDirectory("exists");  // only "." and ".." in it
    Host host;
    ASSERT_TRUE(host.Open(DIRS_HOST_TERMINAL, empty.substr(0, empty.size() - 1)));
    drive::PostClick(host.dialog, IDC_HOST_ACEPTAR);
    EXPECT_EQ(host.Wait(), 1u);
    EXPECT_EQ(host.Written(), empty.substr(0, empty.size() - 1));

    Host root;
    ASSERT_TRUE(root.Open(DIRS_HOST_TERMINAL, "C:\\"));
    drive::PostClick(root.dialog, IDC_HOST_ACEPTAR);
    EXPECT_EQ(root.Wait(), 1u);
}

TEST(CrearDirectorio, BlankAndUncreatablePathsAreRefused)
{
    Host host;
    ASSERT_TRUE(host.Open(DIRS_HOST_TERMINAL, "  "));
    drive::PostClick(host.dialog, IDC_HOST_ACEPTAR);
    EXPECT_EQ(host.CloseMessage("Error"), "Proporcione el directorio de instalaci\xF3n !");
    EXPECT_EQ(host.Appears(CREATE_CAPTION, 0), nullptr);
    EXPECT_TRUE(drive::WaitUntil([&] { return host.Result() == "0"; }));
    EXPECT_TRUE(host.Running());

    // Below a file no directory can be made: "&Crear" must not report success.
    std::string base = fixture::NewDirectory("file");
    fixture::WriteBytes(base + "archivo.txt", "x", 1);
    std::string dir = base + "archivo.txt\\Sub";
    drive::SetText(GetDlgItem(host.dialog, IDC_HOST_DIR), dir);
    host.ClearResult();
    host.Click(IDC_HOST_ACEPTAR);
    ASSERT_NE(host.Press(CREATE_CAPTION, TERMINAL.accept), nullptr);
    EXPECT_EQ(host.CloseMessage("Error"), "No se pudo crear el directorio !");
    EXPECT_TRUE(drive::WaitUntil([&] { return host.Result() == "0"; }));
    EXPECT_TRUE(IsWindowVisible(host.dialog));
    EXPECT_TRUE(host.Running());
    EXPECT_EQ(host.Written(), "(missing)");
}

TEST(DirDialogs, SetupProgramIdentifiers)
{
    std::string tree = MakeTree();
    Host host;
    ASSERT_TRUE(host.Open(DIRS_HOST_SETUP, tree));
    HWND browser = host.Browse();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(drive::ControlText(browser, SETUP.path), tree);
    EXPECT_EQ(drive::ControlText(browser, SETUP.accept), "&Aceptar");
    EXPECT_EQ(drive::ControlText(browser, SETUP.cancel), "&Cancelar");
    EXPECT_EQ(Listing(browser, SETUP), (std::vector<std::string>{PARENT_ITEM, "Alfa", "Beta"}));
    int selected = drive::Selection(GetDlgItem(browser, SETUP.drives));
    ASSERT_GE(selected, 0);
    EXPECT_EQ(Drives(browser, SETUP).at(selected), 2);
    ASSERT_TRUE(OpenItem(browser, SETUP, "Beta", tree + "\\Beta"));
    drive::PostClick(browser, SETUP.accept);
    EXPECT_TRUE(drive::WaitUntil([&] { return host.Result() == "1"; }));
    EXPECT_EQ(host.Dir(), tree + "\\Beta");

    std::string dir = tree + "\\Beta\\Tres\\Cuatro";
    drive::SetText(GetDlgItem(host.dialog, IDC_HOST_DIR), dir);
    HWND question = host.Accept();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(drive::ControlText(question, SETUP.pending), dir);
    EXPECT_EQ(drive::ControlText(question, SETUP.cancel), "C&ancelar");
    drive::PostClick(question, SETUP.accept);
    EXPECT_EQ(host.Wait(), 1u);
    EXPECT_TRUE(IsDirectory(dir));
}

TEST(DirDialogs, DalvoCarriesBothDialogs)
{
    HMODULE dalvo = LoadLibraryExA(DALVO_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(dalvo, nullptr);
    EXPECT_NE(FindResourceA(dalvo, "SELEC_DIRECTORIO", MAKEINTRESOURCEA(5)), nullptr);
    EXPECT_NE(FindResourceA(dalvo, "crear_directorio", MAKEINTRESOURCEA(5)), nullptr);  // names ignore case
    for (int bitmap : {135, 1070, 1080, 1081, 1082, 1083, 1084, 1085, 1086})
        EXPECT_NE(FindResourceA(dalvo, MAKEINTRESOURCEA(bitmap), MAKEINTRESOURCEA(2)), nullptr) << bitmap;
    FreeLibrary(dalvo);
}
