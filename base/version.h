// Comparison of Java runtime version names ("1.6.0_45"). No windows.h.
#pragma once

// The number of the component at *position (leading decimal digits, 0 when
// there are none) and moves *position past it and one following '.' or '_'.
// At the end of the text returns 0 and leaves *position.
int NextVersionNumber(const char* text, int* position);

// 1 when candidate is newer than best; an empty best is older than anything.
// A component 0 ends the comparison: "1.7.0_80" is not newer than "1.7".
int IsNewerVersion(const char* candidate, const char* best);
