// Stands in for a program that another starts: appends its own file name
// and its working directory to the file that VONDRA_STARTS names.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main()
{
    char log[MAX_PATH], dir[MAX_PATH], self[MAX_PATH];
    if (GetEnvironmentVariableA("VONDRA_STARTS", log, sizeof log) == 0 || GetCurrentDirectoryA(sizeof dir, dir) == 0 ||
        GetModuleFileNameA(nullptr, self, sizeof self) == 0)
        return 1;
    FILE* file = std::fopen(log, "ab");
    if (file == nullptr)
        return 1;
    std::fprintf(file, "%s|%s\n", std::strrchr(self, '\\') + 1, dir);
    return std::fclose(file) == 0 ? 0 : 1;
}
