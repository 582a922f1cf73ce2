// The Java client as Pluvik.dll sees it: the library of the client's width
// loaded by name (Pluvik.dll, or Pluvik64.DLL), its two natives found by their
// exported names, and a JNIEnv whose function table has the real jni.h layout
// with every entry empty but the four the natives may use. The fake counts
// element pointers handed out and given back.
#pragma once

#include <windows.h>

#include <jni.h>

#include <memory>
#include <string>
#include <vector>

namespace javaclient {

#ifdef _WIN64
// x86_64 knows one calling convention: the names carry no decoration.
const char CLIP_EXPORT[] = "Java_ClipRTF_ClipB_1RTF";
const char PRINT_EXPORT[] = "Java_ImpDir_ImpDir_1RTF";
#else
const char CLIP_EXPORT[] = "_Java_ClipRTF_ClipB_1RTF@12";
const char PRINT_EXPORT[] = "_Java_ImpDir_ImpDir_1RTF@16";
#endif

typedef jboolean(JNICALL* ClipFunction)(JNIEnv*, jobject, jbyteArray);
typedef jint(JNICALL* PrintFunction)(JNIEnv*, jobject, jbyteArray, jbyteArray);

struct Library {
    HMODULE module = nullptr;
    ClipFunction clip = nullptr;
    PrintFunction print = nullptr;
    ~Library();
};

// LoadLibrary(PLUVIK_DLL) from directory; both natives must be found. A
// library of the other width does not load.
bool Load(Library& library, const char* directory);

// A JNIEnv of a pretend VM; its arrays live as long as it does.
struct Vm {
    JNIEnv env;  // first: the natives' env pointer leads back to the Vm
    JNINativeInterface_ table;
    std::vector<std::unique_ptr<std::vector<jbyte>>> arrays;
    std::vector<jbyte*> handedOut;  // element copies not yet released
    int gets = 0;
    int releases = 0;
    int badReleases = 0;       // unknown pointer, or a copy that was changed
    int isCopyAsked = 0;       // GetByteArrayElements with an is-copy pointer
    bool failElements = false; // GetByteArrayElements answers null (no memory)
    std::vector<std::string> calls;

    Vm();
    Vm(const Vm&) = delete;
    Vm& operator=(const Vm&) = delete;
    ~Vm();
    jbyteArray Array(const std::string& bytes);
    bool AllReleased() const { return handedOut.empty() && gets == releases && badReleases == 0; }
};

// Replaces module's import of function from dll (e.g. "USER32.dll") by
// replacement; returns what it was, nullptr when the import is not there.
void* PatchImport(HMODULE module, const char* dll, const char* function, void* replacement);

// The same stand-in restored when it goes out of scope.
struct ImportPatch {
    HMODULE module;
    const char* dll;
    const char* function;
    void* original;
    ImportPatch(HMODULE module, const char* dll, const char* function, void* replacement);
    ~ImportPatch();
};

}  // namespace javaclient
