// One machine of the fleet (fleet.sh):
//   fleet saver ENTRIES NAME COUNT EXPECTED  the server: the entry saved COUNT + 1
//       times through SaveEntry, each version's parameter lines first kept as
//       EXPECTED\N.PAR; EXPECTED\ready once the first version is saved
//   fleet station SHARE DALVO NAME           a workstation of this prefix's user
//       with DirInst SHARE: Dalvo's whole exit code and whether the shortcut came
#include <cstdio>
#include <cstdlib>
#include <string>

#include "drive.h"
#include "fixtures.h"
#include "installcore/launch.h"
#include "params/params.h"
#include "recordfix.h"

int main(int argc, char** argv)
{
    if (argc == 6 && std::string(argv[1]) == "saver") {
        CopyText(entryDir, argv[2]);
        int count = std::atoi(argv[4]), failed = 0;
        for (int version = 0; version <= count; ++version) {
            Entry entry{recordfix::Defaults(argv[3]), "", 0, 0, 1};
            CopyText(entry.listedName, argv[3]);
            CopyText(entry.record.ipServidor, "10.0.0.1");  // an entry without one is refused
            std::snprintf(entry.record.tiempo, sizeof entry.record.tiempo, "%d", version);
            char lines[PARAM_LINES_SIZE];
            BuildParamLines(lines, entry.record);
            fixture::WriteBytes(std::string(argv[5]) + "\\" + std::to_string(version) + ".PAR", lines, std::strlen(lines));
            failed += SaveEntry(entry) ? 0 : 1;
            if (version == 0)
                fixture::WriteBytes(std::string(argv[5]) + "\\ready", "", 0);
            Sleep(20);
        }
        std::printf("%d saves, %d failed\n", count + 1, failed);
        return failed;
    }
    if (argc == 5 && std::string(argv[1]) == "station") {
        fixture::ClearRegistry();
        fixture::Workstation ws;
        fixture::SetText(HKEY_CURRENT_USER, fixture::VONDRA_KEY, "DirInst", argv[2]);
        fixture::AddJre("1.8.0_202", ws.java.c_str());
        std::string name = argv[4];
        DWORD code = drive::Run("\"" + std::string(argv[3]) + "\" /instalar " + name +
                                    " /dir C:\\VONDRA\\Java /archivos",
                                120000);
        std::printf("exit %lu, shortcut %d\n", code, fixture::Exists(ws.desktop + "\\" + name + ".LNK") ? 1 : 0);
        return 0;
    }
    std::fprintf(stderr, "usage: fleet saver ENTRIES NAME COUNT EXPECTED | station SHARE DALVO NAME\n");
    return 2;
}
