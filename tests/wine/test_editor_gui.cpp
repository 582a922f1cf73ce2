// The parameter editor PARAMETROS of the terminal installer, run for real by
// editor_host over entry files and driven from this process as a person would.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "caller.h"
#include "drive.h"
#include "fixtures.h"
#include "params/record.h"
#include "recordfix.h"
#include "resources/params/editor_ids.h"

namespace {

using fixture::Exists;

const char UPDATE_CAPTION[] = "Actualizar par\xE1metros de una aplicaci\xF3n";
const char NEW_CAPTION[] = "Agregar una nueva aplicaci\xF3n - Capturar sus par\xE1metros";
const char NO_IP[] = "La direcci\xF3n IP no puede ser blancos !";

AppParams Defaults(const char* name)
{
    AppParams r = recordfix::Defaults(name);
    std::strcpy(r.ipServidor, "192.168.10.4");
    std::strcpy(r.parametrosP, "CLAVE,PR");
    r.renglones = 30;
    r.columnas = 100;
    r.modClave = 1;
    r.modSeleccionar = 1;
    r.modImagen = 1;
    return r;
}

// Every parameter modifiable, no Pre. box set, values away from the defaults.
AppParams Modifiable(const char* name)
{
    AppParams r = Defaults(name);
    std::memset(r.pre, 0, sizeof r.pre);
    r.preMargen = 0;
    std::strcpy(r.letraModerno, "Consolas");
    std::strcpy(r.letraDecorativo, "Papyrus");
    std::strcpy(r.letraRomano, "Georgia");
    std::strcpy(r.letraSuizo, "Verdana");
    std::strcpy(r.letraManuscrito, "Brush Script");
    r.envio = 1;
    r.tamano = 5;
    std::strcpy(r.directaDirectorio, "D:\\Listados");
    std::strcpy(r.directaNombre, "Epson Stylus C60");
    r.directaI = 1;
    r.directaA = 1;
    std::strcpy(r.correoEnviador, "ventas@ostrel.mx");
    std::strcpy(r.correoServidor, "smtp.ostrel.mx");
    std::strcpy(r.correoClave, "s3creta");
    r.imagen = 2;
    r.margen = 3;
    r.seleccionarImpresora = 1;
    r.paginaInicial = 1;
    r.imagenesGrandes = 1;
    std::strcpy(r.tiempo, "45");
    r.colorFondo = 4;
    r.efectoFondo = 7;
    return r;
}

// Every Mod. flag 0: the terminal may change nothing.
AppParams Fixed(const char* name)
{
    AppParams r = Modifiable(name);
    std::memset(r.mod, 0, sizeof r.mod);
    r.pre[SLOT_ROMANO] = 1;
    r.pre[SLOT_DIRECTA_NOMBRE] = 1;
    r.modMargen = r.modEnviador = r.modServidor = r.modClave = r.modSeleccionar = r.modImagen = 0;
    return r;
}

// One run of the editor over an entry file written into a new directory.
class Editor : public drive::DialogProgram {
public:
    std::string dir;

    // The entry icon to copy beside the entry file, if any, and its name.
    std::string iconSource, iconName;
    // Where an accepted editor installs, with the Java runtime to use.
    std::string installTo, javaHome;
    int32_t copyJars = -1;

    Editor() = default;
    // One that installs to the workstation's target with its Java runtime.
    explicit Editor(const fixture::Workstation& ws) : installTo(ws.target), javaHome(ws.java) {}

    bool Open(const AppParams& record, int isNew, const char* fileName = nullptr)
    {
        dir = fixture::NewDirectory("editor");
        std::string name = fileName != nullptr ? fileName : record.nombre;
        fixture::WriteBytes(dir + name + ".DAI", &record, sizeof record);
        if (!iconSource.empty() && !CopyFileA(iconSource.c_str(), (dir + iconName).c_str(), FALSE))
            return false;
        std::string exe = EDITOR_HOST;
        // Without its last backslash, which would escape the closing quote.
        std::string entries = dir.substr(0, dir.size() - 1);
        std::string arguments =
            "\"" + entries + "\" \"" + name + "\" " + std::to_string(isNew) + " \"" + dir + "out.dai\"";
        if (!installTo.empty())
            arguments += " \"" + installTo + "\" \"" + javaHome + "\"";
        if (!Start(exe, arguments))
            return false;
        dialog = Appears(isNew == 1 ? NEW_CAPTION : UPDATE_CAPTION, 20000);
        return dialog != nullptr;
    }

