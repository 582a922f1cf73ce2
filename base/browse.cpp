// SELEC_DIRECTORIO: owner-drawn lists of the drives and of the directories
// below browsePath; double clicks navigate, "&Aceptar" takes browsePath.
#include "dirdialogs.h"

#include "base.h"
#include "../resources/base/dirs.h"

const DirDialogIds TERMINAL_DIR_IDS = {IDC_DIRS_T_DRIVES, IDC_DIRS_T_DIRS,     IDC_DIRS_T_PATH,
                                       IDC_DIRS_T_ACEPTAR, IDC_DIRS_T_CANCELAR, IDC_DIRS_T_PENDING};
const DirDialogIds SETUP_DIR_IDS = {IDC_DIRS_S_DRIVES, IDC_DIRS_S_DIRS,     IDC_DIRS_S_PATH,
                                    IDC_DIRS_S_ACEPTAR, IDC_DIRS_S_CANCELAR, IDC_DIRS_S_PENDING};

namespace {

char browsePath[PATH_SIZE];
unsigned char driveKinds[26];

// Room for the 16 x 12 bitmaps drawn 4 pixels below the item's top.
const int ITEM_HEIGHT = 18;

HWND Control(HWND dialog, int id)
{
    return GetDlgItem(dialog, id);
}

void ShowBrowsePath(HWND dialog)
{
    SetDlgItemTextA(dialog, profile.dirDialogs->path, browsePath);
}

// The selected item's index, or -1.
LRESULT Selection(HWND list)
{
    LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : index;
}

void OpenDrive(HWND dialog)
{
    HWND list = Control(dialog, profile.dirDialogs->drives);
    LRESULT index = Selection(list);
    if (index < 0)
        return;
    LRESULT drive = SendMessageA(list, LB_GETITEMDATA, index, 0);
    if (drive < 0 || drive >= 26)
        return;
    browsePath[0] = static_cast<char>('A' + drive);
    browsePath[1] = ':';
    browsePath[2] = '\\';
    browsePath[3] = '\0';
    ShowBrowsePath(dialog);
    FillDirList(dialog);
}

void OpenDirectory(HWND dialog)
{
    HWND list = Control(dialog, profile.dirDialogs->dirs);
    LRESULT index = Selection(list);
    if (index < 0)
        return;
    if (index == 0 && HasParent(browsePath)) {
        ParentPath(browsePath);
    } else {
        char name[PATH_SIZE];
        LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
        if (length == LB_ERR || length >= static_cast<LRESULT>(sizeof name))
            return;
        SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name));
        // A name that would overflow the path leaves the browser where it is.
        if (!ChildPath(browsePath, name))
            return;
    }
    ShowBrowsePath(dialog);
    FillDirList(dialog);
}

void DrawListItem(const DRAWITEMSTRUCT* item)
{
    if (item->itemID == static_cast<UINT>(-1))
        return;
    if (static_cast<int>(item->CtlID) == profile.dirDialogs->drives) {
        if (item->itemData >= 26)
            return;
        char text[3] = {static_cast<char>('A' + item->itemData), ':', '\0'};
        DrawBrowseItem(item, driveKinds[item->itemData], text);
    } else if (static_cast<int>(item->CtlID) == profile.dirDialogs->dirs) {
        char text[PATH_SIZE];
        LRESULT length = SendMessageA(item->hwndItem, LB_GETTEXTLEN, item->itemID, 0);
        if (length == LB_ERR || length >= static_cast<LRESULT>(sizeof text))
            return;
        SendMessageA(item->hwndItem, LB_GETTEXT, item->itemID, reinterpret_cast<LPARAM>(text));
        DrawBrowseItem(item, lstrcmpA(text, PARENT_ITEM) == 0 ? KIND_PARENT : KIND_DIRECTORY, text);
    }
}

