// Machine part of jni.h for 32- and 64-bit Windows with mingw-w64.
#ifndef _JAVASOFT_JNI_MD_H_
#define _JAVASOFT_JNI_MD_H_

// The .def files name the exports: a dllexport here would add mingw's own
// spelling of each 32-bit name (without the leading underscore) beside them.
// x86_64 has one calling convention; __stdcall is ignored there.
#define JNIEXPORT
#define JNIIMPORT __declspec(dllimport)
#define JNICALL __stdcall

// long is 32 bits on both Windows widths.
typedef long jint;
typedef long long jlong;
typedef signed char jbyte;

#endif
