// Any typed address and any policy file: the address normalises to a form
// that passes again unchanged, and adding then removing the grant gives the
// file back (with the block's leading empty line), however the reads split it.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "../native/memory_io.h"
#include "rtfsetup/grant.h"
#include "rtfsetup/jarurl.h"

#define CHECK(x) \
    if (!(x))    \
    std::abort()

namespace {

std::string Block(const char* address)
{
    char block[GRANT_BLOCK_SIZE];
    size_t length = FormatGrantBlock(block, sizeof block, address);
    CHECK(length > 0);
    return std::string(block, length);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    size_t piece = data[0] % 64;  // 0: reads as large as asked
    std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    size_t split = input.find('\0');
    std::string typed = input.substr(0, split);
    std::string policy = split == std::string::npos ? std::string() : input.substr(split + 1);

    char address[JAR_URL_SIZE] = "";
    if (NormaliseJarUrl(typed.c_str(), address)) {
        size_t length = std::strlen(address);
        CHECK(length < JAR_URL_SIZE);
        CHECK((length == 0) == typed.empty());
        CHECK(length == 0 || std::strcmp(address + length - 2, "/*") == 0);
        CHECK(std::strpbrk(address, "\"\r\n") == nullptr && std::strstr(address, "};") == nullptr);
        char again[JAR_URL_SIZE];
        CHECK(NormaliseJarUrl(address, again) && std::strcmp(again, address) == 0);
    } else {
        address[0] = '\0';
    }

    MemoryFiles add;
    add.policy = policy;
    add.piece = piece;
    CHECK(CopyWithGrant(add.Io(), address) == 1);
    CHECK(add.work == Block(address) + policy);

    MemoryFiles roundTrip;
    roundTrip.policy = add.work;
    roundTrip.piece = piece;
    CHECK(CopyWithoutGrant(roundTrip.Io()) == GRANT_REMOVED);
    CHECK(roundTrip.work == "\r\n" + policy);

    // Removal from the file as it is: the same in any pieces, and a cut of
    // one range out of it.
    MemoryFiles whole;
    whole.policy = policy;
    MemoryFiles pieces;
    pieces.policy = policy;
    pieces.piece = piece;
    int result = CopyWithoutGrant(whole.Io());
    CHECK(result != GRANT_COPY_FAILED);
    CHECK(CopyWithoutGrant(pieces.Io()) == result && pieces.work == whole.work);
    if (result == GRANT_NOT_FOUND) {
        CHECK(whole.work.empty());
    } else {
        size_t kept = whole.work.size();
        CHECK(kept < policy.size());
        size_t head = 0;
        while (head < kept && whole.work[head] == policy[head])
            ++head;
        CHECK(whole.work.compare(head, std::string::npos, policy, policy.size() - (kept - head), std::string::npos) == 0);
        CHECK(policy.find(GRANT_MARKER) != std::string::npos);
    }

    MemoryFiles granted;
    granted.policy = policy;
    MemoryFiles grantedPieces;
    grantedPieces.policy = policy;
    grantedPieces.piece = piece;
    int has = ReadsAsGranted(granted.Io());
    CHECK(ReadsAsGranted(grantedPieces.Io()) == has);
    CHECK(!has || policy.find(GRANT_PERMISSION) != std::string::npos);
    return 0;
}
