#include "icons.h"

#include <commdlg.h>

#include <cstddef>
#include <cstring>

#include "../base/base.h"
#include "../base/workfile.h"

IconSet currentIcon;

namespace {

// Modules freed on every way out.
struct Module {
    HMODULE handle = nullptr;
    ~Module()
    {
        if (handle != nullptr)
            FreeLibrary(handle);
    }
};

// Seek and read: Wine serves a read with an OVERLAPPED offset several times
// slower.
int ReadFileAt(void* context, uint64_t offset, void* into, size_t count)
{
    HANDLE file = *static_cast<HANDLE*>(context);
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    DWORD got = 0;
    return count <= MAXDWORD && SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
           ReadFile(file, into, static_cast<DWORD>(count), &got, nullptr) && got == count;
}

int ReadIconFileAt(const char* path, IconSet& into)
{
    // Shared: an editor showing the icon must not stop an installation copying it.
    FileHandle file(
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER length;
    if (file.handle == INVALID_HANDLE_VALUE || !GetFileSizeEx(file.handle, &length))
        return 0;
    IconSource source{static_cast<uint64_t>(length.QuadPart), ReadFileAt, &file.handle};
    if (!ReadIconImages(source, into.images))
        return 0;
    CopyText(into.iconFile, path);
    into.libraryFile[0] = '\0';
    return 1;
}

// The bytes of a resource of module, or null.
const void* ResourceBytes(HMODULE module, LPCSTR name, LPCSTR type, DWORD* size)
{
    HRSRC found = FindResourceA(module, name, type);
    if (found == nullptr)
        return nullptr;
    HGLOBAL loaded = LoadResource(module, found);
    *size = SizeofResource(module, found);
    return loaded != nullptr ? LockResource(loaded) : nullptr;
}

int ReadGroupImages(HMODULE module, const IconGroupName& group, std::vector<IconImage>& images)
{
    images.clear();
    DWORD size = 0;
    LPCSTR name = group.name.empty() ? MAKEINTRESOURCEA(group.id) : group.name.c_str();
    const void* directory = ResourceBytes(module, name, RT_GROUP_ICON, &size);
    std::vector<uint16_t> ids;
    if (directory == nullptr || !ParseIconGroup(directory, size, ids))
        return 0;
    std::vector<IconImage> read(ids.size());
    // A group may name one large image many times: the whole is capped as
    // an icon file's is.
    uint64_t total = 0;
    for (size_t i = 0; i < ids.size(); ++i) {
        const void* bytes = ResourceBytes(module, MAKEINTRESOURCEA(ids[i]), RT_ICON, &size);
        total += size;
        if (bytes == nullptr || size == 0 || size > MAX_ICON_IMAGE || total > MAX_ICON_BYTES)
            return 0;
        const uint8_t* begin = static_cast<const uint8_t*>(bytes);
        read[i].bytes.assign(begin, begin + size);
        if (!LinkImageParts(read[i]))
            return 0;
    }
    images.swap(read);
    return 1;
}

int ReadLibraryIcon(const char* path, IconSet& into)
{
    Module module;
    module.handle = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module.handle == nullptr)
        return 0;
    IconGroupName group;
    if (!PickIconGroup(module.handle, path, group) || !ReadGroupImages(module.handle, group, into.images))
        return 0;
    CopyText(into.libraryFile, path);
    into.iconFile[0] = '\0';
    return 1;
}

// The open-file dialog of "&Cambiar". Returns 0 when the user cancels.
int AskIconFile(char (&path)[MAX_PATH])
{
    path[0] = '\0';
    OPENFILENAMEA dialog{};
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = nullptr;
    dialog.lpstrFilter = "Iconos (*.ICO)\0*.ICO\0EXE's (*.EXE)\0*.EXE\0DLL (*.DLL)\0*.DLL\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = "Cargar un \xED" "cono de un archivo";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_SHAREAWARE | OFN_ENABLESIZING;
    return GetOpenFileNameA(&dialog) ? 1 : 0;
}

#ifndef _WIN64
// The structure size the dialog is given is the 4.0 layout's.
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == 76, "open-file structure of 4.0");
#endif

}  // namespace

int LoadCurrentIcon(const char* path)
{
    char asked[MAX_PATH];
    if (path == nullptr) {
        if (!AskIconFile(asked))
            return 0;
        path = asked;
    }
    ReleaseIcon();
    IconSet loaded;
    if (!ReadIconFileAt(path, loaded) && !ReadLibraryIcon(path, loaded))
        return 0;
    currentIcon = std::move(loaded);
    return 1;
}

namespace {

// The directory, then every image with its size-of-image field 0 for the
// write and restored after it: the icon in memory stays as it was read.
int WriteImages(Replacement& file, const std::vector<uint8_t>& directory)
{
    if (!file.Write(directory.data(), directory.size()))
        return 0;
    for (IconImage& image : currentIcon.images) {
        const long field = SizeImageField(image);
        uint8_t saved[4] = {};
        if (field >= 0) {
            std::memcpy(saved, &image.bytes[field], sizeof saved);
            std::memset(&image.bytes[field], 0, sizeof saved);
        }
        const int written = file.Write(image.bytes.data(), image.bytes.size());
        if (field >= 0)
            std::memcpy(&image.bytes[field], saved, sizeof saved);
        if (!written)
            return 0;
    }
    return 1;
}

}  // namespace

int WriteIconFile(const char* path)
{
    std::vector<uint8_t> directory;
    if (currentIcon.images.empty() || !ComposeIconDirectory(currentIcon.images, directory))
        return 0;
    // The entry's icon stays as it was until the new one is complete.
    Replacement file(path);
    return WriteImages(file, directory) && file.Commit();
}

HICON CurrentIconHandle(int* width, int* height)
{
    if (currentIcon.images.empty())
        return nullptr;
    IconImage& first = currentIcon.images.front();
    int w = static_cast<int>(first.width);
    int h = static_cast<int>(first.height);
    DWORD size = static_cast<DWORD>(first.bytes.size());
    HICON icon = CreateIconFromResourceEx(first.bytes.data(), size, TRUE, 0x00030000, w, h, LR_DEFAULTCOLOR);
    if (icon == nullptr && first.bitCount != 16)
        icon = CreateIconFromResource(first.bytes.data(), size, TRUE, 0x00030000);
    if (icon != nullptr) {
        *width = w;
        *height = h;
    }
    return icon;
}

void DrawIconAt(HWND window, HICON icon, int x, int y, int width, int height)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    DrawIconEx(dc, x, y, icon, width, height, 0, nullptr, DI_NORMAL);
    EndPaint(window, &paint);
}

void ReleaseIcon()
{
    currentIcon = IconSet();
}
