#include <gtest/gtest.h>

#include <string>

#include "caller.h"
#include "memory_io.h"
#include "policyfix.h"
#include "rtfsetup/grant.h"

namespace {

using policyfix::LfOnly;
using policyfix::STOCK_POLICY;

const std::string BLOCK_10005 = policyfix::Block("http://10.0.0.5/*");

std::string Block(const char* address, Caller caller = {})
{
    SCOPED_CALLER(caller);
    char block[GRANT_BLOCK_SIZE];
    size_t length = FormatGrantBlock(block, sizeof block, address);
    EXPECT_GT(length, 0u);
    return std::string(block, length);
}

std::string Added(const std::string& policy, const char* address, size_t piece = 0, Caller caller = {})
{
    SCOPED_CALLER(caller);
    MemoryFiles files;
    files.policy = policy;
    files.piece = piece;
    EXPECT_EQ(CopyWithGrant(files.Io(), address), 1);
    return files.work;
}

// The policy without its first block; the input itself when there is none.
std::string Removed(const std::string& policy, size_t piece = 0, Caller caller = {})
{
    SCOPED_CALLER(caller);
    MemoryFiles files;
    files.policy = policy;
    files.piece = piece;
    int result = CopyWithoutGrant(files.Io());
    EXPECT_NE(result, GRANT_COPY_FAILED);
    if (result == GRANT_NOT_FOUND) {
        EXPECT_EQ(files.work, "");
        return policy;
    }
    return files.work;
}

bool Granted(const std::string& policy, size_t piece = 0)
{
    MemoryFiles files;
    files.policy = policy;
    files.piece = piece;
    return ReadsAsGranted(files.Io()) == 1;
}

}  // namespace

TEST(GrantBlock, ByteForByte)
{
    EXPECT_EQ(Block("http://10.0.0.5/*"), BLOCK_10005);
    // No address: a grant for code from any location.
    std::string any = Block("");
    EXPECT_NE(any.find("\r\ngrant  {\r\n"), std::string::npos);
    EXPECT_EQ(any.find("codeBase"), std::string::npos);
    EXPECT_EQ(any.size(), BLOCK_10005.size() - std::string("codeBase \"http://10.0.0.5/*\"").size());

    // The longest stored address fits; a buffer too small gives nothing.
    std::string longest(1023, 'a');
    EXPECT_EQ(Block(longest.c_str()).size(), any.size() + longest.size() + 11);
    char small[100] = "x";
    EXPECT_EQ(FormatGrantBlock(small, sizeof small, "http://x/*"), 0u);
    EXPECT_STREQ(small, "");
}

TEST(PolicyLines, WhatCountsAsALine)
{
    EXPECT_TRUE(Granted("permission \"loadLibrary.Pluvik\";\r\n"));
    EXPECT_TRUE(Granted(STOCK_POLICY + Block("")));
    // Case-sensitive.
    EXPECT_FALSE(Granted("permission \"loadlibrary.pluvik\";\r\n"));
    // A last line without its LF is no line; an LF ends one with or without CR.
    EXPECT_FALSE(Granted("x\r\nloadLibrary.Pluvik"));
    EXPECT_FALSE(Granted("loadLibrary.Pluvik\r"));
    EXPECT_TRUE(Granted(LfOnly(STOCK_POLICY) + "loadLibrary.Pluvik\n"));
    EXPECT_TRUE(Granted("a\rb\nloadLibrary.Pluvik\r\n"));
    EXPECT_TRUE(Granted("loadLibrary.Pluvik\n\r\n"));
    EXPECT_TRUE(Granted("\rloadLibrary.Pluvik\n"));
    // A grant written by hand in another line counts.
    EXPECT_TRUE(Granted("grant { permission java.lang.RuntimePermission \"loadLibrary.Pluvik\"; };\r\n"));
    // Bytes of any value, NUL included, are part of the line.
    EXPECT_TRUE(Granted(std::string("\0\xFF\0 loadLibrary.Pluvik\r\n", 24)));
    EXPECT_FALSE(Granted(""));
}

TEST(PolicyLines, LongLinesAndPiecesAreSeenWhole)
{
    // Beyond 1,023 characters and beyond what 16 bits count.
    std::string longLine = std::string(5000, 'x') + "loadLibrary.Pluvik" + std::string(70000, 'y') + "\r\n";
    EXPECT_TRUE(Granted(longLine));
    EXPECT_FALSE(Granted(std::string(70000, 'y') + "\r\n" + std::string(70000, 'z') + "loadLibrary.Pluvik"));
    // The text split anywhere by the reads; "loadloadLibrary" makes the matcher fall back.
    std::string policy = "xx loadloadLibrary.Pluvik\r\n";
    for (size_t piece = 1; piece <= policy.size(); ++piece)
        EXPECT_TRUE(Granted(policy, piece)) << piece;
    EXPECT_FALSE(Granted("loadLibrary.Pluvi\r\nk\r\n", 1));
}

TEST(PolicyGrant, AddThenRemoveRoundTrips)
{
    std::string lfOnly = LfOnly(STOCK_POLICY);
    std::string noFinalEnd = std::string(STOCK_POLICY) + "// sin fin de l\xEDnea";
    std::string longLines = "// " + std::string(1500, 'a') + "\r\n" + std::string(70000, 'b') + "\r\n" +
                            "grant {\r\n};\r\n" + std::string(3000, 'c');
    for (const std::string& policy : {std::string(STOCK_POLICY), lfOnly, noFinalEnd, longLines, std::string()}) {
        for (size_t piece : {size_t{0}, size_t{1}, size_t{7}, size_t{512}}) {
            std::string added = Added(policy, "http://10.0.0.5/*", piece);
            // The grant comes first, ahead of everything that was there.
            EXPECT_EQ(added, BLOCK_10005 + policy);
            EXPECT_TRUE(Granted(added, piece));
            // Removal leaves the block's leading empty line behind.
            EXPECT_EQ(Removed(added, piece), "\r\n" + policy) << piece;
        }
    }
    EXPECT_FALSE(Granted(Removed(Added(STOCK_POLICY, ""))));
}

