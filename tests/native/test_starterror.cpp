#include <gtest/gtest.h>

#include <string>

#include "standalone/starterror.h"

TEST(StartError, EveryCodeHasItsTextThenAnEmptyLineThenThePath)
{
    const struct {
        unsigned long code;
        const char* text;
    } cases[] = {{0, "No hay memoria o archvio da\xF1" "ado."}, {14, "No hay memoria o archvio da\xF1" "ado."},
                 {2, "No se encontr\xF3 el archivo."}, {3, "No se encontr\xF3 la ruta de acceso."},
                 {5, "Error al compartir o de privilegios."}, {6, "Se requieren diferentes segmentos para cada tarea."},
                 {10, "Versi\xF3n incorrecta de Windows."}, {13, "Aplicaci\xF3n dise\xF1" "ada para otro sistema operativo."},
                 {15, "Aplicaci\xF3n dise\xF1" "ada para modo REAL."},
                 {16, "Aplicaci\xF3n ejecut\xE1ndose, solo se puede una vez."},
                 {19, "Archivo comprimido, debe expanderse primero."}, {20, "DLL no se encuentra o da\xF1" "ado."},
                 {21, "Requiere extensiones de 32 Bits de MS-Windows."},
                 {1, "No puede cargarse el archivo. (Error 1)."}, {17, "No puede cargarse el archivo. (Error 17)."},
                 {193, "No puede cargarse el archivo. (Error 193)."},
                 {4294967295ul, "No puede cargarse el archivo. (Error 4294967295)."}};
    char out[START_ERROR_SIZE];
    for (const auto& c : cases) {
        StartErrorMessage(out, c.code, "C:\\V\\Terminal\\Kelmin.EXE");
        EXPECT_EQ(std::string(out), std::string(c.text) + "\n\nC:\\V\\Terminal\\Kelmin.EXE") << c.code;
    }
    // A path longer than any the system gives is cut, never written past.
    std::string longest(500, 'x');
    StartErrorMessage(out, 2, longest.c_str());
    EXPECT_EQ(std::string(out), "No se encontr\xF3 el archivo.\n\n" + longest.substr(0, sizeof out - 29));
}
