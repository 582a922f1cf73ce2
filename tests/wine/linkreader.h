// Reads a shell link back with Debian's lnkinfo (liblnk-utils), which shares
// no code with the program that wrote it.
#pragma once

#include <map>
#include <string>

namespace linkreader {

// The fields lnkinfo prints ("Local path", "Description", "Working directory",
// "Command line arguments", "Icon location", ...), or an empty map when it
// could not be run. lnkinfo prints the link's texts in UTF-8; they are
// returned in code page 1252.
std::map<std::string, std::string> Read(const std::string& linkPath);

}  // namespace linkreader
