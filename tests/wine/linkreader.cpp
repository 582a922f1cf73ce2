#include "linkreader.h"

#include <windows.h>

#include <sstream>

#include "fixtures.h"

namespace linkreader {

namespace {

std::string FromUtf8(const std::string& text)
{
    WCHAR wide[4096];
    char ansi[4096];
    int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide, 4096);
    if (n == 0 || WideCharToMultiByte(1252, 0, wide, -1, ansi, sizeof ansi, nullptr, nullptr) == 0)
        return text;
    return ansi;
}

std::string Trim(const std::string& text)
{
    size_t begin = text.find_first_not_of(" \t");
    size_t end = text.find_last_not_of(" \t\r");
    return begin == std::string::npos ? "" : text.substr(begin, end - begin + 1);
}

}  // namespace

std::map<std::string, std::string> Read(const std::string& linkPath)
{
    std::map<std::string, std::string> fields;
    std::string unixLink = fixture::UnixPath(linkPath);
    if (unixLink.empty())
        return fields;
    std::istringstream in(fixture::UnixOutput("lnkinfo '" + unixLink + "'"));
    std::string line;
    while (std::getline(in, line)) {
        size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        std::string key = Trim(line.substr(0, colon));
        if (!key.empty() && fields.count(key) == 0)
            fields[key] = FromUtf8(Trim(line.substr(colon + 1)));
    }
    return fields;
}

}  // namespace linkreader
