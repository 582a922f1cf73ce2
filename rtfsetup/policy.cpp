// The grant block in the Java runtime's JAVA.POLICY, through its work copy.
#include "../installcore/workfile.h"
#include "kelmin.h"

namespace {

const char POLICY_FILE[] = "\\LIB\\SECURITY\\JAVA.POLICY";
enum { POLICY_PATH_SIZE = DIR_SIZE + sizeof POLICY_FILE + 2 };

struct PolicyPaths {
    char policy[POLICY_PATH_SIZE];
    char work[POLICY_PATH_SIZE];
};

int ComposePaths(PolicyPaths& paths, const char* jreHome)
{
    return ComposeText(paths.policy, jreHome, POLICY_FILE) && ComposeText(paths.work, paths.policy, "_1");
}

// The policy file is read without sharing: nobody changes it while we copy.
HANDLE OpenPolicy(const char* path)
{
    return CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

struct Files {
    HANDLE policy;
    HANDLE work;
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
    return WriteWhole(static_cast<Files*>(context)->work, data, size);
}

// Both edits copy the policy file into a work file beside it, and only a
// complete copy replaces the old file; otherwise the old one stays untouched.
template <typename Copy>
int RewritePolicy(const char* jreHome, Copy copy)
{
    PolicyPaths paths;
    if (!ComposePaths(paths, jreHome))
        return 0;
    FileHandle policy(OpenPolicy(paths.policy));
    if (!policy.Valid())
        return 0;
    FileHandle work;
    if (!CreateWorkFile(work, paths.work))
        return 0;
    Files files{policy.handle, work.handle};
    if (!copy(PolicyIo{&files, ReadPolicy, RewindPolicy, WriteWork})) {
        DiscardWorkFile(work, paths.work);
        return 0;
    }
    policy.Close();
    return CommitWorkFile(work, paths.work, paths.policy);
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
    PolicyPaths paths;
    if (!ComposePaths(paths, jreHome))
        return 0;
    FileHandle policy(OpenPolicy(paths.policy));
    if (!policy.Valid())
        return 0;
    Files files{policy.handle, nullptr};
    return ReadsAsGranted(PolicyIo{&files, ReadPolicy, RewindPolicy, WriteWork});
}