    AppParams Result(Caller caller = {})
    {
        SCOPED_CALLER(caller);
        AppParams r;
        std::memset(&r, 0xEE, sizeof r);
        FILE* in = std::fopen((dir + "out.dai").c_str(), "rb");
        if (in == nullptr) {
            ADD_FAILURE() << "the host wrote no record";
            std::memset(&r, 0, sizeof r);
            return r;
        }
        EXPECT_EQ(std::fread(&r, 1, sizeof r, in), sizeof r);
        EXPECT_EQ(std::fread(&copyJars, 1, sizeof copyJars, in), sizeof copyJars);
        std::fclose(in);
        return r;
    }

    // Clicks a Pre. box and waits until its control follows it, and until
    // the rest of that click (text, other controls) has been handled too.
    void TogglePre(int box, int control, Caller caller = {}) const
    {
        SCOPED_CALLER(caller);
        bool wasEnabled = Enabled(control);
        Click(box);
        EXPECT_TRUE(drive::WaitUntil([&] { return Enabled(control) != wasEnabled; })) << box;
        drive::Settle(dialog);
    }

    // Types into an edit, or the edit of a combo, as a person does.
    void Type(int id, const char* text, const char* shown = nullptr, Caller caller = {}) const
    {
        SCOPED_CALLER(caller);
        EXPECT_TRUE(drive::Type(dialog, id, text, shown)) << id;
    }

    // Chooses a combo's item by its text, with the notification a choice sends.
    void Choose(int id, const char* text, Caller caller = {}) const
    {
        SCOPED_CALLER(caller);
        DWORD_PTR index = 0;
        SendMessageTimeoutA(Item(id), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text),
                            SMTO_ABORTIFHUNG, 2000, &index);
        ASSERT_NE(index, static_cast<DWORD_PTR>(CB_ERR)) << text;
        SendMessageTimeoutA(Item(id), CB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG, 2000, &index);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(id)));
        drive::Settle(dialog);
    }

    // Ends the editor with a button and reads the record it wrote.
    AppParams End(int button, DWORD code, Caller caller = {})
    {
        SCOPED_CALLER(caller);
        Click(button);
        EXPECT_EQ(Wait(), code);
        return Result();
    }

    // Saves an update, then answers the question about the archives.
    void SaveAnsweringArchives(int answer, Caller caller = {}) const
    {
        SCOPED_CALLER(caller);
        Click(IDC_ED_ACEPTAR);
        HWND save = Press("ADVERTENCIA", 1024), jars = nullptr;
        ASSERT_NE(save, nullptr);
        ASSERT_TRUE(drive::WaitUntil([&] {
            jars = Appears("ADVERTENCIA", 100);
            return jars != nullptr && jars != save && drive::ControlText(jars, 1024) == "&Actualizarlos";
        }));
        drive::PostClick(jars, answer);
    }

    // Opens a sub-dialog with a button, checks it came, and closes it again.
    void OpensAndCloses(int button, const char* caption, Caller caller = {}) const
    {
        SCOPED_CALLER(caller);
        Click(button);
        HWND sub = Appears(caption);
        ASSERT_NE(sub, nullptr) << caption;
        EXPECT_EQ(GetWindow(sub, GW_OWNER), dialog) << caption;
        PostMessageA(sub, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(Gone(caption)) << caption;
    }
};

// Pixels of the icon area (35, 30) to (67, 62) that differ from the
// dialog's face colour; -1 when the dialog was not painted in time.
int IconPixels(const Editor& ed)
{
    if (!drive::WaitPainted(ed.dialog))
        return -1;
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    int count = 0;
    for (int y = 30; y < 62; y += 2)
        for (int x = 35; x < 67; x += 2)
            if (drive::ScreenPixel(ed.dialog, x, y) != face)
                ++count;
    return count;
}

