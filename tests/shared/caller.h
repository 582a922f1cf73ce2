// Where a test helper was called from, so that a failure inside the helper
// also names the line of the test: the helper takes `Caller caller = {}` as
// its last parameter and begins with SCOPED_CALLER(caller).
#pragma once

#include <gtest/gtest.h>

struct Caller {
    const char* file;
    int line;
    Caller(const char* atFile = __builtin_FILE(), int atLine = __builtin_LINE()) : file(atFile), line(atLine) {}
};

#define SCOPED_CALLER(caller) const ::testing::ScopedTrace callerTrace((caller).file, (caller).line, "called here")
