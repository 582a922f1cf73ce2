// The parameter lines and command line handed to the Java client.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "caller.h"
#include "installcore/launch.h"
#include "base/textbuf.h"
#include "recordfix.h"

namespace {

AppParams Defaults(const char* nombre = "Contabilidad")
{
    return recordfix::Defaults(nombre);
}

std::string Lines(const AppParams& r, Caller caller = {})
{
    SCOPED_CALLER(caller);
    char lines[PARAM_LINES_SIZE];
    EXPECT_EQ(BuildParamLines(lines, r), 1);
    return lines;
}

// The lines that start with key (followed by '=' or the value).
std::vector<std::string> LinesOf(const AppParams& r, const std::string& key, Caller caller = {})
{
    SCOPED_CALLER(caller);
    std::vector<std::string> found;
    std::string all = Lines(r);
    for (size_t at = 0; at < all.size();) {
        size_t end = all.find("\r\n", at);
        EXPECT_NE(end, std::string::npos) << "unterminated line";
        if (end == std::string::npos)
            break;
        std::string line = all.substr(at, end - at);
        if (line.compare(0, key.size(), key) == 0)
            found.push_back(line);
        at = end + 2;
    }
    return found;
}

std::string Line(const AppParams& r, const std::string& key)
{
    std::vector<std::string> found = LinesOf(r, key);
    return found.empty() ? "(none)" : found.front();
}

std::string Command(const AppParams& r, const char* dir, const char* paramFile, int javaFeature = 8,
                    Caller caller = {})
{
    SCOPED_CALLER(caller);
    char line[COMMAND_LINE_SIZE];
    EXPECT_EQ(BuildCommandLine(line, r, dir, paramFile, javaFeature), 1);
    return line;
}

std::string PArgument(const char* parametros, int paginaInicial)
{
    AppParams r = Defaults();
    CopyText(r.parametrosP, parametros);
    r.paginaInicial = paginaInicial;
    char argument[P_ARGUMENT_SIZE];
    BuildPArgument(argument, r);
    return argument;
}

}  // namespace

TEST(Launch, WorkedExample)
{
    AppParams r = Defaults("Contabilidad");
    CopyText(r.parametrosP, "CLAVE,PR");
    CopyText(r.ipServidor, "S");
    char paramFile[PATH_SIZE], icon[PATH_SIZE];
    ASSERT_EQ(ComposeInstallPath(paramFile, "C:\\VONDRA\\Java", r.nombre, ".PAR"), 1);
    ASSERT_EQ(ComposeInstallPath(icon, "C:\\VONDRA\\Java", r.nombre, ".ICO"), 1);
    EXPECT_STREQ(paramFile, "C:\\VONDRA\\Java\\Contabilidad.PAR");
    EXPECT_STREQ(icon, "C:\\VONDRA\\Java\\Contabilidad.ICO");
    EXPECT_EQ(Command(r, "C:\\VONDRA\\Java", paramFile),
              "-cp C:\\VONDRA\\Java\\Vondra.JAR;C:\\VONDRA\\Java\\*.JAR Vondra S \"/P=CLAVE,PR,x /C\" "
              "\"ArchivoC:\\VONDRA\\Java\\Contabilidad.PAR\"");

    // Java 9 and later: the directory's every archive through the wildcard.
    EXPECT_EQ(Command(r, "C:\\VONDRA\\Java", paramFile, 17).substr(0, 60),
              "-cp C:\\VONDRA\\Java\\Vondra.JAR;C:\\VONDRA\\Java\\* Vondra S \"/P=");

    r.imagenesGrandes = 1;
    EXPECT_EQ(Command(r, "C:\\VONDRA\\Java", paramFile).substr(0, 22), "-Xms200m -Xmx300m -cp ");

    // A directory ending in '\' stands unchanged in the class path; the
    // installed files get no second backslash.
    r.imagenesGrandes = 0;
    ASSERT_EQ(ComposeInstallPath(paramFile, "C:\\VONDRA\\Java\\", r.nombre, ".PAR"), 1);
    EXPECT_STREQ(paramFile, "C:\\VONDRA\\Java\\Contabilidad.PAR");
    EXPECT_EQ(Command(r, "C:\\VONDRA\\Java\\", paramFile),
              "-cp C:\\VONDRA\\Java\\\\Vondra.JAR;C:\\VONDRA\\Java\\\\*.JAR Vondra S \"/P=CLAVE,PR,x /C\" "
              "\"ArchivoC:\\VONDRA\\Java\\Contabilidad.PAR\"");
}

