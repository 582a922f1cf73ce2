// The appearance dialogs of the parameter library, run for real by the
// params_host stand-in and driven from this process like a person would.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "drive.h"
#include "fixtures.h"
#include "params/effects.h"
#include "params/record.h"
#include "resources/params/resource.h"

namespace {

const char ESTILO_CAPTION[] = "Efectos, colores y tipo de letra";
const char AREA_CAPTION[] = "Par\xE1metros de 'Area'";
const char RCM_CAPTION[] = "Renglones y columnas del monitor";
const char AREA_ERROR_CAPTION[] = "Error en par\xE1metros de 'Area'";

AppParams Defaults()
{
    AppParams r;
    std::memset(&r, 0, sizeof r);
    SetEntryDefaults(r);
    return r;
}

// One run of the host over a record: started with its arguments, found by
// the dialog's caption, and its record read back when it has ended.
class Host {
public:
    PROCESS_INFORMATION info{};
    HWND dialog = nullptr;
    std::string dir;

    bool Open(const char* exe, const char* which, const AppParams& record, const char* caption)
    {
        dir = fixture::NewDirectory("appearance");
        fixture::WriteBytes(dir + "in.dai", &record, sizeof record);
        std::string command = std::string("\"") + exe + "\" " + which + " \"" + dir + "in.dai\" \"" + dir + "out.dai\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessA(exe, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
            return false;
        dialog = drive::WaitForWindow(caption, 20000, info.dwProcessId);
        return dialog != nullptr;
    }

    // Exit code of the host, or STILL_ACTIVE when it did not end in time.
    DWORD Wait()
    {
        if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0)
            return STILL_ACTIVE;
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(info.hProcess, &code);
        return code;
    }

    AppParams Result()
    {
        AppParams r;
        std::memset(&r, 0xEE, sizeof r);
        FILE* in = std::fopen((dir + "out.dai").c_str(), "rb");
        if (in == nullptr) {
            ADD_FAILURE() << "the host wrote no record";
            return r;
        }
        EXPECT_EQ(std::fread(&r, 1, sizeof r, in), sizeof r);
        std::fclose(in);
        return r;
    }

    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != 0; }
    bool Checked(int id) const
    {
        DWORD_PTR state = 0;
        SendMessageTimeoutA(Item(id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
        return state == BST_CHECKED;
    }
    std::string Text(int id) const { return drive::ControlText(dialog, id); }
    HWND Appears(const char* caption, DWORD ms = 5000) const
    {
        return drive::WaitForWindow(caption, ms, info.dwProcessId);
    }

    ~Host()
    {
        if (info.hProcess == nullptr)
            return;
        if (WaitForSingleObject(info.hProcess, 0) != WAIT_OBJECT_0) {
            TerminateProcess(info.hProcess, 99);
            WaitForSingleObject(info.hProcess, 5000);
        }
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
};

struct FindList {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK MatchDroppedList(HWND window, LPARAM data)
{
    auto* find = reinterpret_cast<FindList*>(data);
    char className[32];
    GetClassNameA(window, className, sizeof className);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == find->pid && lstrcmpiA(className, "ComboLBox") == 0 && IsWindowVisible(window)) {
        find->found = window;
        return FALSE;
    }
    return TRUE;
}

// Chooses an item as a person does: drops the list down and clicks the item.
bool ChooseItem(const Host& host, int id, const char* text)
{
    HWND combo = host.Item(id);
    DWORD_PTR index = 0;
    if (!SendMessageTimeoutA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 2000, &index) ||
        index == static_cast<DWORD_PTR>(CB_ERR))
        return false;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(combo, CB_SHOWDROPDOWN, TRUE, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    FindList find{host.info.dwProcessId, nullptr};
    if (!drive::WaitUntil([&] {
            EnumWindows(MatchDroppedList, reinterpret_cast<LPARAM>(&find));
            return find.found != nullptr;
        }))
        return false;
    SendMessageTimeoutA(find.found, LB_SETTOPINDEX, index, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    drive::ClickListItem(find.found, static_cast<int>(index), false);
    return drive::WaitUntil([&] { return !IsWindowVisible(find.found); });
}

}  // namespace

TEST(Experiment, ChooseWorks)
{
    Host host;
    AppParams r = Defaults();
    r.pre[SLOT_FONDO] = 0;
    ASSERT_TRUE(host.Open(PARAMS_HOST_TERMINAL, "estilo", r, ESTILO_CAPTION));
    EXPECT_TRUE(ChooseItem(host, IDC_ESTILO_T_FONDO, "Rojo"));
    drive::Settle(host.dialog);
    EXPECT_EQ(host.Text(IDC_ESTILO_T_FONDO), "Rojo");
    PostMessageA(host.dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(host.Wait(), 0u);
    EXPECT_EQ(host.Result().colorFondo, 4);
}