TEST(PolicyGrant, NeverTwoBlocks)
{
    // A second install after a hand-deleted library replaces the block left behind.
    EXPECT_EQ(Added(Added(STOCK_POLICY, "http://10.0.0.5/*"), ""), Block("") + "\r\n" + STOCK_POLICY);
    // Two blocks, as earlier versions left them, with either line end: both go.
    std::string twice = BLOCK_10005 + Block("") + STOCK_POLICY;
    EXPECT_EQ(Removed(twice, 7), "\r\n\r\n" + std::string(STOCK_POLICY));
    EXPECT_EQ(Removed(LfOnly(twice), 7), LfOnly("\r\n\r\n" + std::string(STOCK_POLICY)));
}

TEST(PolicyGrant, RemovalByTheLines)
{
    // No marker line: nothing is written, the caller keeps the file.
    EXPECT_EQ(Removed(STOCK_POLICY), STOCK_POLICY);
    EXPECT_EQ(Removed(""), "");
    // A marker in the last, unfinished line is no line.
    EXPECT_EQ(Removed("a\r\n// Permitir cargar Pluvik.DLL de OSTREL"), "a\r\n// Permitir cargar Pluvik.DLL de OSTREL");
    // From the marker line through the first later "};" line, and the line
    // after it only when empty; "};" on the marker line itself does not end
    // the block.
    EXPECT_EQ(Removed("a\r\nPermitir cargar Pluvik.DLL de OSTREL };\r\nb\r\n};x\r\n \t\r\nd\r\n"), "a\r\nd\r\n");
    // "}" and ";" apart are no end; a line with text after the block stays.
    EXPECT_EQ(Removed("Permitir cargar Pluvik.DLL de OSTREL\r\n} ;\r\n};\r\nc\r\nd"), "c\r\nd");
    std::string trimmed = BLOCK_10005.substr(0, BLOCK_10005.size() - 2);
    EXPECT_EQ(Removed(trimmed + "grant {\r\n};\r\n"), "\r\ngrant {\r\n};\r\n");
    // A block whose end was deleted by hand: its lines up to the end of the
    // file go, an unfinished last line stays.
    EXPECT_EQ(Removed("a\r\nPermitir cargar Pluvik.DLL de OSTREL\r\nb\r\ntail"), "a\r\ntail");
    EXPECT_EQ(Removed("a\r\nPermitir cargar Pluvik.DLL de OSTREL\r\n};\r\ntail"), "a\r\ntail");
    EXPECT_EQ(Removed("Permitir cargar Pluvik.DLL de OSTREL\r\n};\r\n"), "");
    // Every block goes.
    std::string marker = "Permitir cargar Pluvik.DLL de OSTREL\r\n};\r\n\r\n";
    EXPECT_EQ(Removed("x\r\n" + marker + marker + "y"), "x\r\ny");
}

TEST(PolicyGrant, FailuresAreReported)
{
    std::string policy = STOCK_POLICY + std::string(100000, 'p');
    std::string withBlock = BLOCK_10005 + policy;

    // A full disk: the write fails part-way and the copy says so.
    for (size_t room : {size_t{0}, size_t{10}, BLOCK_10005.size(), size_t{50000}, withBlock.size() - 1}) {
        MemoryFiles add;
        add.policy = policy;
        add.writeRoom = room;
        EXPECT_EQ(CopyWithGrant(add.Io(), "http://10.0.0.5/*"), 0) << room;
        MemoryFiles remove;
        remove.policy = withBlock;
        remove.writeRoom = room;
        EXPECT_EQ(CopyWithoutGrant(remove.Io()), room >= policy.size() + 2 ? GRANT_REMOVED : GRANT_COPY_FAILED);
    }
    MemoryFiles exact;
    exact.policy = policy;
    exact.writeRoom = withBlock.size();
    EXPECT_EQ(CopyWithGrant(exact.Io(), "http://10.0.0.5/*"), 1);

    // A read error anywhere: no copy reported as made, no grant reported.
    for (size_t at : {size_t{0}, size_t{1000}, size_t{70000}}) {
        MemoryFiles add;
        add.policy = policy;
        add.piece = 4096;
        add.failReadAt = at;
        EXPECT_EQ(CopyWithGrant(add.Io(), ""), 0);
        MemoryFiles remove;
        remove.policy = withBlock;
        remove.piece = 4096;
        remove.failReadAt = at;
        EXPECT_EQ(CopyWithoutGrant(remove.Io()), GRANT_COPY_FAILED) << at;
        MemoryFiles read;
        read.policy = STOCK_POLICY + std::string(80000, 'q') + BLOCK_10005;
        read.piece = 4096;
        read.failReadAt = at;
        EXPECT_EQ(ReadsAsGranted(read.Io()), POLICY_UNREADABLE);
    }
    MemoryFiles rewind;
    rewind.policy = withBlock;
    rewind.failRewind = true;
    EXPECT_EQ(CopyWithoutGrant(rewind.Io()), GRANT_COPY_FAILED);
    EXPECT_EQ(CopyWithGrant(rewind.Io(), ""), 0);
}
