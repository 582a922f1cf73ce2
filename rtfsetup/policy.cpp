// The grant block in the Java runtime's JAVA.POLICY, rewritten whole.
#include "../base/workfile.h"
#include "kelmin.h"

const char POLICY_FILE[] = "\\LIB\\SECURITY\\JAVA.POLICY";
static_assert(POLICY_PATH_SIZE >= DIR_SIZE + sizeof POLICY_FILE, "room for a runtime home and the policy file");

int ComposePolicyPath(char (&path)[POLICY_PATH_SIZE], const char* jreHome)
{
    return ComposeText(path, jreHome, POLICY_FILE);
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
int RewritePolicy(const char* jreHome, Copy copy)
{
    char path[POLICY_PATH_SIZE];
    if (!ComposePolicyPath(path, jreHome))
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

int AddPolicyGrant(const char* jreHome, const char* address)
{
    return RewritePolicy(jreHome, [address](const PolicyIo& io) { return CopyWithGrant(io, address) != 0; });
}

int RemovePolicyGrant(const char* jreHome)
{
    return RewritePolicy(jreHome, [](const PolicyIo& io) { return CopyWithoutGrant(io) == GRANT_REMOVED; });
}

int HasPolicyGrant(const char* jreHome)
{
    char path[POLICY_PATH_SIZE];
    if (!ComposePolicyPath(path, jreHome))
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
