// Demo and benchmark helper:
//   winctl shot CAPTION FILE.bmp [close]  waits for the dialog with that
//       caption, saves its picture and, when asked, closes it;
//   winctl install NAME DIR [SHOTS]       installs NAME into DIR through the
//       running Dalvo, pictures of each dialog into SHOTS, then ends Dalvo;
//   winctl chain MEDIA SETUPDIR ICON [SHOTS]  the suite's main job from
//       the media, step by step, pictures into SHOTS;
//   winctl setup MEDIA SETUPDIR           its first step alone: Instalar
//       from the media, then the Fostra it starts is closed.
#include <cstdio>
#include <cstring>
#include <string>

#include "chaindrive.h"
#include "dalvodrive.h"
#include "drive.h"

namespace {

int Shot(int argc, char** argv)
{
    HWND window = drive::WaitForWindow(argv[2], 60000);
    if (window == nullptr) {
        std::fprintf(stderr, "winctl: no window \"%s\"\n", argv[2]);
        return 1;
    }
    std::string file = argv[3];
    size_t slash = file.find_last_of("\\/");
    std::string dir = slash == std::string::npos ? "." : file.substr(0, slash);
    if (!drive::Screenshot(window, file.substr(slash + 1), dir)) {
        std::fprintf(stderr, "winctl: cannot write %s\n", argv[3]);
        return 1;
    }
    if (argc > 4 && std::strcmp(argv[4], "close") == 0)
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
}

int Install(int argc, char** argv)
{
    std::string failure = dalvodrive::InstallNew(0, argv[2], argv[3], argc > 4 ? argv[4] : "");
    if (!failure.empty()) {
        std::fprintf(stderr, "winctl: %s\n", failure.c_str());
        return 1;
    }
    HWND inicio = drive::WaitForWindow(dalvodrive::INICIO_CAPTION, 1000);
    if (inicio != nullptr)
        drive::PostClick(inicio, 1002);  // "&Terminar"
    return 0;
}

int Chain(int argc, char** argv)
{
    bool setup = std::strcmp(argv[1], "setup") == 0;
    chaindrive::Chain chain{argv[2], argv[3], argc > 5 && !setup ? argv[5] : "", nullptr, nullptr};
    chain.say = [](const std::string& text) {
        std::printf("==> %s\n", text.c_str());
        std::fflush(stdout);
    };
    std::string failure = setup ? chaindrive::SetUpFromMedia(chain) : chaindrive::Run(chain, argv[4]);
    const char* fostra = "Instalaci\xF3n y mantenimiento de aplicaciones - SERVIDOR";
    if (setup && failure.empty()) {
        HWND inicio = drive::WaitForWindow(fostra, 30000);
        if (inicio != nullptr)
            drive::PostClick(inicio, 1002);  // "&Terminar"
        if (inicio == nullptr || !drive::WaitForNoWindow(fostra, 10000))
            failure = "Fostra did not start and end";
    }
    if (!failure.empty()) {
        std::fprintf(stderr, "winctl: %s\n", failure.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && std::strcmp(argv[1], "shot") == 0)
        return Shot(argc, argv);
    if (argc >= 4 && std::strcmp(argv[1], "install") == 0)
        return Install(argc, argv);
    if ((argc >= 5 && std::strcmp(argv[1], "chain") == 0) || (argc == 4 && std::strcmp(argv[1], "setup") == 0))
        return Chain(argc, argv);
    std::fprintf(stderr, "usage: winctl shot CAPTION FILE.bmp [close]\n"
                         "       winctl install NAME DIR [SHOTS]\n"
                         "       winctl chain MEDIA SETUPDIR ICON [SHOTS]\n"
                         "       winctl setup MEDIA SETUPDIR\n");
    return 2;
}