TEST(Launch, DefaultsGiveExactlyTwoLines)
{
    EXPECT_EQ(Lines(Defaults()), "Efecto3,2,4,2,1,2\r\nDirecta,PRN,C:\\\r\n");
}

TEST(Launch, ModAndPreOfParametersWithoutDefaultTest)
{
    struct Row {
        int slot;
        const char* key;
        const char* value;
    };
    const Row rows[] = {{SLOT_MODERNO, "Moderno", "Courier New"},      {SLOT_DECORATIVO, "Decorativo", "Lucida Calligraphy"},
                        {SLOT_ROMANO, "Romano", "Times New Roman"},    {SLOT_SUIZO, "Suizo", "Arial"},
                        {SLOT_MANUSCRITO, "Manuscrito", "Lucida Handwriting"}, {SLOT_FONT, "Font", ""},
                        {SLOT_TAMANO, "Tama\xF1o", "640-480"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        AppParams r = Defaults();
        r.mod[row.slot] = 0;  // fixed by the server: "=", even at the default
        EXPECT_EQ(Line(r, row.key), std::string(row.key) + "=" + row.value);
        r.pre[row.slot] = 0;
        EXPECT_EQ(Line(r, row.key), std::string(row.key) + "=" + row.value);
        r.mod[row.slot] = 1;  // changeable and not preset: key and value joined
        EXPECT_EQ(Line(r, row.key), std::string(row.key) + row.value);
        r.pre[row.slot] = 1;  // changeable and preset: left out
        EXPECT_EQ(Line(r, row.key), "(none)");
    }
    AppParams r = Defaults();
    r.pre[SLOT_MODERNO] = 0;
    EXPECT_EQ(Line(r, "Moderno"), "ModernoCourier New");
    CopyText(r.font, "Verdana");
    r.pre[SLOT_FONT] = 0;
    EXPECT_EQ(Line(r, "Font"), "FontVerdana");
}

TEST(Launch, ModAndPreOfParametersLeftOutAtTheirDefault)
{
    struct Row {
        const char* key;
        void (*set)(AppParams&, int mod, int pre);
        void (*change)(AppParams&);
        const char* defaultValue;
        const char* changedValue;
    };
    const Row rows[] = {
        {"Envio", [](AppParams& r, int m, int p) { r.mod[SLOT_ENVIO] = m; r.pre[SLOT_ENVIO] = p; },
         [](AppParams& r) { r.envio = 2; }, "CXC", "BLA"},
        {"Estilo", [](AppParams& r, int m, int p) { r.mod[SLOT_ESTILO] = m; r.pre[SLOT_ESTILO] = p; },
         [](AppParams& r) { r.estilo = 1; }, "Normal", "Negrita"},
        {"Fondo", [](AppParams& r, int m, int p) { r.mod[SLOT_FONDO] = m; r.pre[SLOT_FONDO] = p; },
         [](AppParams& r) { r.colorFondo = 4; }, "Celeste B", "Rojo"},
        {"Letras", [](AppParams& r, int m, int p) { r.mod[SLOT_LETRAS] = m; r.pre[SLOT_LETRAS] = p; },
         [](AppParams& r) { r.colorLetras = 15; }, "Negro", "Blanco B"},
        {"Margen", [](AppParams& r, int m, int p) { r.modMargen = m; r.preMargen = p; },
         [](AppParams& r) { r.margen = 0; }, "1.0", "0.0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        std::string key = row.key;
        AppParams r = Defaults();
        row.set(r, 1, 0);  // changeable, at its default: the client's own default applies
        EXPECT_EQ(Line(r, key), "(none)");
        row.set(r, 0, 1);  // fixed: written with "=" even at the default
        EXPECT_EQ(Line(r, key), key + "=" + row.defaultValue);
        row.set(r, 0, 0);
        EXPECT_EQ(Line(r, key), key + "=" + row.defaultValue);
        row.change(r);
        row.set(r, 1, 0);
        EXPECT_EQ(Line(r, key), key + row.changedValue);
        row.set(r, 1, 1);  // preset: left out whatever the value
        EXPECT_EQ(Line(r, key), "(none)");
        row.set(r, 0, 1);
        EXPECT_EQ(Line(r, key), key + "=" + row.changedValue);
    }
}

TEST(Launch, EffectDirectAndWindowSize)
{
    AppParams r = Defaults();
    r.efectoFondo = 1;
    r.gradienteFondo = 0;
    r.efectoAreas = 11;
    r.gradienteAreas = 1;
    r.usarGradienteAreas = 7;  // any non-zero value is written as 1
    r.gradienteSinEfecto = 0;
    EXPECT_EQ(Line(r, "Efecto"), "Efecto1,0,11,1,1,0");
    r.usarGradienteAreas = 0;
    r.mod[SLOT_EFECTO_AREAS] = 0;
    EXPECT_EQ(Line(r, "Efecto"), "Efecto=1,0,11,1,0,0");
    r.mod[SLOT_EFECTO_AREAS] = 1;
    r.mod[SLOT_EFECTO_FONDO] = 0;
    EXPECT_EQ(Line(r, "Efecto"), "Efecto=1,0,11,1,0,0");

    CopyText(r.directaNombre, "HP LaserJet");
    CopyText(r.directaDirectorio, "D:\\Reportes");
    r.directaA = 1;
    EXPECT_EQ(Line(r, "Directa"), "DirectaA,HP LaserJet,D:\\Reportes");
    r.directaI = 1;
    r.directaF = 1;
    r.mod[SLOT_DIRECTA_DIRECTORIO] = 0;
    EXPECT_EQ(Line(r, "Directa"), "Directa=IFA,HP LaserJet,D:\\Reportes");
    r.directaA = 0;
    EXPECT_EQ(Line(r, "Directa"), "Directa=IF,HP LaserJet,D:\\Reportes");
    r.mod[SLOT_DIRECTA_NOMBRE] = 0;  // slot 14 has no Mod. of its own in the lines
    r.mod[SLOT_DIRECTA_DIRECTORIO] = 1;
    EXPECT_EQ(Line(r, "Directa"), "DirectaIF,HP LaserJet,D:\\Reportes");

    // RCM: rows and columns, the key with the byte F1.
    r = Defaults();
    r.tamano = 5;
    r.renglones = 30;
    r.columnas = 100;
    r.pre[SLOT_TAMANO] = 0;
    EXPECT_EQ(Line(r, "Tama"), "Tama\xF1orcm30-100");
    EXPECT_EQ(static_cast<unsigned char>(Line(r, "Tama")[4]), 0xF1u);
    r.mod[SLOT_TAMANO] = 0;
    EXPECT_EQ(Line(r, "Tama"), "Tama\xF1orcm=30-100");
    r.tamano = 3;
    EXPECT_EQ(Line(r, "Tama"), "Tama\xF1o=Auto");
    r.tamano = 4;
    r.mod[SLOT_TAMANO] = 1;
    EXPECT_EQ(Line(r, "Tama"), "Tama\xF1o" "2048-1536");
}

TEST(Launch, FreeRowsAndTheirOrder)
{
    AppParams r = Defaults();
    CopyText(r.correoEnviador, "caja@example.com");
    CopyText(r.correoServidor, "smtp.example.com");
    CopyText(r.correoClave, "s3creta");
    r.seleccionarImpresora = 1;
    CopyText(r.tiempo, "45");
    r.imagen = 0;
    r.mod[SLOT_FONDO] = 0;
    EXPECT_EQ(Lines(r),
              "Fondo=Celeste B\r\nEfecto3,2,4,2,1,2\r\nDirecta,PRN,C:\\\r\nEnviadorcaja@example.com\r\n"
              "Servidorsmtp.example.com\r\nClaves3creta\r\nSeleccionarSI\r\nTiempo=45\r\nImagenjpg\r\n");
    r.imagen = 2;
    EXPECT_EQ(Line(r, "Imagen"), "Imagengif");
    r.imagen = 1;  // png is the client's default
    EXPECT_EQ(Line(r, "Imagen"), "(none)");
    r.tiempo[0] = '\0';
    EXPECT_EQ(Line(r, "Tiempo"), "(none)");
}

TEST(Launch, AreaColours)
{
    AppParams r = Defaults();
    auto set = [&r](int area, std::vector<int> colours) {
        for (int i = 0; i < COLOUR_ROLE_COUNT; ++i)
            r.areas[area][i] = static_cast<uint8_t>(colours[i]);
    };
    set(4, {0, 7, 1, 16, 2, 3, 4});   // fourth missing: three colours even with the sixth set
    set(1, {15, 8, 0, 9, 14, 16, 5}); // sixth missing: five colours
    set(7, {1, 2, 3, 4, 5, 6, 7});    // all seven
    set(2, {16, 1, 2, 3, 4, 5, 6});   // no general background: no line
    set(3, {13, 16, 12, 10, 16, 16, 16});  // unvalidated empties give empty names
    std::vector<std::string> lines = LinesOf(r, "");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[2], "ColumnaBlanco B,Gris,Negro,Azul B,Amarillo");
    EXPECT_EQ(lines[3], "Menu-VariablesMagenta B,,Rojo B,Verde B,");
    EXPECT_EQ(lines[4], "TextoNegro,Blanco,Azul");
    EXPECT_EQ(lines[5], "Menu-MarcasAzul,Verde,Celeste,Rojo,Magenta,Cafe,Blanco");
}

TEST(Launch, PArgument)
{
    EXPECT_EQ(PArgument("", 0), "/P=");
    EXPECT_EQ(PArgument("", 1), "/P=");
    EXPECT_EQ(PArgument("CLAVE,PR", 1), "/P=CLAVE,PR,x");
    EXPECT_EQ(PArgument("CLAVE,PR", 0), "\"/P=CLAVE,PR,x /C\"");
    EXPECT_EQ(PArgument("CLAVE,PR,X", 1), "/P=CLAVE,PR,X");
    EXPECT_EQ(PArgument("CLAVE,PR,x", 0), "\"/P=CLAVE,PR,x /C\"");
    EXPECT_EQ(PArgument("X", 1), "/P=X,x");
    EXPECT_EQ(PArgument("CLAVE,", 1), "/P=CLAVE,,x");
    EXPECT_EQ(PArgument("CLAVE,XY", 1), "/P=CLAVE,XY,x");

    AppParams r = Defaults();
    CopyText(r.ipServidor, "192.0.2.1");
    EXPECT_EQ(Command(r, "C:\\V", "C:\\V\\A.PAR"),
              "-cp C:\\V\\Vondra.JAR;C:\\V\\*.JAR Vondra 192.0.2.1 /P= \"ArchivoC:\\V\\A.PAR\"");
}

TEST(Launch, CommandLineLimit)
{
    // The longest line a record can give, with the longest paths that still
    // leave room for the parameter file, fits.
    AppParams r = Defaults();
    r.imagenesGrandes = 1;
    std::memset(r.ipServidor, '9', sizeof r.ipServidor - 1);
    std::memset(r.parametrosP, 'p', sizeof r.parametrosP - 1);
    std::string dir(254, 'd');
    std::string paramFile(PATH_SIZE - 1, 'f');
    char line[COMMAND_LINE_SIZE];
    EXPECT_EQ(BuildCommandLine(line, r, dir.c_str(), paramFile.c_str(), 8), 1);
    EXPECT_EQ(std::strlen(line), 18 + 4 + 2 * 254 + 12 + 6 + 8 + 19 + 1 + 137 + 9 + 259 + 1u);

    // Exactly what a shell link accepts, and one character more.
    r = Defaults();
    size_t base = Command(r, "", "").size();
    std::string file = (COMMAND_LINE_SIZE - 1 - base) % 2 ? "F" : "";
    dir.assign((COMMAND_LINE_SIZE - 1 - base - file.size()) / 2, 'D');
    EXPECT_EQ(Command(r, dir.c_str(), file.c_str()).size(), COMMAND_LINE_SIZE - 1u);
    file += "G";
    EXPECT_EQ(BuildCommandLine(line, r, dir.c_str(), file.c_str(), 8), 0);
    EXPECT_STREQ(line, "");
}

TEST(Launch, InstallAndShortcutPaths)
{
    char path[PATH_SIZE];
    ASSERT_EQ(ComposeShortcutPath(path, "C:\\Users\\ana\\Escritorio", "Contab. general"), 1);
    EXPECT_STREQ(path, "C:\\Users\\ana\\Escritorio\\Contab.LNK");
    ASSERT_EQ(ComposeInstallPath(path, "C:\\VONDRA", "Contab. general", ".PAR"), 1);
    EXPECT_STREQ(path, "C:\\VONDRA\\Contab. general.PAR");
    ASSERT_EQ(ComposeShortcutPath(path, "D:\\Perfil.v2\\Escritorio", "Ventas"), 1);
    EXPECT_STREQ(path, "D:\\Perfil.v2\\Escritorio\\Ventas.LNK");
    ASSERT_EQ(ComposeShortcutPath(path, "D:\\Perfil.v2\\Escritorio", "Ventas.Norte.Sur"), 1);
    EXPECT_STREQ(path, "D:\\Perfil.v2\\Escritorio\\Ventas.LNK");

    // A .PAR path of 259 characters fits a path buffer; one more does not.
    std::string dir(253, 'd');
    ASSERT_EQ(ComposeInstallPath(path, dir.c_str(), "N", ".PAR"), 1);
    EXPECT_EQ(std::strlen(path), PATH_SIZE - 1u);
    EXPECT_EQ(ComposeInstallPath(path, (dir + "d").c_str(), "N", ".PAR"), 0);
    EXPECT_STREQ(path, "");
    EXPECT_EQ(ComposeInstallPath(path, (dir + "\\").c_str(), "N", ".PAR"), 1);
    EXPECT_EQ(ComposeShortcutPath(path, std::string(250, 'e').c_str(), "Nombre"), 0);
}

TEST(Launch, ForeignIndexesAreWrittenAsTheLoaderReadsThem)
{
    AppParams r = Defaults();
    r.envio = 7;
    r.estilo = 200;
    r.colorFondo = 99;
    r.colorLetras = 16;
    r.tamano = 9;
    r.margen = 77;
    r.efectoFondo = 250;
    r.gradienteAreas = 3;
    r.imagen = 9;
    for (int slot = 0; slot < PARAM_SLOT_COUNT; ++slot)
        r.mod[slot] = 0;
    r.modMargen = 0;
    r.areas[0][0] = 200;  // no colour at all
    r.areas[6][0] = 3;
    r.areas[6][1] = 17;
    r.areas[6][2] = 255;
    std::memset(r.letraModerno, 'M', sizeof r.letraModerno);  // no terminator
    std::memset(r.directaNombre, 'N', sizeof r.directaNombre);
    EXPECT_EQ(Line(r, "Moderno"), "Moderno=" + std::string(127, 'M'));
    EXPECT_EQ(Line(r, "Envio"), "Envio=CXC");
    EXPECT_EQ(Line(r, "Estilo"), "Estilo=Normal");
    EXPECT_EQ(Line(r, "Fondo"), "Fondo=Celeste B");
    EXPECT_EQ(Line(r, "Letras"), "Letras=Negro");
    EXPECT_EQ(Line(r, "Tama"), "Tama\xF1o=640-480");
    EXPECT_EQ(Line(r, "Margen"), "Margen=1.0");
    EXPECT_EQ(Line(r, "Efecto"), "Efecto=3,2,4,2,1,2");
    EXPECT_EQ(Line(r, "Directa"), "Directa=," + std::string(127, 'N') + ",C:\\");
    EXPECT_EQ(Line(r, "Imagen"), "(none)");
    EXPECT_EQ(Line(r, "Renglon"), "(none)");
    EXPECT_EQ(Line(r, "Menu-Imagenes"), "Menu-ImagenesCeleste,,");

    // The /P argument and the server stop at the end of their fields.
    std::memset(r.parametrosP, 'P', sizeof r.parametrosP);
    std::memset(r.ipServidor, '1', sizeof r.ipServidor);
    r.paginaInicial = 1;
    std::string line = Command(r, "C:\\V", "C:\\V\\A.PAR");
    EXPECT_NE(line.find(" Vondra " + std::string(19, '1') + " /P=" + std::string(127, 'P') + ",x \"Archivo"),
              std::string::npos)
        << line;
}

TEST(Launch, AppendParamNeverOverflows)
{
    char lines[16] = "";
    EXPECT_EQ(AppendParam(lines, sizeof lines, "Clave", 1, "abc"), 1);
    EXPECT_STREQ(lines, "Clave=abc\r\n");
    EXPECT_EQ(AppendParam(lines, sizeof lines, "Tiempo", 0, ""), 0);  // 11 + 8 bytes > 15
    EXPECT_STREQ(lines, "Clave=abc\r\n");
    EXPECT_EQ(AppendParam(lines, sizeof lines, "ab", 0, ""), 1);  // exactly fills it
    EXPECT_EQ(std::strlen(lines), 15u);
    EXPECT_EQ(AppendParam(lines, sizeof lines, "", 0, ""), 0);
}
