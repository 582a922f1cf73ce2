// A new installation driven through a running Dalvo.EXE, or an application
// added through a running Brenko.EXE, as a person does it: shared by the
// demo and the benchmark.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace dalvodrive {

extern const char INICIO_CAPTION[];
extern const char BRENKO_INICIO_CAPTION[];

// Times of the steps, in seconds from the call.
struct Timing {
    double inicioShown = 0;     // INICIO was found
    double clicked = 0;         // the button of INICIO was clicked
    double instalarShown = 0;   // INSTALAR was found
    double editorShown = 0;     // the editor was found
    double editorAccepted = 0;  // the editor's accept button was clicked
    double done = 0;            // INICIO was shown again
};

// Picks name in INICIO, types dir into INSTALAR, accepts its creation when
// asked and accepts the editor as it comes; returns when INICIO is back.
// With shots set, a picture of each dialog goes there (Windows path), its
// name after shotPrefix; onEditor sees the editor before it is accepted.
// "" on success, else what did not happen.
using EditorCheck = std::function<void(HWND editor)>;
std::string InstallNew(DWORD pid, const std::string& name, const std::string& dir, const std::string& shots = "",
                       Timing* timing = nullptr, const std::string& shotPrefix = "",
                       const EditorCheck& onEditor = nullptr);

// The same through Brenko: "&Agregar", then name and dir typed into INSTALAR.
std::string AddNew(DWORD pid, const std::string& name, const std::string& dir, const std::string& shots = "",
                   Timing* timing = nullptr, const std::string& shotPrefix = "",
                   const EditorCheck& onEditor = nullptr);

// The dialog of pid with that caption once it comes; a directory-creation
// question on the way is answered with "&Crear", its picture taken first
// when shots is set. nullptr when the dialog did not come in time.
HWND AfterCreation(DWORD pid, const char* caption, const std::string& shotFile, const std::string& shots,
                   DWORD timeoutMs);

}  // namespace dalvodrive
