// AddPolicyGrant + RemovePolicyGrant on a 5 MB policy file, against copying
// that file twice with CopyFileA, in the same run.
//   policy_bench [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "rtfsetup/kelmin.h"
#include "bench.h"

namespace {

// A runtime's policy file grown to size with grants of the usual shape.
std::string PolicyText(size_t size)
{
    std::string text =
        "\r\n// Standard extensions get all permissions by default\r\n\r\n"
        "grant codeBase \"file:${{java.ext.dirs}}/*\" {\r\n\tpermission java.security.AllPermission;\r\n};\r\n\r\n";
    for (int n = 0; text.size() < size; ++n) {
        char grant[256];
        std::snprintf(grant, sizeof grant,
                      "grant codeBase \"file:/C:/Aplicaciones/modulo%06d.jar\" {\r\n"
                      "\tpermission java.util.PropertyPermission \"modulo%06d.*\", \"read\";\r\n};\r\n\r\n",
                      n, n);
        text += grant;
    }
    return text;
}

bool WriteFileText(const std::string& path, const std::string& text)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
              written == text.size();
    return CloseHandle(file) && ok;
}

bool Flush(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = FlushFileBuffers(file) != 0;
    return CloseHandle(file) && ok;
}

}  // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::atoi(argv[1]) : 9;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string home = std::string(temp) + "vondra-policy-bench";
    std::string security = home + "\\LIB\\SECURITY";
    CreateDirectoryA(home.c_str(), nullptr);
    CreateDirectoryA((home + "\\LIB").c_str(), nullptr);
    CreateDirectoryA(security.c_str(), nullptr);
    std::string policy = security + "\\JAVA.POLICY";
    std::string copy1 = security + "\\COPIA1.POLICY";
    std::string copy2 = security + "\\COPIA2.POLICY";
    std::string text = PolicyText(5 * 1024 * 1024);
    // A Java 8 runtime: its policy file is LIB\SECURITY\JAVA.POLICY.
    Runtime runtime{};
    CopyText(runtime.home, home.c_str());
    runtime.feature = 8;
    runtime.bits = 32;

    std::vector<double> edits, copies, flushed;
    // One untimed round each warms the file cache.
    for (int round = -1; round < rounds; ++round) {
        if (!WriteFileText(policy, text)) {
            std::fprintf(stderr, "policy_bench: cannot write %s\n", policy.c_str());
            return 1;
        }
        double start = Now();
        bool ok = CopyFileA(policy.c_str(), copy1.c_str(), FALSE) && CopyFileA(policy.c_str(), copy2.c_str(), FALSE);
        double copied = Now() - start;
        // The edits flush their work copy before it replaces the file: the
        // same copies made durable show what that costs.
        start = Now();
        ok = ok && CopyFileA(policy.c_str(), copy1.c_str(), FALSE) && Flush(copy1) &&
             CopyFileA(policy.c_str(), copy2.c_str(), FALSE) && Flush(copy2);
        double durable = Now() - start;
        start = Now();
        ok = ok && AddPolicyGrant(runtime, "http://10.0.0.5/*") && RemovePolicyGrant(runtime);
        double edited = Now() - start;
        if (!ok) {
            std::fprintf(stderr, "policy_bench: a copy or an edit failed\n");
            return 1;
        }
        if (round >= 0) {
            copies.push_back(copied);
            flushed.push_back(durable);
            edits.push_back(edited);
        }
    }
    DeleteFileA(copy1.c_str());
    DeleteFileA(copy2.c_str());
    DeleteFileA(policy.c_str());
    RemoveDirectoryA(security.c_str());
    RemoveDirectoryA((home + "\\LIB").c_str());
    RemoveDirectoryA(home.c_str());

    double e = Median(edits), c = Median(copies), f = Median(flushed);
    std::printf("policy file: %zu bytes, rounds: %d (medians)\n", text.size(), rounds);
    std::printf("AddPolicyGrant + RemovePolicyGrant:  %.4f s\n", e);
    std::printf("two CopyFileA of the same file:      %.4f s\n", c);
    std::printf("the same, each copy flushed to disk: %.4f s\n", f);
    std::printf("ratio edits / copies:                %.2f (goal: at most 1.5)\n", e / c);
    std::printf("ratio edits / flushed copies:        %.2f\n", e / f);
    return 0;
}
