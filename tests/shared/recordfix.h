// Entry records as the tests start them, for the native and the Wine tests.
#pragma once

#include <cstdio>
#include <cstring>

#include "params/record.h"

namespace recordfix {

// A record of zeros given the defaults of a new entry, and the name.
inline AppParams Defaults(const char* nombre = "")
{
    AppParams r;
    std::memset(&r, 0, sizeof r);
    SetEntryDefaults(r);
    std::snprintf(r.nombre, sizeof r.nombre, "%s", nombre);
    return r;
}

}  // namespace recordfix