// The controls that a Mod. flag of 0 disables, with their Pre. boxes.
const int GOVERNED[] = {IDC_ED_MODERNO,        IDC_ED_PRE_MODERNO,    IDC_ED_DECORATIVO,         IDC_ED_PRE_DECORATIVO,
                        IDC_ED_ROMANO,         IDC_ED_PRE_ROMANO,     IDC_ED_SUIZO,              IDC_ED_PRE_SUIZO,
                        IDC_ED_MANUSCRITO,     IDC_ED_PRE_MANUSCRITO, IDC_ED_ENVIO,              IDC_ED_PRE_ENVIO,
                        IDC_ED_TAMANO,         IDC_ED_PRE_TAMANO,     IDC_ED_DIRECTORIO,         IDC_ED_PRE_DIRECTORIO,
                        IDC_ED_NOMBRE_DIRECTA, IDC_ED_IMPRESORAS,     IDC_ED_PRE_NOMBRE_DIRECTA, IDC_ED_DIRECTA_I,
                        IDC_ED_DIRECTA_F,      IDC_ED_DIRECTA_A,      IDC_ED_MARGEN,             IDC_ED_PRE_MARGEN,
                        IDC_ED_ENVIADOR,       IDC_ED_SERVIDOR,       IDC_ED_CLAVE,              IDC_ED_IMAGEN,
                        IDC_ED_SELECCIONAR_SI, IDC_ED_SELECCIONAR_NO, IDC_ED_RCM};

void ExpectSame(const AppParams& got, const AppParams& want, Caller caller = {})
{
    SCOPED_CALLER(caller);
    EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0);
    EXPECT_STREQ(got.letraModerno, want.letraModerno);
    EXPECT_STREQ(got.directaNombre, want.directaNombre);
    EXPECT_EQ(got.envio, want.envio);
    EXPECT_EQ(got.margen, want.margen);
    EXPECT_EQ(got.imagen, want.imagen);
}

}  // namespace

TEST(Editor, ModifiableEntryShowsItsValuesAndCancelKeepsThem)
{
    AppParams r = Modifiable("Contabilidad");
    Editor ed;
    ed.iconSource = DALVO_ICO;
    ed.iconName = "Contabilidad.ICO";
    ASSERT_TRUE(ed.Open(r, 0));

    const struct {
        int id;
        const char* text;
    } shown[] = {{IDC_ED_NOMBRE, "Contabilidad"}, {IDC_ED_IP, "192.168.10.4"}, {IDC_ED_PARAMETROS, "CLAVE,PR"},
                 {IDC_ED_MODERNO, "Consolas"}, {IDC_ED_DECORATIVO, "Papyrus"}, {IDC_ED_ROMANO, "Georgia"},
                 {IDC_ED_SUIZO, "Verdana"}, {IDC_ED_MANUSCRITO, "Brush Script"}, {IDC_ED_ENVIO, "BL=Bloque de campos"},
                 {IDC_ED_TAMANO, "RCM"}, {IDC_ED_DIRECTORIO, "D:\\Listados"}, {IDC_ED_MARGEN, "0.6"},
                 {IDC_ED_NOMBRE_DIRECTA, "Epson Stylus C60"}, {IDC_ED_ENVIADOR, "ventas@ostrel.mx"},
                 {IDC_ED_SERVIDOR, "smtp.ostrel.mx"}, {IDC_ED_CLAVE, "s3creta"}, {IDC_ED_TIEMPO, "45"},
                 {IDC_ED_IMAGEN, "gif"}};
    for (const auto& field : shown)
        EXPECT_EQ(ed.Text(field.id), field.text) << field.id;
    EXPECT_TRUE(ed.Checked(IDC_ED_PAGINA_INICIAL));
    EXPECT_TRUE(ed.Checked(IDC_ED_IMAGENES_GRANDES));
    EXPECT_FALSE(ed.Enabled(IDC_ED_IMAGENES_GRANDES));
    EXPECT_EQ(ed.Selection(IDC_ED_IMAGEN), 2);
    EXPECT_TRUE(ed.Checked(IDC_ED_DIRECTA_I));
    EXPECT_FALSE(ed.Checked(IDC_ED_DIRECTA_F));
    EXPECT_TRUE(ed.Checked(IDC_ED_DIRECTA_A));
    EXPECT_TRUE(ed.Checked(IDC_ED_SELECCIONAR_SI));
    EXPECT_FALSE(ed.Checked(IDC_ED_SELECCIONAR_NO));
    EXPECT_EQ(ed.Text(IDC_ED_ACEPTAR), "&Actualizar");
    for (int id : GOVERNED)
        EXPECT_TRUE(ed.Enabled(id)) << id;
    EXPECT_TRUE(ed.Enabled(IDC_ED_DESINSTALAR));
    EXPECT_TRUE(drive::Screenshot(ed.dialog, "parametros_modificable.bmp"));

    PostMessageA(ed.dialog, WM_COMMAND, IDC_ED_CANCELAR, 0);
    EXPECT_EQ(ed.Wait(), 0u);
    ExpectSame(ed.Result(), r);
}

