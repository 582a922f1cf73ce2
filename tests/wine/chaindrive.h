// The suite's main job through its real windows, as an administrator and a
// workstation do it: the setup from the media, an application defined in
// Fostra, installed by Dalvo, the RTF library installed by Kelmin, and a
// second application added and installed by Brenko. Shared by the demo and
// the end-to-end test.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace chaindrive {

struct Chain {
    std::string media;     // the distribution, Instalar's working directory
    std::string setupDir;  // where it goes (C:\VONDRA), without '\'
    std::string shots;     // pictures of each step (Windows path), "" for none
    // Called with each dialog the chain reaches (a step name and the
    // window) before it is answered: what a test checks on the way.
    std::function<void(const std::string& step, HWND dialog)> onDialog;
    // Where each step stands, for the person following along.
    std::function<void(const std::string& text)> say;
};

// The applications the chain defines and installs.
extern const char FIRST_APP[];   // in Fostra, installed by Dalvo
extern const char SECOND_APP[];  // in Brenko
extern const char SERVER_ADDRESS[];

// Each returns "" when the step completed, else what did not happen.
// In the server form of PARAMETROS: the printer name's Pre. box cleared and
// the second line of IMPRESORAS (LPT1:) taken by its port; an icon file.
std::string ChoosePrinter(HWND editor);
std::string ChooseIconFile(HWND editor, const std::string& file);
std::string SetUpFromMedia(const Chain& chain);  // ends with Fostra started
std::string DefineInFostra(const Chain& chain, const std::string& iconFile);
std::string InstallWithDalvo(const Chain& chain);
std::string InstallRtfLibrary(const Chain& chain);
std::string AddWithBrenko(const Chain& chain);
// All of them in order; iconFile is the first application's own icon.
std::string Run(const Chain& chain, const std::string& iconFile);

}  // namespace chaindrive
