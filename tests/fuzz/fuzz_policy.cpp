// Any typed address and any policy file: the address normalises to a form
// that passes again unchanged; removing our blocks leaves none, and adding
// then removing the grant gives that rest back, however the reads split it.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

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

    // Looking for blocks only finds the same ones as reading every line.
    auto blocks = [&](bool blocksOnly) {
        PolicyScan scan;
        StartPolicyScan(scan);
        scan.blocksOnly = blocksOnly;
        for (size_t at = 0, step = piece == 0 ? policy.size() : piece; at < policy.size(); at += step)
            ScanPolicyBytes(scan, policy.data() + at, std::min(step, policy.size() - at));
        EndPolicyScan(scan);
        std::vector<uint64_t> ends;
        for (const PolicyScan::Block& block : scan.blocks)
            ends.insert(ends.end(), {block.begin, block.end});
        return ends;
    };
    CHECK(blocks(true) == blocks(false));

    // Removal leaves no block of ours. Adding puts the one block ahead of
    // that rest; removing it gives the rest back with the block's leading
    // empty line.
    MemoryFiles whole;
    whole.policy = policy;
    int result = CopyWithoutGrant(whole.Io());
    CHECK(result == GRANT_NOT_FOUND ? whole.work.empty()
                                    : result == GRANT_REMOVED && policy.find(GRANT_MARKER) != std::string::npos);
    std::string rest = result == GRANT_REMOVED ? whole.work : policy;
    MemoryFiles again;
    again.policy = rest;
    CHECK(CopyWithoutGrant(again.Io()) == GRANT_NOT_FOUND);
    MemoryFiles add;
    add.policy = policy;
    add.piece = piece;
    CHECK(CopyWithGrant(add.Io(), address) == 1);
    CHECK(add.work == Block(address) + rest);
    MemoryFiles roundTrip;
    roundTrip.policy = add.work;
    roundTrip.piece = piece;
    CHECK(CopyWithoutGrant(roundTrip.Io()) == GRANT_REMOVED);
    CHECK(roundTrip.work == "\r\n" + rest);

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