INT_PTR CALLBACK SelecDirectorioProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
        FillDriveList(dialog);
        FillDirList(dialog);
        ShowBrowsePath(dialog);
        return TRUE;
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlType != ODT_LISTBOX)
            return FALSE;
        measure->itemHeight = ITEM_HEIGHT;
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_LISTBOX)
            return FALSE;
        DrawListItem(item);
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        int code = HIWORD(wParam);
        if (id == profile.dirDialogs->drives && code == LBN_DBLCLK) {
            OpenDrive(dialog);
            return TRUE;
        }
        if (id == profile.dirDialogs->dirs && code == LBN_DBLCLK) {
            OpenDirectory(dialog);
            return TRUE;
        }
        if (id == profile.dirDialogs->accept) {
            GetDlgItemTextA(dialog, profile.dirDialogs->path, browsePath, sizeof browsePath);
            EndDialog(dialog, 1);
            return TRUE;
        }
        if (id == profile.dirDialogs->cancel || id == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    }
    return FALSE;
}

}  // namespace

void FillDriveList(HWND dialog)
{
    HWND list = Control(dialog, profile.dirDialogs->drives);
    char current = browsePath[0];
    if (current >= 'a' && current <= 'z')
        current = static_cast<char>(current - 'a' + 'A');
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (int drive = 0; drive < 26; ++drive) {
        char root[4] = {static_cast<char>('A' + drive), ':', '\\', '\0'};
        driveKinds[drive] = static_cast<unsigned char>(DriveKind(GetDriveTypeA(root)));
    }
    int added = 0;
    for (int drive = 0; drive < 26; ++drive) {
        if (driveKinds[drive] == KIND_NONE)
            continue;
        // Without LBS_HASSTRINGS the "string" is the item's data: the drive number.
        SendMessageA(list, LB_ADDSTRING, 0, drive);
        if (current == 'A' + drive)
            SendMessageA(list, LB_SETCURSEL, added, 0);
        ++added;
    }
}

void FillDirList(HWND dialog)
{
    HWND list = Control(dialog, profile.dirDialogs->dirs);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    if (HasParent(browsePath))
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(PARENT_ITEM));
    char pattern[PATH_SIZE];
    if (!SearchPattern(pattern, browsePath))
        return;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (IsListedDirectory(found.cFileName, found.dwFileAttributes))
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName));
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void DrawBrowseItem(const DRAWITEMSTRUCT* item, int kind, const char* text)
{
    HDC dc = item->hDC;
    const RECT& box = item->rcItem;
    if (item->itemAction & ODA_DRAWENTIRE) {
        if (HBITMAP bitmap = LoadBitmapA(hInstance, MAKEINTRESOURCEA(KindBitmap(kind)))) {
            HDC memory = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(memory, bitmap);
            BitBlt(dc, box.left + 8, box.top + 4, 16, 12, memory, 0, 0, SRCCOPY);
            SelectObject(memory, old);
            DeleteDC(memory);
            DeleteObject(bitmap);
        }
    }
    RECT area = box;
    area.left += 25;
    bool focused = (item->itemState & ODS_FOCUS) != 0;
    COLORREF back = focused ? RGB(0, 0, 128) : GetSysColor(COLOR_WINDOW);
    HBRUSH fill = CreateSolidBrush(back);
    HBRUSH frame = focused ? static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)) : CreateSolidBrush(back);
    FrameRect(dc, &area, frame);
    area.top += 1;
    area.left += 1;
    FillRect(dc, &area, fill);
    DeleteObject(fill);
    if (!focused)
        DeleteObject(frame);
    SetTextColor(dc, focused ? RGB(255, 255, 255) : RGB(0, 0, 0));
    SetBkColor(dc, back);
    TextOutA(dc, area.left + 1, box.top + 2, text, lstrlenA(text));
}

int BrowseDirectory(char (&path)[PATH_SIZE], HWND owner)
{
    CopyText(browsePath, path);
    // Nothing to start from: the current directory, so that the drive list
    // has a selection and the lists show real directories.
    if (IsBlankPath(browsePath))
        GetCurrentDirectoryA(sizeof browsePath, browsePath);
    INT_PTR result = DialogBoxParamA(hInstance, IDD_SELEC_DIRECTORIO, owner, SelecDirectorioProc, 0);
    if (result != 1)
        return 0;
    CopyText(path, browsePath);
    return 1;
}
