// The message of a program that could not be started: the text for the
// system's error code, an empty line, the program's path. No windows.h.
#pragma once

#include "../base/paths.h"

enum { START_ERROR_SIZE = 96 + PATH_SIZE };

// Fills out; a path too long for it is cut (the text always stays whole).
void StartErrorMessage(char (&out)[START_ERROR_SIZE], unsigned long code, const char* path);
