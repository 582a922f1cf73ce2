#include <gtest/gtest.h>

#include <string>

#include "base/cmdline.h"

namespace {

const int DALVO = ACCEPTS_NAME | ACCEPTS_DIR | ACCEPTS_JAVA, KELMIN = ACCEPTS_URL | ACCEPTS_SOURCE | ACCEPTS_JAVA,
          INSTALAR = ACCEPTS_TARGET | ACCEPTS_JAVA;

// What was read, in one line; a refused line says why (and the /log read).
std::string Read(const std::string& line, int accepts)
{
    CommandLine c;
    if (!ParseCommandLine(line.c_str(), accepts, c))
        return std::string("bad: ") + c.error + (c.log[0] != '\0' ? std::string(" log=") + c.log : "");
    static const char* const ACTIONS[] = {"interactive", "install", "uninstall", "help"};
    std::string out = ACTIONS[c.action];
    const std::pair<const char*, const char*> fields[] = {
        {" name=", c.name}, {" dir=", c.dir}, {" log=", c.log}, {" url=", c.url}, {" source=", c.source},
        {" java=", c.java}};
    for (const auto& field : fields)
        if (field.second[0] != '\0')
            out += field.first + std::string(field.second);
    return out + (c.copyJars ? " jars" : "") + (c.anyCode ? " any" : "");
}

struct Row {
    std::string line;
    int accepts;
    std::string read;
};

}  // namespace

TEST(UnattendedLine, Table)
{
    const std::string longest(127, 'n');
    const Row rows[] = {
        // Dalvo: no words is the interactive program; options in any case, any order.
        {"", DALVO, "interactive"},
        {"/instalar Contabilidad", DALVO, "install name=Contabilidad"},
        {"/INSTALAR Contabilidad /Dir C:\\Apps /ARCHIVOS /Log C:\\d.log", DALVO,
         "install name=Contabilidad dir=C:\\Apps log=C:\\d.log jars"},
        {"/dir \\\\srv\\apps\t/instalar\tA\t", DALVO, "install name=A dir=\\\\srv\\apps"},
        {"/desinstalar N\xF3mina /log \"C:\\Mis bit\xE1" "coras\\d.log\"", DALVO,
         "uninstall name=N\xF3mina log=C:\\Mis bit\xE1" "coras\\d.log"},
        // Quotes hold blanks, no escapes: a last backslash stays.
        {"/instalar \"Punto de venta\" /dir \"C:\\Mis Apps\\\"", DALVO,
         "install name=Punto de venta dir=C:\\Mis Apps\\"},
        {"/instalar Con\"ta\"bi\"li dad\"", DALVO, "install name=Contabili dad"},
        {"/instalar " + longest, DALVO, "install name=" + longest},
        {"/instalar A /?", DALVO, "help name=A"},
        // Refused lines.
        {"Contabilidad", DALVO, "interactive"},  // an unquoted program path split at a blank
        {"Contabilidad /instalar A", DALVO, "bad: sobra un argumento"},
        {"/instalar", DALVO, "bad: falta el nombre de la aplicaci\xF3n tras /instalar"},
        {"/desinstalar \"\"", DALVO, "bad: falta el nombre de la aplicaci\xF3n tras /desinstalar"},
        {"/instalar " + longest + "n", DALVO, "bad: un argumento es demasiado largo"},
        {"/instalar \"A /dir C:\\X", DALVO, "bad: comillas sin cerrar"},
        {"/instalar A /archivos /archivos", DALVO, "bad: opci\xF3n repetida"},
        {"/instalar A /url http://s", DALVO, "bad: opci\xF3n desconocida"},
        {"/desinstalar A /dir C:\\X", DALVO, "bad: /dir, /archivos, /url y /cualquiera van solo con /instalar"},
        {"/instalar A /java \"C:\\Archivos de programa\\jdk\"", DALVO,
         "install name=A java=C:\\Archivos de programa\\jdk"},
        {"/instalar A /java jdk", DALVO,
         "bad: el directorio de /java debe ser completo (C:\\... o \\\\servidor\\...)"},
        {"/instalar A /cualquiera", DALVO, "bad: opci\xF3n desconocida"},
        {"/instalar A /dir Apps", DALVO,
         "bad: el directorio de /dir debe ser completo (C:\\... o \\\\servidor\\...)"},
        {"/log C:\\d.log", DALVO, "bad: falta /instalar o /desinstalar log=C:\\d.log"},
        // Kelmin: its line without options stays its own; the source beside the options.
        {"C:\\Program Files\\Vondra 2\\Terminal", KELMIN, "interactive"},
        {"\"C:\\VONDRA\\Terminal\" /instalar /url http://srv/jars/", KELMIN,
         "install url=http://srv/jars/ source=C:\\VONDRA\\Terminal"},
        {"/desinstalar", KELMIN, "uninstall"},
        {"/instalar /url", KELMIN, "bad: falta la direcci\xF3n tras /url"},
        {"/instalar /cualquiera /java C:\\J", KELMIN, "install java=C:\\J any"},
        {"/instalar /cualquiera /url http://s", KELMIN, "bad: /url y /cualquiera se excluyen"},
        {"A B /instalar", KELMIN, "bad: sobra un argumento"},
        // Instalar: /dir with either action, and never without it.
        {"/desinstalar /dir \"C:\\Archivos de programa\\VONDRA\\\"", INSTALAR,
         "uninstall dir=C:\\Archivos de programa\\VONDRA\\"},
        {"/instalar /java C:\\J", INSTALAR, "bad: falta /dir"},
        {"/instalar /dir C:\\V /archivos", INSTALAR, "bad: opci\xF3n desconocida"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Read(row.line, row.accepts), row.read) << row.line;
    EXPECT_STREQ(SkipProgramName("\"C:\\Program Files\\Dalvo.EXE\" /instalar A"), " /instalar A");
    EXPECT_STREQ(SkipProgramName("  Dalvo.EXE"), "");
    EXPECT_STREQ(SkipProgramName("/instalar A"), "/instalar A");
}