TEST(Editor, FixedEntryCannotBeChanged)
{
    AppParams r = Fixed("Nomina");
    r.tamano = 5;
    Editor ed;
    ASSERT_TRUE(ed.Open(r, 1));
    for (int id : GOVERNED)
        EXPECT_FALSE(ed.Enabled(id)) << id;
    // Shown as fixed by the server; Pre. shows the predetermined value.
    EXPECT_EQ(ed.Text(IDC_ED_MODERNO), "Consolas");
    EXPECT_EQ(ed.Text(IDC_ED_ROMANO), "Times New Roman");
    EXPECT_EQ(ed.Text(IDC_ED_NOMBRE_DIRECTA), "PRN");
    EXPECT_TRUE(ed.Checked(IDC_ED_PRE_ROMANO));
    // Not governed by Mod.: the check box, the time and the appearance.
    EXPECT_TRUE(ed.Enabled(IDC_ED_PAGINA_INICIAL));
    EXPECT_TRUE(ed.Enabled(IDC_ED_TIEMPO));
    EXPECT_TRUE(ed.Enabled(IDC_ED_ESTILO));
    EXPECT_FALSE(ed.Enabled(IDC_ED_DESINSTALAR));  // not installed yet
    EXPECT_EQ(ed.Text(IDC_ED_ACEPTAR), "&Instalar");
    EXPECT_TRUE(drive::Screenshot(ed.dialog, "parametros_fijo.bmp"));

    // Accepting reads every control back: the fixed values come back unchanged.
    ExpectSame(ed.End(IDC_ED_ACEPTAR, 1), r);
}

