#include "dirpath.h"

#include <cstring>

#include "textbuf.h"

const char PARENT_ITEM[] = "          ";

namespace {

// GetDriveType's values and the attribute bits of a directory listing.
enum : unsigned { TYPE_REMOVABLE = 2, TYPE_FIXED = 3, TYPE_REMOTE = 4, TYPE_CDROM = 5, TYPE_RAMDISK = 6 };
enum : uint32_t { ATTRIBUTE_HIDDEN = 0x02, ATTRIBUTE_DIRECTORY = 0x10 };

}  // namespace

int DriveKind(unsigned driveType)
{
    switch (driveType) {
    case TYPE_REMOVABLE: return KIND_REMOVABLE;
    case TYPE_FIXED: return KIND_FIXED;
    case TYPE_REMOTE: return KIND_NETWORK;
    case TYPE_CDROM: return KIND_CDROM;
    case TYPE_RAMDISK: return KIND_RAMDISK;
    default: return KIND_NONE;
    }
}

int KindBitmap(int kind)
{
    switch (kind) {
    case KIND_REMOVABLE: return 1080;
    case KIND_NETWORK: return 1084;
    case KIND_CDROM: return 1081;
    case KIND_RAMDISK: return 1083;
    case KIND_FIXED: return 1082;
    case KIND_DIRECTORY: return 1085;
    case KIND_PARENT: return 1086;
    default: return 1070;
    }
}

int HasParent(const char* path)
{
    return strnlen(path, PATH_SIZE) > 3;
}

void ParentPath(char (&path)[PATH_SIZE])
{
    size_t n = strnlen(path, PATH_SIZE - 1);
    if (n < 2)
        return;
    size_t i = path[n - 1] == '\\' ? n - 2 : n - 1;
    while (i > 0 && path[i] != '\\')
        --i;
    if (path[i] != '\\')
        return;
    path[i + 1] = '\0';
}

int ChildPath(char (&path)[PATH_SIZE], const char* name)
{
    char joined[PATH_SIZE];
    size_t n = strnlen(path, PATH_SIZE);
    bool slash = n > 0 && path[n - 1] == '\\';
    if (!ComposeText(joined, path, slash ? "" : "\\", name))
        return 0;
    std::memcpy(path, joined, sizeof path);
    return 1;
}

int SearchPattern(char (&out)[PATH_SIZE], const char* dir)
{
    size_t n = std::strlen(dir);
    bool slash = n > 0 && dir[n - 1] == '\\';
    return ComposeText(out, dir, slash ? "" : "\\", "*.*");
}

int IsListedDirectory(const char* name, uint32_t attributes)
{
    return (attributes & ATTRIBUTE_DIRECTORY) != 0 && (attributes & ATTRIBUTE_HIDDEN) == 0 && name[0] != '.' &&
           name[0] != '\0';
}

int IsBlankPath(const char* path)
{
    for (; *path != '\0'; ++path)
        if (*path != ' ')
            return 0;
    return 1;
}
