#include <cstring>

#include "params.h"

std::vector<FontName> fontNames;

int CALLBACK CollectFontFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD fontType, LPARAM)
{
    if (fontType & TRUETYPE_FONTTYPE) {
        FontName name{};
        std::strncpy(name.data(), font->lfFaceName, name.size() - 1);
        fontNames.push_back(name);
    }
    return 1;
}

void FillFontCombo(HWND combo)
{
    for (const FontName& name : fontNames)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.data()));
}

void CollectFontNames(HWND window)
{
    fontNames.clear();
    HDC dc = GetDC(window);
    EnumFontFamiliesA(dc, nullptr, reinterpret_cast<FONTENUMPROCA>(CollectFontFamily), 0);
    ReleaseDC(window, dc);
}