TEST(Editor, PreBoxesShowThePredeterminedValueAndGiveTheEarlierOneBack)
{
    AppParams r = Modifiable("Ventas");
    Editor ed;
    ASSERT_TRUE(ed.Open(r, 1));

    // A typed font survives its Pre. box being set and cleared.
    ed.Type(IDC_ED_MODERNO, "Lucida Console");
    ed.TogglePre(IDC_ED_PRE_MODERNO, IDC_ED_MODERNO);
    EXPECT_EQ(ed.Text(IDC_ED_MODERNO), "Courier New");
    ed.TogglePre(IDC_ED_PRE_MODERNO, IDC_ED_MODERNO);
    EXPECT_EQ(ed.Text(IDC_ED_MODERNO), "Lucida Console");

    const struct {
        int box, control;
        const char* shown;
        const char* earlier;
    } boxes[] = {{IDC_ED_PRE_DECORATIVO, IDC_ED_DECORATIVO, "Lucida Calligraphy", "Papyrus"},
                 {IDC_ED_PRE_ROMANO, IDC_ED_ROMANO, "Times New Roman", "Georgia"},
                 {IDC_ED_PRE_SUIZO, IDC_ED_SUIZO, "Arial", "Verdana"},
                 {IDC_ED_PRE_MANUSCRITO, IDC_ED_MANUSCRITO, "Lucida Handwriting", "Brush Script"},
                 {IDC_ED_PRE_ENVIO, IDC_ED_ENVIO, "CXC=Campo por Campo", "BL=Bloque de campos"},
                 {IDC_ED_PRE_TAMANO, IDC_ED_TAMANO, "Predeterminado", "RCM"},
                 {IDC_ED_PRE_DIRECTORIO, IDC_ED_DIRECTORIO, "C:\\", "D:\\Listados"},
                 {IDC_ED_PRE_NOMBRE_DIRECTA, IDC_ED_NOMBRE_DIRECTA, "PRN", "Epson Stylus C60"},
                 {IDC_ED_PRE_MARGEN, IDC_ED_MARGEN, "1.0", "0.6"}};
    for (const auto& b : boxes) {
        ed.TogglePre(b.box, b.control);
        EXPECT_EQ(ed.Text(b.control), b.shown) << b.box;
        ed.TogglePre(b.box, b.control);
        EXPECT_EQ(ed.Text(b.control), b.earlier) << b.box;
    }
    // The printer choice follows the Pre. box of the printer name.
    EXPECT_TRUE(ed.Enabled(IDC_ED_IMPRESORAS));
    ed.TogglePre(IDC_ED_PRE_NOMBRE_DIRECTA, IDC_ED_NOMBRE_DIRECTA);
    // The same click disables the button just after the field: wait for it.
    EXPECT_TRUE(drive::WaitUntil([&] { return !ed.Enabled(IDC_ED_IMPRESORAS); }));

    // ">>" of Tamano only for "RCM".
    EXPECT_TRUE(ed.Enabled(IDC_ED_RCM));
    ed.Choose(IDC_ED_TAMANO, "Auto");
    EXPECT_TRUE(drive::WaitUntil([&] { return !ed.Enabled(IDC_ED_RCM); }));
    ed.Choose(IDC_ED_TAMANO, "RCM");
    EXPECT_TRUE(drive::WaitUntil([&] { return ed.Enabled(IDC_ED_RCM); }));

    // Set boxes are stored; the fields under them keep their values.
    ed.TogglePre(IDC_ED_PRE_ENVIO, IDC_ED_ENVIO);
    ed.TogglePre(IDC_ED_PRE_ROMANO, IDC_ED_ROMANO);
    ed.Type(IDC_ED_DIRECTORIO, "E:\\Reportes");
    AppParams out = ed.End(IDC_ED_ACEPTAR, 1);
    EXPECT_EQ(+out.pre[SLOT_ENVIO], 1);
    EXPECT_EQ(out.envio, 1);
    EXPECT_EQ(+out.pre[SLOT_ROMANO], 1);
    EXPECT_STREQ(out.letraRomano, "Georgia");
    EXPECT_EQ(+out.pre[SLOT_DIRECTA_NOMBRE], 1);
    EXPECT_STREQ(out.directaNombre, "Epson Stylus C60");
    EXPECT_EQ(+out.pre[SLOT_MODERNO], 0);
    EXPECT_STREQ(out.letraModerno, "Lucida Console");
    EXPECT_STREQ(out.directaDirectorio, "E:\\Reportes");
    EXPECT_EQ(out.tamano, 5);

    // The box is set again when the editor next opens.
    Editor again;
    ASSERT_TRUE(again.Open(out, 0));
    EXPECT_TRUE(again.Checked(IDC_ED_PRE_ENVIO));
    EXPECT_FALSE(again.Enabled(IDC_ED_ENVIO));
    EXPECT_EQ(again.Text(IDC_ED_ENVIO), "CXC=Campo por Campo");
    PostMessageA(again.dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(again.Wait(), 0u);
}

TEST(Editor, ValidationMessagesKeepTheDialogOpen)
{
    // The file's own name is empty, and so is the server address: the
    // listed name stands, and only the address is reported.
    AppParams r = Modifiable("");
    r.ipServidor[0] = '\0';
    Editor ed;
    ASSERT_TRUE(ed.Open(r, 1, "SinNombre"));
    ed.Type(IDC_ED_ENVIADOR, "otro@ostrel.mx");
    ed.Click(IDC_ED_ACEPTAR);
    EXPECT_EQ(ed.CloseMessage("Error"), NO_IP);
    EXPECT_EQ(ed.Appears("Error", 300), nullptr);
    EXPECT_TRUE(ed.Running());
    EXPECT_EQ(ed.Text(IDC_ED_ENVIADOR), "otro@ostrel.mx");
    ed.Click(IDC_ED_CANCELAR);
    EXPECT_EQ(ed.Wait(), 0u);

    AppParams noIp = Modifiable("Compras");
    noIp.ipServidor[0] = '\0';
    Editor second;
    ASSERT_TRUE(second.Open(noIp, 0));
    second.Type(IDC_ED_TIEMPO, "90");
    second.Click(IDC_ED_ACEPTAR);
    EXPECT_EQ(second.CloseMessage("Error"), NO_IP);
    EXPECT_TRUE(second.Running());
    EXPECT_EQ(second.Text(IDC_ED_TIEMPO), "90");
    EXPECT_EQ(second.Appears("ADVERTENCIA", 300), nullptr);  // no confirmation after a failed check
    // Cancelling leaves the entry as it was loaded: nothing typed gets through.
    AppParams out = second.End(IDC_ED_CANCELAR, 0);
    EXPECT_STREQ(out.tiempo, noIp.tiempo);
    EXPECT_STREQ(out.ipServidor, "");
}

TEST(Editor, UpdateAsksToSaveAndWritesEveryControlBack)
{
    AppParams r = Modifiable("Inventarios");
    r.paginaInicial = 0;
    Editor ed;
    ASSERT_TRUE(ed.Open(r, 0));
    ed.Type(IDC_ED_DECORATIVO, "Segoe Script");
    ed.Choose(IDC_ED_ENVIO, "BLA=BL Automatico");
    ed.Choose(IDC_ED_TAMANO, "1024-768");
    ed.Type(IDC_ED_NOMBRE_DIRECTA, "LPT1:");
    ed.Choose(IDC_ED_MARGEN, "0.2");
    ed.Type(IDC_ED_CLAVE, "nueva");
    ed.Type(IDC_ED_TIEMPO, "123456789012", "123456789");  // at most 9 characters
    ed.Choose(IDC_ED_IMAGEN, "jpg");
    ed.Click(IDC_ED_PAGINA_INICIAL);
    ed.Click(IDC_ED_DIRECTA_F);
    ed.Click(IDC_ED_SELECCIONAR_NO);
    drive::Settle(ed.dialog);

    // Declining the confirmation keeps the editor open.
    ed.Click(IDC_ED_ACEPTAR);
    HWND confirm = ed.Appears("ADVERTENCIA");
    ASSERT_NE(confirm, nullptr);
    std::vector<std::string> texts = drive::StaticTexts(confirm);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0],
              "Confirme si realmente desea sobreescribir los par\xE1metros de instalaci\xF3n de la aplicaci\xF3n de "
              "VONDRA seleccionada.");
    EXPECT_EQ(drive::ControlText(confirm, 1024), "&Guardar");
    EXPECT_EQ(drive::ControlText(confirm, 1002), "&Cancelar");
    EXPECT_TRUE(drive::Screenshot(confirm, "conf_guardar.bmp"));
    drive::PostClick(confirm, 1002);
    EXPECT_TRUE(ed.Gone("ADVERTENCIA"));
    EXPECT_TRUE(ed.Running());

    // The entry directory holds no archives: nothing to ask about.
    ed.Click(IDC_ED_ACEPTAR);
    ASSERT_NE(ed.Press("ADVERTENCIA", 1024), nullptr);
    EXPECT_EQ(ed.Wait(), 1u);
    AppParams out = ed.Result();
    EXPECT_EQ(ed.copyJars, 0);
    EXPECT_STREQ(out.letraDecorativo, "Segoe Script");
    EXPECT_STREQ(out.directaNombre, "LPT1:");
    EXPECT_STREQ(out.correoClave, "nueva");
    EXPECT_STREQ(out.tiempo, "123456789");
    EXPECT_EQ((std::vector<int>{out.envio, out.tamano, out.margen, out.imagen, out.paginaInicial, out.directaF,
                                out.seleccionarImpresora}),
              (std::vector<int>{2, 2, 1, 0, 1, 1, 0}));
    // Never read back in the terminal form.
    EXPECT_STREQ(out.nombre, "Inventarios");
    EXPECT_STREQ(out.ipServidor, "192.168.10.4");
    EXPECT_EQ(out.imagenesGrandes, 1);
}

