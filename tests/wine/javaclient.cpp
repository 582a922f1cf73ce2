#include "javaclient.h"

#include <algorithm>
#include <cstring>

namespace javaclient {

Library::~Library()
{
    if (module != nullptr)
        FreeLibrary(module);
}

bool Load(Library& library, const char* directory)
{
    SetDllDirectoryA(directory);
    library.module = LoadLibraryA(PLUVIK_DLL);
    SetDllDirectoryA(nullptr);
    if (library.module == nullptr)
        return false;
    library.clip = reinterpret_cast<ClipFunction>(reinterpret_cast<void*>(GetProcAddress(library.module, CLIP_EXPORT)));
    library.print =
        reinterpret_cast<PrintFunction>(reinterpret_cast<void*>(GetProcAddress(library.module, PRINT_EXPORT)));
    return library.clip != nullptr && library.print != nullptr;
}

namespace {

Vm* VmOf(JNIEnv* env)
{
    return reinterpret_cast<Vm*>(env);
}

std::vector<jbyte>* Bytes(jarray array)
{
    return reinterpret_cast<std::vector<jbyte>*>(array);
}

jsize JNICALL GetArrayLength(JNIEnv* env, jarray array)
{
    VmOf(env)->calls.push_back("GetArrayLength");
    return static_cast<jsize>(Bytes(array)->size());
}

// Like many VMs, a copy: a native that kept or wrote the pointer would show.
jbyte* JNICALL GetByteArrayElements(JNIEnv* env, jbyteArray array, jboolean* isCopy)
{
    Vm* vm = VmOf(env);
    vm->calls.push_back("GetByteArrayElements");
    if (isCopy != nullptr) {
        ++vm->isCopyAsked;
        *isCopy = JNI_TRUE;
    }
    if (vm->failElements)
        return nullptr;
    ++vm->gets;
    std::vector<jbyte>* bytes = Bytes(array);
    auto* copy = new jbyte[bytes->size() + 1];
    std::copy(bytes->begin(), bytes->end(), copy);
    vm->handedOut.push_back(copy);
    return copy;
}

void JNICALL ReleaseByteArrayElements(JNIEnv* env, jbyteArray array, jbyte* elements, jint)
{
    Vm* vm = VmOf(env);
    vm->calls.push_back("ReleaseByteArrayElements");
    ++vm->releases;
    auto found = std::find(vm->handedOut.begin(), vm->handedOut.end(), elements);
    if (found == vm->handedOut.end()) {
        ++vm->badReleases;
        return;
    }
    std::vector<jbyte>* bytes = Bytes(array);
    if (!std::equal(bytes->begin(), bytes->end(), elements))
        ++vm->badReleases;
    vm->handedOut.erase(found);
    delete[] elements;
}

}  // namespace

Vm::Vm()
{
    std::memset(&table, 0, sizeof table);
    table.GetArrayLength = GetArrayLength;
    table.GetByteArrayElements = GetByteArrayElements;
    table.ReleaseByteArrayElements = ReleaseByteArrayElements;
    env.functions = &table;
}

Vm::~Vm()
{
    for (jbyte* copy : handedOut)
        delete[] copy;
}

jbyteArray Vm::Array(const std::string& bytes)
{
    arrays.push_back(std::unique_ptr<std::vector<jbyte>>(new std::vector<jbyte>(bytes.begin(), bytes.end())));
    return reinterpret_cast<jbyteArray>(arrays.back().get());
}

void* PatchImport(HMODULE module, const char* dll, const char* function, void* replacement)
{
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0)
        return nullptr;
    for (auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress); import->Name != 0;
         ++import) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + import->Name), dll) != 0)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0)
                continue;
            DWORD old;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
            void* previous = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
            return previous;
        }
    }
    return nullptr;
}

ImportPatch::ImportPatch(HMODULE module_, const char* dll_, const char* function_, void* replacement)
    : module(module_), dll(dll_), function(function_), original(PatchImport(module_, dll_, function_, replacement))
{
}

ImportPatch::~ImportPatch()
{
    if (original != nullptr)
        PatchImport(module, dll, function, original);
}

}  // namespace javaclient
