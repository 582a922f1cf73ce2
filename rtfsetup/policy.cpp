// The grant block in the Java runtime's policy file, rewritten whole.
#include "../base/workfile.h"
#include "kelmin.h"

namespace {

// Java 8 and older: the name and spelling Kelmin always wrote. From 9 on
// nothing reads lib\security\java.policy; the runtime reads conf\security.
const char OLD_POLICY_FILE[] = "\\LIB\\SECURITY\\JAVA.POLICY";
const char POLICY_FILE[] = "\\conf\\security\\java.policy";
static_assert(POLICY_PATH_SIZE >= DIR_SIZE + sizeof OLD_POLICY_FILE && POLICY_PATH_SIZE >= DIR_SIZE + sizeof POLICY_FILE,
              "room for a runtime home and the policy file");

}  // namespace

int ComposePolicyPath(char (&path)[POLICY_PATH_SIZE], const Runtime& runtime)
{
    path[0] = '\0';
    if (!ReadsPolicyFile(runtime))
        return 0;
    return ComposeText(path, runtime.home, UsesExtensionDir(runtime) ? OLD_POLICY_FILE : POLICY_FILE);
}

namespace {

// The policy file is read without sharing: nobody changes it while we copy.
HANDLE OpenPolicy(const char* path)
{
    return CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

struct Files {
    HANDLE policy;
    Replacement* work;
};

int ReadPolicy(void* context, char* buffer, size_t size, size_t* got)
{
    DWORD read = 0;
    if (!ReadFile(static_cast<Files*>(context)->policy, buffer, static_cast<DWORD>(size), &read, nullptr))
        return 0;
    *got = read;
    return 1;
}

int RewindPolicy(void* context)
{
    LARGE_INTEGER start{};
    return SetFilePointerEx(static_cast<Files*>(context)->policy, start, nullptr, FILE_BEGIN) ? 1 : 0;
}

int WriteWork(void* context, const char* data, size_t size)
{
    return static_cast<Files*>(context)->work->Write(data, size);
}

// Both edits copy the policy file into its replacement, and only a complete
// copy replaces the old file; otherwise the old one stays untouched.
template <typename Copy>
int RewritePolicy(const Runtime& runtime, Copy copy)
{
    char path[POLICY_PATH_SIZE];
    if (!ComposePolicyPath(path, runtime))
        return 0;
    FileHandle policy(OpenPolicy(path));
    if (!policy.Valid())
        return 0;
    Replacement work(path);
    if (!work.IsOpen())
        return 0;
    Files files{policy.handle, &work};
    if (!copy(PolicyIo{&files, ReadPolicy, RewindPolicy, WriteWork}))
        return 0;
    policy.Close();
    return work.Commit();
}

}  // namespace

int AddPolicyGrant(const Runtime& runtime, const char* address)
{
    return RewritePolicy(runtime, [address](const PolicyIo& io) { return CopyWithGrant(io, address) != 0; });
}

int RemovePolicyGrant(const Runtime& runtime)
{
    return RewritePolicy(runtime, [](const PolicyIo& io) { return CopyWithoutGrant(io) == GRANT_REMOVED; });
}

int HasPolicyGrant(const Runtime& runtime)
{
    char path[POLICY_PATH_SIZE];
    if (!ComposePolicyPath(path, runtime))
        return 0;
    FileHandle policy(OpenPolicy(path));
    if (!policy.Valid()) {
        // No file holds no grant; one that is there but held or locked may.
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 0 : POLICY_UNREADABLE;
    }
    Files files{policy.handle, nullptr};
    return ReadsAsGranted(PolicyIo{&files, ReadPolicy, RewindPolicy, WriteWork});
}