TEST(Editor, ImagenKeepsItsValueForATypedText)
{
    AppParams r = Modifiable("Imagenes");
    Editor ed;
    ASSERT_TRUE(ed.Open(r, 1));
    ed.Type(IDC_ED_IMAGEN, "bmp");
    EXPECT_EQ(ed.End(IDC_ED_ACEPTAR, 1).imagen, 2);
}

TEST(Editor, SubDialogsOpenOverTheEditor)
{
    AppParams r = Modifiable("Cobranza");
    r.renglones = 0;  // brought to 23 and 80 on opening
    r.columnas = 0;
    Editor ed;
    ASSERT_TRUE(ed.Open(r, 0));
    ed.OpensAndCloses(IDC_ED_ESTILO, "Efectos, colores y tipo de letra");
    ed.OpensAndCloses(IDC_ED_AREA, "Par\xE1metros de 'Area'");
    ed.Click(IDC_ED_AYUDA);
    HWND help = ed.Appears("AYUDA");
    ASSERT_NE(help, nullptr);
    std::vector<std::string> texts = drive::StaticTexts(help);
    ASSERT_EQ(texts.size(), 33u);
    EXPECT_EQ(texts[0], "Aqu\xED se proporcionan los par\xE1metros de instalaci\xF3n de cada aplicaci\xF3n de VONDRA "
                        "para Internet.");
    EXPECT_EQ(texts[29], "Mod.");
    EXPECT_EQ(texts[30], "Permitirle o no al instalador de terminales modificar \xE9ste par\xE1metro");
    EXPECT_EQ(texts[31], "Pre.");
    EXPECT_EQ(texts[32], "Fijar valor predeterminado en \xE9ste par\xE1metro");
    EXPECT_EQ(drive::ControlText(help, 1024), "&Continuar");
    EXPECT_TRUE(drive::Screenshot(help, "ayuda_parametros.bmp"));
    drive::PostClick(help, 1024);
    EXPECT_TRUE(ed.Gone("AYUDA"));

    ed.Click(IDC_ED_RCM);
    HWND rcm = ed.Appears("Renglones y columnas del monitor");
    ASSERT_NE(rcm, nullptr);
    EXPECT_EQ(drive::ControlText(rcm, 1021), "23");
    EXPECT_EQ(drive::ControlText(rcm, 1020), "80");
    PostMessageA(rcm, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(ed.Gone("Renglones y columnas del monitor"));

    // "&Cambiar" asks for a file; cancelling it leaves the editor as it was.
    ed.Click(IDC_ED_CAMBIAR_ICONO);
    HWND open = ed.Appears("Cargar un \xED" "cono de un archivo", 10000);
    ASSERT_NE(open, nullptr);
    PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(ed.Gone("Cargar un \xED" "cono de un archivo"));
    EXPECT_TRUE(ed.Running());

    // "&Desinstalar" asks first; declining keeps the editor open.
    ed.Click(IDC_ED_DESINSTALAR);
    ASSERT_NE(ed.Press("ADVERTENCIA", 1002), nullptr);
    EXPECT_TRUE(ed.Gone("ADVERTENCIA"));
    EXPECT_TRUE(ed.Running());
    ed.Click(IDC_ED_DESINSTALAR);
    ASSERT_NE(ed.Press("ADVERTENCIA", 1024), nullptr);
    EXPECT_EQ(ed.Wait(), 0u);
}

TEST(Editor, ShowsTheEntryIconOrTheDefaultOne)
{
    AppParams r = Modifiable("Icono");
    const struct {
        const char* iconName;  // the copy of dalvo.ico beside the entry, if any
        int isNew;
        bool drawn;
    } cases[] = {
        {nullptr, 0, false},
        {"Icono.ICO", 0, true},
        // A new application shows Telmir.ICO, even when its own icon exists.
        {"Icono.ICO", 1, false},
        {"Telmir.ICO", 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.iconName != nullptr ? c.iconName : "no icon") + (c.isNew ? ", new" : ""));
        Editor ed;
        if (c.iconName != nullptr) {
            ed.iconSource = DALVO_ICO;
            ed.iconName = c.iconName;
        }
        ASSERT_TRUE(ed.Open(r, c.isNew));
        if (c.drawn) {
            EXPECT_GT(IconPixels(ed), 20);
        } else {
            EXPECT_EQ(IconPixels(ed), 0);
        }
        PostMessageA(ed.dialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_EQ(ed.Wait(), 0u);
    }
}

TEST(Editor, PrinterChoiceGoesIntoTheNameAndTheRecord)
{
    AppParams r = Modifiable("Impresion");
    Editor ed;
    ASSERT_TRUE(ed.Open(r, 1));
    ed.Click(IDC_ED_IMPRESORAS);
    HWND printers = ed.Appears("Selecci\xF3n de la impresora directa");
    ASSERT_NE(printers, nullptr);
    EXPECT_EQ(GetWindow(printers, GW_OWNER), ed.dialog);
    // By port: "Predeterminada" gives PRN.
    drive::PostClick(printers, 1038);
    drive::Settle(printers);
    HWND list = GetDlgItem(printers, 1036);
    ASSERT_FALSE(drive::ListItems(list).empty());
    EXPECT_EQ(drive::ListItems(list)[0], "Predeterminada");
    drive::ClickListItem(list, 0, true);
    EXPECT_TRUE(ed.Gone("Selecci\xF3n de la impresora directa"));
    EXPECT_TRUE(drive::WaitUntil([&] { return ed.Text(IDC_ED_NOMBRE_DIRECTA) == "PRN"; }));
    EXPECT_STREQ(ed.End(IDC_ED_ACEPTAR, 1).directaNombre, "PRN");
}

namespace {

bool Marked(const char* name)
{
    return fixture::TextOf(HKEY_CURRENT_USER, fixture::VONDRA_KEY, name) == "Instalado !";
}

}  // namespace

TEST(EditorInstall, AcceptingANewApplicationInstallsWhatWasEdited)
{
    fixture::Workstation ws;
    AppParams r = Defaults("Tesoreria");
    Editor ed(ws);
    ASSERT_TRUE(ed.Open(r, 1));
    fixture::WriteBytes(ed.dir + "Vondra.JAR", "jar", 3);
    ed.TogglePre(IDC_ED_PRE_MODERNO, IDC_ED_MODERNO);
    ed.Type(IDC_ED_MODERNO, "Tahoma");
    ed.Type(IDC_ED_TIEMPO, "45");
    ed.End(IDC_ED_ACEPTAR, 1);
    EXPECT_EQ(ed.copyJars, 1);
    EXPECT_EQ(fixture::ReadAll(ws.target + "\\Tesoreria.PAR"),
              "ModernoTahoma\r\nEfecto3,2,4,2,1,2\r\nDirecta,PRN,C:\\\r\nTiempo=45\r\n");
    EXPECT_TRUE(Marked("Tesoreria"));
    EXPECT_TRUE(Exists(ws.desktop + "\\Tesoreria.LNK") && Exists(ws.target + "\\Vondra.JAR"));

    // Its shortcut now exists: adding it again is refused.
    Editor again(ws);
    ASSERT_TRUE(again.Open(r, 1));
    again.Click(IDC_ED_ACEPTAR);
    EXPECT_EQ(again.CloseMessage("Error"), "El nombre de la aplicaci\xF3n ya existe !");
    EXPECT_TRUE(again.Running());
    again.Click(IDC_ED_CANCELAR);
    EXPECT_EQ(again.Wait(), 0u);

    // Cancelling installs nothing.
    DeleteFileA((ws.target + "\\Tesoreria.PAR").c_str());
    Editor cancelled(ws);
    ASSERT_TRUE(cancelled.Open(r, 0));
    cancelled.Click(IDC_ED_CANCELAR);
    EXPECT_EQ(cancelled.Wait(), 0u);
    EXPECT_FALSE(Exists(ws.target + "\\Tesoreria.PAR"));

    // Uninstalling removes the marker, the installed icon and the shortcut.
    fixture::WriteBytes(ws.target + "\\Tesoreria.ICO", "icon", 4);
    Editor removal(ws);
    ASSERT_TRUE(removal.Open(r, 0));
    removal.Click(IDC_ED_DESINSTALAR);
    ASSERT_NE(removal.Press("ADVERTENCIA", 1024), nullptr);
    EXPECT_EQ(removal.Wait(), 0u);
    EXPECT_FALSE(Marked("Tesoreria"));
    EXPECT_FALSE(Exists(ws.target + "\\Tesoreria.ICO"));
    EXPECT_FALSE(Exists(ws.desktop + "\\Tesoreria.LNK"));
    EXPECT_FALSE(Exists(ws.target + "\\Tesoreria.PAR"));  // not written by the cancelled editor
}

TEST(EditorInstall, UpdateAsksForMissingArchives)
{
    fixture::Workstation ws;
    AppParams r = Defaults("Bancos");
    for (int answer : {1002, 1024}) {
        Editor ed(ws);
        ASSERT_TRUE(ed.Open(r, 0));
        fixture::WriteBytes(ed.dir + "Vondra.JAR", "jar", 3);
        ed.SaveAnsweringArchives(answer);
        EXPECT_EQ(ed.Wait(), 1u);
        ed.Result();
        EXPECT_EQ(ed.copyJars, answer == 1024 ? 1 : 0);
        EXPECT_EQ(Exists(ws.target + "\\Vondra.JAR"), answer == 1024);
    }
    // With the archives current there is no question and copyJars stays.
    Editor current(ws);
    ASSERT_TRUE(current.Open(r, 0));
    fixture::WriteBytes(current.dir + "Vondra.JAR", "jar", 3);
    CopyFileA((current.dir + "Vondra.JAR").c_str(), (ws.target + "\\Vondra.JAR").c_str(), FALSE);
    current.Click(IDC_ED_ACEPTAR);
    ASSERT_NE(current.Press("ADVERTENCIA", 1024), nullptr);
    EXPECT_EQ(current.Wait(), 1u);
    current.Result();
    EXPECT_EQ(current.copyJars, 0);
    fixture::DeleteValue(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "Bancos");
}
