// The picker "Sacar ícono": the icon groups of a program or library, listed
// by id or name, the selected one drawn below the buttons.
#include "icons.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>

#include "../base/base.h"
#include "../resources/params/select.h"

namespace {

// What the picker works on while it runs.
struct Picking {
    HMODULE module;
    const char* file;
    IconGroupName* chosen;
};

// Item data: a numeric id as MAKEINTRESOURCE, or a copy of the name that the
// list owns until the picker closes.
BOOL CALLBACK AddGroup(HMODULE, LPCSTR, LPSTR name, LONG_PTR param)
{
    HWND list = reinterpret_cast<HWND>(param);
    char text[300];
    LPARAM data;
    if (IS_INTRESOURCE(name)) {
        std::snprintf(text, sizeof text, "Icono [%u]", static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name)));
        data = reinterpret_cast<LPARAM>(name);
    } else {
        std::snprintf(text, sizeof text, "Icono [%s]", name);
        size_t length = std::strlen(name) + 1;
        char* copy = new char[length];
        std::memcpy(copy, name, length);
        data = reinterpret_cast<LPARAM>(copy);
    }
    LRESULT at = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (at == LB_ERR || at == LB_ERRSPACE) {
        if (!IS_INTRESOURCE(data))
            delete[] reinterpret_cast<char*>(data);
        return TRUE;
    }
    SendMessageA(list, LB_SETITEMDATA, at, data);
    return TRUE;
}

void FreeNames(HWND list)
{
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT data = SendMessageA(list, LB_GETITEMDATA, i, 0);
        if (data != LB_ERR && !IS_INTRESOURCE(data))
            delete[] reinterpret_cast<char*>(data);
        SendMessageA(list, LB_SETITEMDATA, i, 0);
    }
}

// The id or name of the selected item; 0 without a selection.
int SelectedGroup(HWND list, IconGroupName& group)
{
    LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR)
        return 0;
    LRESULT data = SendMessageA(list, LB_GETITEMDATA, selected, 0);
    if (data == LB_ERR || data == 0)
        return 0;
    if (IS_INTRESOURCE(data)) {
        group.id = LOWORD(data);
        group.name.clear();
    } else {
        group.id = 0;
        group.name = reinterpret_cast<const char*>(data);
    }
    return 1;
}

void Choose(HWND dialog, Picking* picking)
{
    int chosen = SelectedGroup(GetDlgItem(dialog, IDC_SACAR_LIST), *picking->chosen);
    EndDialog(dialog, chosen);
}

// The group image the system would pick for an icon of the default size.
HICON GroupIcon(HMODULE module, const IconGroupName& group)
{
    LPCSTR name = group.name.empty() ? MAKEINTRESOURCEA(group.id) : group.name.c_str();
    HRSRC found = FindResourceA(module, name, RT_GROUP_ICON);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    BYTE* directory = loaded != nullptr ? static_cast<BYTE*>(LockResource(loaded)) : nullptr;
    std::vector<uint16_t> ids;
    // LookupIconIdFromDirectory trusts the count; a short group is not handed over.
    if (directory == nullptr || !ParseIconGroup(directory, SizeofResource(module, found), ids))
        return nullptr;
    int id = LookupIconIdFromDirectory(directory, TRUE);
    found = id != 0 ? FindResourceA(module, MAKEINTRESOURCEA(id), RT_ICON) : nullptr;
    loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    BYTE* bits = loaded != nullptr ? static_cast<BYTE*>(LockResource(loaded)) : nullptr;
    if (bits == nullptr)
        return nullptr;
    return CreateIconFromResource(bits, SizeofResource(module, found), TRUE, 0x00030000);
}

// Below "&Cancelar", as wide as the button, down to the dialog's bottom.
void IconArea(HWND dialog, RECT& area)
{
    RECT client;
    GetWindowRect(GetDlgItem(dialog, IDCANCEL), &area);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
    GetClientRect(dialog, &client);
    area.top = area.bottom;
    area.bottom = client.bottom;
}

// The selected group's icon, centred in its area.
void PaintPicker(HWND dialog, Picking* picking)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    IconGroupName group;
    HICON icon = nullptr;
    if (picking != nullptr && SelectedGroup(GetDlgItem(dialog, IDC_SACAR_LIST), group))
        icon = GroupIcon(picking->module, group);
    if (icon != nullptr) {
        ICONINFO info{};
        int width = 0, height = 0;
        if (GetIconInfo(icon, &info)) {
            BITMAP bitmap{};
            if (info.hbmColor != nullptr && GetObjectA(info.hbmColor, sizeof bitmap, &bitmap)) {
                width = bitmap.bmWidth;
                height = bitmap.bmHeight;
            } else if (info.hbmMask != nullptr && GetObjectA(info.hbmMask, sizeof bitmap, &bitmap)) {
                width = bitmap.bmWidth;
                height = bitmap.bmHeight / 2;
            }
            if (info.hbmColor != nullptr)
                DeleteObject(info.hbmColor);
            if (info.hbmMask != nullptr)
                DeleteObject(info.hbmMask);
        }
        RECT area;
        IconArea(dialog, area);
        int x = area.left + (area.right - area.left - width) / 2;
        int y = area.top + (area.bottom - area.top - height) / 2;
        DrawIcon(dc, x, y, icon);
        DestroyIcon(icon);
    }
    EndPaint(dialog, &paint);
}

}  // namespace

INT_PTR CALLBACK SacarIconoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    Picking* picking = reinterpret_cast<Picking*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        picking = reinterpret_cast<Picking*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(appIcon));
        char title[MAX_PATH] = "";
        GetFileTitleA(picking->file, title, sizeof title);
        char caption[MAX_PATH + 32];
        std::snprintf(caption, sizeof caption, "Sacar \xED" "cono [%s]", title);
        SetWindowTextA(dialog, caption);
        HWND list = GetDlgItem(dialog, IDC_SACAR_LIST);
        if (!EnumResourceNamesA(picking->module, RT_GROUP_ICON, AddGroup,
                                reinterpret_cast<LONG_PTR>(list))) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        if (count == 1)
            Choose(dialog, picking);
        else if (count < 1)
            EndDialog(dialog, 0);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SACAR_LIST:
            if (HIWORD(wParam) == LBN_SELCHANGE) {
                RECT area;
                IconArea(dialog, area);
                InvalidateRect(dialog, &area, TRUE);
            }
            return TRUE;
        case IDOK:
            Choose(dialog, picking);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    case WM_PAINT:
        PaintPicker(dialog, picking);
        return TRUE;
    case WM_DESTROY:
        FreeNames(GetDlgItem(dialog, IDC_SACAR_LIST));
        break;
    }
    return FALSE;
}

int PickIconGroup(HMODULE module, const char* file, IconGroupName& chosen)
{
    Picking picking{module, file, &chosen};
    return DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_SACAR_ICONO), nullptr, SacarIconoDialogProc,
                           reinterpret_cast<LPARAM>(&picking)) == 1;
}
